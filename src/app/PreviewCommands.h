#pragma once

#include "preview/ui/CPreviewWnd.h"

#include <QObject>
#include <QPointer>
#include <QString>

class CMainFrame;
class ProjectData;

// The frame's preview commands: the preview window of the current project (one at a
// time, opened again on the project as it is now) and the export of a clickable
// prototype. Neither changes the project.
class PreviewCommands : public QObject {
public:
    explicit PreviewCommands(CMainFrame& frame);

    void Open();
    void ExportPrototype();
    CPreviewWnd* Window() const { return window; }

private:
    QString StartPageName() const;

    CMainFrame& frame;
    QPointer<CPreviewWnd> window;
    const ProjectData* windowProject = nullptr; // compared, never followed
};
