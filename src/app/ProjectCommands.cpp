#include "ProjectCommands.h"

#include "CMainFrame.h"
#include "FrameRecovery.h"
#include "base/AppPaths.h"
#include "base/FileUtil.h"
#include "base/IniFile.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "base/Versions.h"
#include "devicelink/ui/CTransmissionProjectDlg.h"
#include "editor/MarvolentaViewMainDelegate.h"
#include "editor/ProjectCheck.h"
#include "editor/ui/CProjectCheckPane.h"
#include "model/NewProjectFolder.h"
#include "model/ProjectData.h"
#include "model/ProjectDialogRequests.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kInfo = QStringLiteral("Info");
const QString kProjectFilePath = QStringLiteral("ProjectFilePath");
const QString kDataFileSuffix = QStringLiteral(".mvl");
constexpr int kMaxPathLength = 260;

QString CleanFolder(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

ProjectCommands::ProjectCommands(CMainFrame& f) : frame(f) {}

bool ProjectCommands::IsFolderOpen(const QString& folder) const
{
    const QString wanted = CleanFolder(folder);
    for (const auto& p : frame.Projects())
        if (CleanFolder(p->folder) == wanted)
            return true;
    return false;
}

void ProjectCommands::New()
{
    NewProjectDialogRequest request;
    if (Ui().RunDialog(QStringLiteral("newproject"), &request) != kIdOk)
        return;
    // Two open projects on one folder would overwrite each other's data file.
    if (IsFolderOpen(request.folder)) {
        ShowMessage("221", "70");
        return;
    }
    auto project = std::make_unique<ProjectData>();
    project->mainDelegate = &frame;
    project->screen = request.screen;
    project->folder = QDir::cleanPath(request.folder);
    if (!project->SaveProjectFile()) {
        ShowMessage("74", "70");
        return;
    }
    ProjectData* raw = frame.AddProject(std::move(project));
    frame.InsertTreeItem(raw, nullptr, raw->GetName(), TreePosition::kProject, 1);
    frame.SetCurrentProject(raw);
}

void ProjectCommands::Open()
{
    const QString path = Ui().ChooseOpenFile(Translate("77"), Translate("76"));
    if (path.isEmpty())
        return;
    OpenFile(path, true);
}

bool ProjectCommands::OpenFile(const QString& path, bool checkDuplicate)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    if (checkDuplicate && IsFolderOpen(QFileInfo(file).absolutePath())) {
        ShowMessage("221", "70");
        return false;
    }
    auto project = std::make_unique<ProjectData>();
    project->mainDelegate = &frame;
    QString message;
    if (!project->LoadProjectFile(file, message)) {
        if (message.isEmpty())
            ShowMessage("71", "70");
        else
            ShowMessageText(message, "70");
        return false;
    }
    ProjectData* raw = frame.AddProject(std::move(project));
    raw->BuildTree();
    frame.SetCurrentProject(raw);
    frame.UpdateCommandUI();
    return true;
}

void ProjectCommands::ReopenLast()
{
    const QString path =
        Profile::ReadString(AppPaths::GetSettingsPath(), kInfo, kProjectFilePath, QString(), kMaxPathLength);
    // A restored recovery copy of the same project is already open.
    if (!path.isEmpty() && QFileInfo(path).isFile() && !IsFolderOpen(QFileInfo(path).absolutePath()))
        OpenFile(path, false);
}

void ProjectCommands::WriteLast() const
{
    ProjectData* current = frame.CurrentProject();
    Profile::WriteString(AppPaths::GetSettingsPath(), kInfo, kProjectFilePath,
                         current ? current->GetDataFilePath() : QString());
}

bool ProjectCommands::SaveProject(ProjectData* project)
{
    frame.setFocus(); // an editor of the property pane commits its value
    if (!project->SaveProjectFile()) {
        // One message: the file that failed, or the general failure.
        const QString failure = project->SaveFailureText();
        if (failure.isEmpty())
            ShowMessage("74", "70");
        else
            ShowMessageText(failure, "70");
        return false;
    }
    frame.Recovery().Forget(project);
    return true;
}

void ProjectCommands::Save()
{
    ProjectData* project = frame.CurrentProject();
    if (!project || !SaveProject(project))
        return;
    ShowMessageText(TranslateFormat("388", {QString::fromUtf8(Versions::kBuildVersion),
                                            QString::fromUtf8(Versions::kMinRuntimeVersion)}),
                    "70");
}

void ProjectCommands::Close()
{
    ProjectData* project = frame.CurrentProject();
    if (!project)
        return;
    frame.setFocus(); // a value being edited in the pane counts as a change
    // Asked as at exit: Yes saves, No drops the changes, Cancel (Escape, the close box)
    // keeps the project open with its changes.
    if (project->IsModified()) {
        const int answer = ShowMessage("75", "70", kButtonsCancelNoYes);
        if (answer != kIdYes && answer != kIdNo)
            return;
        if (answer == kIdYes && !SaveProject(project))
            return;
    }
    frame.CloseProject(project);
}

bool ProjectCommands::SaveCopy(ProjectData* project, const QString& targetPath) const
{
    // The copy's data file is named after its folder: that name must be one packing keeps.
    if (!project || NewProjectFolder::Resolve(targetPath).isEmpty())
        return false;
    const QString source = CleanFolder(project->folder);
    const QString target = CleanFolder(targetPath);
    // A copy into the project itself would copy itself without end.
    if (target == source || target.startsWith(source + u'/'))
        return false;
    if (!QDir().mkpath(target) || !FileUtil::CopyFolder(source, target))
        return false;
    // The copy holds what the user sees: its data file and text images are written from
    // memory, unsaved changes included, under the name of the new folder.
    const QString oldFile = target + u'/' + project->GetName() + kDataFileSuffix;
    if (oldFile != ProjectData::DataFilePathIn(target) && QFileInfo::exists(oldFile) && !QFile::remove(oldFile))
        return false;
    return project->WriteCopyInto(target);
}

void ProjectCommands::SaveAs()
{
    ProjectData* project = frame.CurrentProject();
    if (!project)
        return;
    frame.setFocus(); // a value being edited in the pane goes into the copy
    const QString path = Ui().ChooseSaveFile(DialogTitleFromMenuText(Translate("204")), QString(), QString());
    if (path.isEmpty())
        return;
    ShowMessage(SaveCopy(project, path) ? "212" : "213", "70");
}

void ProjectCommands::Transmit()
{
    ProjectData* project = frame.CurrentProject();
    if (!project)
        return;
    frame.setFocus();
    // The device gets the project folder as it is on disk.
    bool sendsSavedState = false;
    if (project->IsModified()) {
        const int answer = ShowMessage("1401", "70", kButtonsCancelNoYes);
        if (answer == kIdYes) {
            if (!SaveProject(project))
                return;
        } else if (answer == kIdNo) {
            sendsSavedState = true;
        } else {
            return;
        }
    }
    // What would fail on the panel is better found at the desk, in what is sent.
    int errors = 0;
    if (sendsSavedState) {
        if (!CheckSaved(project, errors))
            return;
    } else {
        errors = Check();
    }
    if (errors > 0
        && ShowMessageText(TranslateFormat("1075", {QString::number(errors)}), "70", kButtonsNoYes) != kIdYes)
        return;
    // A transfer that hangs the editor must not take unsaved work with it.
    frame.Recovery().WriteAll();
    CTransmissionProjectDlg dlg(&frame, project->folder, project->GetName(), &frame);
    dlg.exec();
}

int ProjectCommands::Check()
{
    ProjectData* project = frame.CurrentProject();
    if (!project)
        return 0;
    return ShowFindings(CheckProject(*project));
}

int ProjectCommands::ShowFindings(const std::vector<CheckFinding>& findings)
{
    frame.CheckPane()->ShowFindings(findings);
    frame.CheckPane()->show();
    frame.CheckPane()->raise();
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                          [](const CheckFinding& f) { return f.IsError(); }));
}

bool ProjectCommands::CheckSaved(const ProjectData* project, int& errors)
{
    ProjectData saved;
    QString message;
    if (!saved.LoadProjectFile(project->GetDataFilePath(), message)) {
        if (message.isEmpty())
            ShowMessage("71", "70");
        else
            ShowMessageText(message, "70");
        return false;
    }
    std::vector<CheckFinding> findings = CheckProject(saved);
    // The elements of the saved state die with it: the findings keep only their names.
    for (CheckFinding& f : findings) {
        f.page = nullptr;
        f.element = nullptr;
    }
    errors = ShowFindings(findings);
    return true;
}

void ProjectCommands::ChangeSize()
{
    ProjectData* project = frame.CurrentProject();
    if (!project)
        return;
    ProjectSizeDialogRequest request{project->screen.width, project->screen.height, &frame};
    if (Ui().RunDialog(QStringLiteral("projectsize"), &request) != kIdOk)
        return;
    if (request.width == project->screen.width && request.height == project->screen.height)
        return;
    project->Resize(request.width, request.height);
    frame.RefreshProperties();
}

bool ProjectCommands::ConfirmExit()
{
    if (frame.Projects().empty())
        return true;
    const int answer = ShowMessage("75", "70", kButtonsCancelNoYes);
    if (answer == kIdCancel)
        return false;
    if (answer == kIdYes) {
        for (const auto& p : frame.Projects())
            if (!SaveProject(p.get()))
                return false;
    }
    return true;
}
