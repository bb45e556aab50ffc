#pragma once

#include "editor/LayoutStore.h"

#include <QList>

class CMainFrame;
class CommandTable;
class ProjectData;
class QLabel;
class XControl;
class XPage;

// The main frame's help with laying out pages: the grid and snapping of each project
// (kept with its locks in the project's hidden layout file), locking controls, zooming
// in steps and to fit the page, page windows shown as tabs, and the zoom in the status
// bar.
class LayoutCommands {
public:
    explicit LayoutCommands(CMainFrame& frame);

    void Register(CommandTable& table);
    // After the menus and panes exist: the status bar and the remembered tab mode.
    void Install();
    // The status bar follows the zoom.
    void Update();

    // A project was opened or made: its layout file is read.
    void ProjectOpened(ProjectData& project);
    // A project closes: its layout file gets the last state, then it is forgotten.
    void ProjectClosing(const ProjectData& project);
    const LayoutSettings* Settings(const XPage* page) const;
    LayoutSettings* CurrentSettings();

    // Locks or unlocks controls of one page and keeps the locks.
    void SetLocked(const QList<XControl*>& controls, bool locked);
    // Controls of the page were locked or unlocked: the tree shows it, the file keeps it.
    void LocksChanged(XPage* page);

    void FitPage();
    bool PageTabs() const;
    void SetPageTabs(bool tabs);

private:
    void AskGridSpacing();
    void RepaintProject(const ProjectData* project) const;

    CMainFrame& frame;
    LayoutStore store;
    QLabel* zoomLabel = nullptr;
};
