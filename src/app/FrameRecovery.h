#pragma once

#include "editor/RecoveryStore.h"

#include <QObject>
#include <QTimer>

class CMainFrame;
class ProjectData;

// Keeps recovery copies of the frame's projects while they have unsaved changes (on a
// timer and before a transfer) and, at start, offers the copies an editor that did not
// end normally left behind.
class FrameRecovery : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 2 * 60 * 1000;

    // An empty folder means the user's cache folder.
    explicit FrameRecovery(CMainFrame& frame, const QString& storeFolder = QString());

    // Asks, copy by copy, whether to restore, discard or keep it for a later start.
    void Offer();
    // A copy of every project with unsaved changes.
    void WriteAll();
    // The project was saved or closed: its copy is no longer wanted.
    void Forget(const ProjectData* project);

    RecoveryStore& Store() { return store; }

private:
    CMainFrame& frame;
    RecoveryStore store;
    QTimer timer;
};
