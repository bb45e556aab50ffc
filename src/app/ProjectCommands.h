#pragma once

#include <QString>

#include <vector>

struct CheckFinding;
class CMainFrame;
class ProjectData;

// The file and project commands of the main frame: new, open, save, save as, close,
// project size and transmission, the project reopened at start-up and saving everything
// before exit. The frame keeps the list of open projects; these add to and close it.
class ProjectCommands {
public:
    explicit ProjectCommands(CMainFrame& frame);

    void New();
    void Open();
    // Opens a project data file; with checkDuplicate a project already open is refused.
    bool OpenFile(const QString& path, bool checkDuplicate);
    void Save();
    void Close();
    void SaveAs();
    // Sends the project folder as it is on disk: asks first whether to save unsaved
    // changes, checks what will be sent and asks before sending it with errors.
    void Transmit();
    // Runs the project check into the findings pane; the number of errors.
    int Check();
    void ChangeSize();

    // Copies a project's folder to targetPath and renames the data file after the new
    // folder. The open project stays where it is.
    bool SaveCopy(ProjectData* project, const QString& targetPath) const;
    // The project that was current at the last exit, if its file still exists.
    void ReopenLast();
    // Records the current project's data-file path (or nothing) as the last project.
    void WriteLast() const;
    // Asks whether to save the open projects; false keeps the frame open (cancelled,
    // or a save failed).
    bool ConfirmExit();
    bool IsFolderOpen(const QString& folder) const;

private:
    // Saves with the pane's edit committed; shows the failure. Drops the recovery copy.
    bool SaveProject(ProjectData* project);
    // Fills the findings pane; the number of errors.
    int ShowFindings(const std::vector<CheckFinding>& findings);
    // Checks the project's data file as last saved; false (with the load message) when
    // it does not load.
    bool CheckSaved(const ProjectData* project, int& errors);

    CMainFrame& frame;
};
