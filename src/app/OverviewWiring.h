#pragma once

#include "editor/ProjectOverview.h"

#include <QStringList>

class CFindReplacePane;
class CImageLibraryPane;
class CMainFrame;
class COverviewPane;
class CommandTable;
class ProjectData;
class QWidget;

// The overview, find-and-replace and image library panes of the main frame, and what
// joins them to the current project: following its edits, leading from a line to its
// element, the code export, searching and replacing, numbering, importing images.
class OverviewWiring {
public:
    explicit OverviewWiring(CMainFrame& frame);
    ~OverviewWiring();
    OverviewWiring(const OverviewWiring&) = delete;
    OverviewWiring& operator=(const OverviewWiring&) = delete;

    // Docks the overview and the find pane beside the check results, the library beside the
    // project tree.
    void CreatePanes();
    void RegisterCommands(CommandTable& table);
    void Relabel();
    // Brings the visible panes up to date when the current project changed since the last
    // time; nothing is read otherwise.
    void Follow();

    COverviewPane* OverviewPane() const { return overviewPane; }
    CFindReplacePane* FindPane() const { return findPane; }
    CImageLibraryPane* LibraryPane() const { return libraryPane; }
    const ProjectOverview& Data() const { return overview; }

    // Opens the page of that name in the current project and selects the element of that
    // name on it (the page itself for an empty name).
    void Activate(const QString& pageName, const QString& elementName);
    // Asks for a file and writes the send-code table into it.
    bool ExportCodes();
    // Takes image files into the current project; with none given the user chooses.
    void ImportImages(const QStringList& paths);
    void RunFind();
    void RunReplace();
    void RunRenumber();

private:
    void Show(QWidget* pane);
    void Refollow();

    CMainFrame& frame;
    ProjectOverview overview;
    COverviewPane* overviewPane = nullptr;
    CFindReplacePane* findPane = nullptr;
    CImageLibraryPane* libraryPane = nullptr;
    // What the panes show: the project, its change count and its first page, compared only.
    const ProjectData* followed = nullptr;
    quint64 followedCount = 0;
    quint64 followedFirstPage = 0;
    bool followedOnce = false;
    bool paneCurrent = false; // the overview pane shows every part of what was read last
};
