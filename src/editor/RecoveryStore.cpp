#include "RecoveryStore.h"

#include "RecoveryWriter.h"
#include "model/ProjectData.h"
#include "model/ProjectWrite.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>

namespace {

const QString kLockName = QStringLiteral("lock");
const QString kOriginName = QStringLiteral("origin");
const QString kDataFilePattern = QStringLiteral("*.mvl");
// The note names a folder; anything longer is not one of ours.
constexpr qint64 kMaxOriginBytes = 64 * 1024;
// Entries are looked at one by one; a cache folder full of other things is not walked.
constexpr int kMaxEntries = 256;

QString ReadOrigin(const QString& entryFolder)
{
    QFile file(entryFolder + u'/' + kOriginName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxOriginBytes)
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

bool WriteOrigin(const QString& entryFolder, const QString& projectFolder)
{
    QSaveFile file(entryFolder + u'/' + kOriginName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(projectFolder.toUtf8());
    return file.commit();
}

// The data file of an entry: the one .mvl in its single project folder.
QString FindDataFile(const QString& entryFolder)
{
    const QFileInfoList folders = QDir(entryFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& f : folders) {
        const QFileInfoList files = QDir(f.absoluteFilePath()).entryInfoList({kDataFilePattern}, QDir::Files);
        if (!files.isEmpty())
            return files.front().absoluteFilePath();
    }
    return {};
}

std::unique_ptr<QLockFile> TakeLock(const QString& entryFolder)
{
    auto lock = std::make_unique<QLockFile>(entryFolder + u'/' + kLockName);
    // Never stale by age: only a lock whose process is gone is taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace

RecoveryStore::RecoveryStore(const QString& baseFolder)
    : base(baseFolder.isEmpty()
               ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/recovery")
               : baseFolder)
    , writer(std::make_unique<RecoveryWriter>())
{
}

RecoveryStore::~RecoveryStore() = default;

bool RecoveryStore::Write(ProjectData& project)
{
    if (!project.IsModified())
        return true;
    auto it = held.find(&project);
    if (it != held.end() && it->second.changeCount == project.ChangeCount() && !writer->LastFailed(&project))
        return true;
    if (it == held.end()) {
        const QString folder = base + u'/' + QUuid::createUuid().toString(QUuid::WithoutBraces);
        if (!QDir().mkpath(folder))
            return false;
        Held h;
        h.folder = folder;
        h.lock = TakeLock(folder);
        if (!h.lock || !WriteOrigin(folder, project.folder)) {
            h.lock.reset();
            RemoveEntryFolder(folder);
            return false;
        }
        it = held.emplace(&project, std::move(h)).first;
    }
    Held& h = it->second;
    // The copy's folder is named like the project's, so its data file is too.
    const QString copyFolder = h.folder + u'/' + QFileInfo(project.folder).fileName();
    auto write = std::make_unique<ProjectWrite>(project, copyFolder);
    if (!write->Ready())
        return false;
    h.changeCount = project.ChangeCount();
    writer->Post(&project, std::move(write), project.folder);
    return true;
}

bool RecoveryStore::Finish()
{
    return writer->Finish();
}

void RecoveryStore::Remove(const ProjectData& project)
{
    writer->Cancel(&project);
    auto it = held.find(&project);
    if (it == held.end())
        return;
    it->second.lock.reset();
    RemoveEntryFolder(it->second.folder);
    held.erase(it);
}

QList<RecoveryStore::Entry> RecoveryStore::Orphans() const
{
    QList<Entry> found;
    const QFileInfoList folders =
        QDir(base).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Time | QDir::Reversed);
    int looked = 0;
    for (const QFileInfo& f : folders) {
        if (++looked > kMaxEntries)
            break;
        const QString folder = f.absoluteFilePath();
        bool ours = false;
        for (const auto& [project, h] : held)
            ours = ours || h.folder == folder;
        if (ours)
            continue;
        // Held by another editor that is still running: not an orphan.
        if (!TakeLock(folder))
            continue;
        Entry e;
        e.folder = folder;
        e.projectFolder = ReadOrigin(folder);
        e.dataFile = FindDataFile(folder);
        if (e.projectFolder.isEmpty() || e.dataFile.isEmpty())
            continue; // an entry whose writer died before the first copy
        e.written = QFileInfo(e.dataFile).lastModified();
        found.append(e);
    }
    return found;
}

std::unique_ptr<ProjectData> RecoveryStore::Restore(const Entry& entry, ProjectDataMainDelegate* mainDelegate,
                                                    QString& message)
{
    auto project = std::make_unique<ProjectData>();
    project->mainDelegate = mainDelegate;
    if (!project->LoadProjectFile(entry.dataFile, message, entry.projectFolder))
        return nullptr;
    // What was recovered is not in the project file yet.
    project->MarkModified();
    // The entry now belongs to the restored project: kept until it is saved or closed.
    Held h;
    h.folder = entry.folder;
    h.lock = TakeLock(entry.folder);
    if (h.lock)
        held.emplace(project.get(), std::move(h));
    return project;
}

void RecoveryStore::Discard(const Entry& entry)
{
    if (entry.folder.startsWith(base + u'/'))
        RemoveEntryFolder(entry.folder);
}

void RecoveryStore::RemoveEntryFolder(const QString& folder)
{
    QDir(folder).removeRecursively();
}
