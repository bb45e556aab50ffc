#include "FrameRecovery.h"

#include "CMainFrame.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "model/ProjectData.h"

#include <QDir>
#include <QLocale>

FrameRecovery::FrameRecovery(CMainFrame& f, const QString& storeFolder) : frame(f), store(storeFolder)
{
    timer.setInterval(kIntervalMs);
    connect(&timer, &QTimer::timeout, this, &FrameRecovery::WriteAll);
    timer.start();
}

void FrameRecovery::Offer()
{
    for (const RecoveryStore::Entry& entry : store.Orphans()) {
        const QString when = QLocale().toString(entry.written, QLocale::ShortFormat);
        const int answer = ShowMessageText(
            TranslateFormat("1101", {ProjectData::NameFromFolder(entry.projectFolder),
                                     QDir::toNativeSeparators(entry.projectFolder), when}),
            "70", kButtonsCancelNoYes);
        if (answer == kIdNo) {
            store.Discard(entry);
            continue;
        }
        if (answer != kIdYes)
            continue; // kept for the next start
        if (frame.IsProjectFolderOpen(entry.projectFolder)) {
            ShowMessage("221", "70");
            continue;
        }
        QString message;
        std::unique_ptr<ProjectData> project = store.Restore(entry, &frame, message);
        if (!project) {
            ShowMessageText(TranslateFormat("1102", {message.isEmpty() ? Translate("71") : message}), "70");
            continue;
        }
        ProjectData* raw = frame.AddProject(std::move(project));
        raw->BuildTree();
        frame.SetCurrentProject(raw);
    }
}

void FrameRecovery::WriteAll()
{
    for (const auto& p : frame.Projects())
        store.Write(*p);
}

void FrameRecovery::Forget(const ProjectData* project)
{
    if (project)
        store.Remove(*project);
}
