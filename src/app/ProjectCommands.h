#pragma once

#include <QString>

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
    // Checks the project first and asks before sending one with errors.
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

    CMainFrame& frame;
};
