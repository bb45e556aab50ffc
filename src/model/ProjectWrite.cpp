#include "ProjectWrite.h"

#include "MyFile.h"
#include "ProjectData.h"
#include "base/Translation.h"

#include <QDir>
#include <QFile>

#include <cstring>

namespace {

// The file's bytes are these bytes.
bool FileHolds(const QString& path, const QByteArray& bytes)
{
    constexpr qint64 kChunk = 256 * 1024;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != bytes.size())
        return false;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (qint64 at = 0; at < bytes.size();) {
        const qint64 n = file.read(chunk.data(), std::min(kChunk, bytes.size() - at));
        if (n <= 0 || std::memcmp(chunk.constData(), bytes.constData() + at, n) != 0)
            return false;
        at += n;
    }
    return true;
}

} // namespace

ProjectWrite::ProjectWrite(ProjectData& project, const QString& folder)
    : folder(folder)
    , dataFile(ProjectData::DataFilePathIn(folder))
    , images(ProjectData::TextImageFolderIn(folder))
{
    MyFile file;
    file.OpenWriteMemory();
    ready = project.WriteRecords(file, &images);
    if (ready)
        data = file.Written();
}

bool ProjectWrite::Commit(int renderThreads, const QString& donorFolder, const std::atomic<bool>* cancel)
{
    failures.clear();
    dataWritten = false;
    if (!ready)
        return false;
    if (!ProjectData::MakeFoldersIn(folder))
        return false;
    FileBatch batch;
    // Written first, so that the disk takes it while the images are worked out; put in
    // place last, so that a crash between the renames leaves the old data file with new
    // images rather than new records whose images are missing. Left alone when it
    // already holds these records, as an unchanged image is.
    if (!FileHolds(dataFile, data))
        batch.Stage(dataFile, data, FileBatch::Last);
    images.Stage(batch, renderThreads, donorFolder.isEmpty() ? QString() : ProjectData::TextImageFolderIn(donorFolder),
                 cancel);
    if (cancel && cancel->load())
        return false;
    const bool ok = batch.Commit();
    dataWritten = !batch.Failed(dataFile);
    failures = batch.Failures();
    return ok;
}

QString ProjectWrite::FailureText() const
{
    // Without its data file the project was not saved at all: the general failure says so.
    if (failures.isEmpty() || !dataWritten)
        return {};
    const FileBatch::Failure& first = failures.front();
    const QString reason = first.reason.isEmpty() ? Translate("2502") : first.reason;
    // Named from the project folder: the folder itself is known, the name is what to fix.
    const QString name = QDir::toNativeSeparators(QDir(folder).relativeFilePath(first.path));
    return TranslateFormat("2501", {QString::number(failures.size()), name, reason});
}
