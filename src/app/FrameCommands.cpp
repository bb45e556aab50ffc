#include "FrameCommands.h"

#include "OverviewWiring.h"

#include "BrushCommands.h"
#include "CAboutDlg.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "Commands.h"
#include "PreviewCommands.h"
#include "ProjectCommands.h"
#include "RecentProjects.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "editor/Alignment.h"
#include "editor/CommandTable.h"
#include "editor/DesignViewLogic.h"
#include "editor/EditorState.h"
#include "editor/ui/CMarvolentaView.h"
#include "model/NameDialogRequest.h"
#include "model/ProjectData.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QFileInfo>

#include <cmath>

namespace {

constexpr double kZoomEpsilon = 1e-6;
constexpr double kZoomCheckEpsilon = 0.0001;
const QString kNone = QStringLiteral("NONE");

using Command = CommandTable::Command;

static_assert(Cmd::ViewCut == ViewCommand::kCut && Cmd::ViewDuplicate == ViewCommand::kDuplicate
                  && Cmd::ViewSelectAll == ViewCommand::kSelectAll && Cmd::ViewCopy == ViewCommand::kCopy
                  && Cmd::ViewPaste == ViewCommand::kPaste && Cmd::ViewDelete == ViewCommand::kDelete,
              "the edit menu runs the view's own commands");

bool Always() { return true; }

bool ZoomIs(const CMainFrame& frame, double value)
{
    return std::fabs(frame.Zoom() - value) < kZoomCheckEpsilon;
}

// A page or sub-page is named in a dialog and opened at once; the tool then returns to
// selection whatever the answer.
void CreatePage(CMainFrame& frame, int typeNumber)
{
    ProjectData* project = frame.CurrentProject();
    if (!project)
        return;
    frame.SetToolMode(typeNumber);
    NameDialogRequest request{Translate("72"), Translate("82"), project->NextPageName(typeNumber)};
    if (Ui().RunDialog(QStringLiteral("name"), &request) == kIdOk) {
        // "NONE" stands for "no page" in every reference, so no page may bear it.
        if (project->FindPage(request.name) || request.name == kNone) {
            ShowMessage("73", "70");
        } else if (XPage* page = project->NewPage(typeNumber, request.name)) {
            frame.OpenPage(page);
            frame.InsertTreeItem(project, page, page->name, typeNumber, 1);
            frame.SelectControl(page);
            if (CChildFrame* child = frame.ChildFrameFor(page))
                frame.SetActiveView(child->View());
        }
    }
    frame.SetToolMode(ToolMode::kSelect);
}

void UndoRedo(CMainFrame& frame, bool undo)
{
    XPage* page = frame.ActivePage();
    if (!page)
        return;
    if (undo)
        page->Undo();
    else
        page->Redo();
    frame.RepaintPage(page);
}

void Align(CMainFrame& frame, int commandId)
{
    XPage* page = frame.ActivePage();
    if (page && frame.ActiveView()->RunAlignCommand(commandId))
        frame.RepaintPage(page);
}

void OpenRecent(CMainFrame& frame, int index)
{
    const QString path = frame.Recent().List().value(index);
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile()) {
        frame.Recent().Remove(path);
        ShowMessage("2219", "70");
        return;
    }
    frame.OpenProjectFile(path, true);
}

void AddFileCommands(CommandTable& table, CMainFrame& frame)
{
    ProjectCommands& projects = frame.ProjectActions();
    auto hasProject = [&frame] { return frame.CurrentProject() != nullptr; };
    table.Add(Cmd::NewProject, {Always, {}, [&projects] { projects.New(); }});
    table.Add(Cmd::OpenProject, {Always, {}, [&projects] { projects.Open(); }});
    table.Add(Cmd::SaveProject, {hasProject, {}, [&projects] { projects.Save(); }});
    table.Add(Cmd::CloseProject, {hasProject, {}, [&projects] { projects.Close(); }});
    table.Add(Cmd::SaveAs, {hasProject, {}, [&projects] { projects.SaveAs(); }});
    table.Add(Cmd::Transmit, {hasProject, {}, [&projects] { projects.Transmit(); }});
    table.Add(Cmd::ProjectSize, {hasProject, {}, [&projects] { projects.ChangeSize(); }});
    table.Add(Cmd::CheckProject, {hasProject, {}, [&projects] { projects.Check(); }});
    table.Add(Cmd::Exit, {Always, {}, [&frame] { frame.close(); }});
    for (int id = Cmd::RecentFirst; id <= Cmd::RecentLast; ++id)
        table.Add(id, {Always, {}, [&frame, id] { OpenRecent(frame, id - Cmd::RecentFirst); }});
    table.Add(Cmd::About, {Always, {}, [&frame] {
                               CAboutDlg dlg(&frame);
                               dlg.exec();
                           }});
}

void AddViewCommands(CommandTable& table, CMainFrame& frame)
{
    for (int id = Cmd::LookFirst; id <= Cmd::LookLast; ++id)
        table.Add(id, {Always, [&frame, id] { return frame.ApplicationLookId() == id; },
                       [&frame, id] { frame.SetApplicationLook(id); }});
    for (const ZoomItem& z : kZoomItems) {
        const double value = z.value;
        table.Add(z.id, {Always, [&frame, value] { return ZoomIs(frame, value); }, [&frame, value] {
                             if (std::fabs(frame.Zoom() - value) > kZoomEpsilon)
                                 frame.SetZoom(value, false);
                         }});
    }
    table.Add(Cmd::ZoomOther, {Always, [&frame] {
                                   for (const ZoomItem& z : kZoomItems)
                                       if (ZoomIs(frame, z.value))
                                           return false;
                                   return true;
                               },
                               {}});
    for (int id : {int(Cmd::LanguageZhCn), int(Cmd::LanguageZhTw), int(Cmd::LanguageEn)})
        table.Add(id, {Always,
                       [id] { return Translation::LanguageForCommand(id) == Translation::LanguageIndex(); },
                       [&frame, id] {
                           if (Translation::SetLanguage(Translation::LanguageForCommand(id)))
                               frame.ApplyLanguageTexts();
                       }});
}

void AddElementCommands(CommandTable& table, CMainFrame& frame)
{
    table.Add(Cmd::Select, {Always, [&frame] { return frame.GetToolMode() == ToolMode::kSelect; },
                            [&frame] { frame.SetToolMode(ToolMode::kSelect); }});
    for (const ElementTypeInfo& info : TypeRegistry::All()) {
        if (!info.menuCommand)
            continue;
        const int type = info.type;
        auto checked = [&frame, type] { return frame.GetToolMode() == type; };
        if (type == ElementType::kPage || type == ElementType::kSubPage) {
            table.Add(info.menuCommand, {[&frame] { return frame.CurrentProject() != nullptr; }, checked,
                                         [&frame, type] { CreatePage(frame, type); }});
            continue;
        }
        // A control needs a page to be drawn on and a class to be drawn.
        table.Add(info.menuCommand,
                  {[&frame, type] { return frame.HasActivePage() && TypeRegistry::HasClass(type); }, checked,
                   [&frame, type] { frame.SetToolMode(type); }});
    }
}

void AddEditCommands(CommandTable& table, CMainFrame& frame)
{
    table.Add(Cmd::Undo, {[&frame] { return frame.ActivePage() && frame.ActivePage()->CanUndo(); }, {},
                          [&frame] { UndoRedo(frame, true); }});
    table.Add(Cmd::Redo, {[&frame] { return frame.ActivePage() && frame.ActivePage()->CanRedo(); }, {},
                          [&frame] { UndoRedo(frame, false); }});
    // The edit menu runs the active view's commands, as its keys and context menu do.
    for (const BarButton& b : kEditMenu) {
        const int id = b.id;
        auto enabled = [&frame, id] {
            XPage* page = frame.HasActivePage() ? frame.ActivePage() : nullptr;
            if (!page)
                return false;
            if (id == Cmd::ViewPaste)
                return frame.GetClipboardCount() > 0;
            return id == Cmd::ViewSelectAll ? !page->controls.isEmpty() : page->SelectedCount() > 0;
        };
        table.Add(id, {enabled, {}, [&frame, id] { frame.ActiveView()->OnCommand(id); }});
    }
    for (const BarButton& b : kAlignBar) {
        const int id = b.id;
        table.Add(id, {[&frame, id] { return frame.HasActivePage() && frame.ActiveView()->IsAlignCommandEnabled(id); },
                       {}, [&frame, id] { Align(frame, id); }});
    }
}

void AddBrushCommands(CommandTable& table, CMainFrame& frame)
{
    struct BrushMode {
        int id;
        int mode;
    };
    constexpr BrushMode kBrushModes[] = {
        {Cmd::SendCodeBrush, ToolMode::kSendCodeBrush}, {Cmd::ColorBrush, ToolMode::kColourBrush},
        {Cmd::FontBrush, ToolMode::kFontBrush},         {Cmd::TextBrush, ToolMode::kTextBrush},
        {Cmd::InterlockBrush, ToolMode::kInterlockBrush}, {Cmd::AddressBrush, ToolMode::kAddressBrush},
        {Cmd::FormatPainter, ToolMode::kFormatBrush},   {Cmd::StreamBrush, ToolMode::kStreamBrush},
    };
    BrushCommands& brushes = frame.Brushes();
    for (const BrushMode& b : kBrushModes) {
        const int id = b.id;
        const int mode = b.mode;
        table.Add(id, {[&brushes, id] { return brushes.IsEnabled(id); },
                       [&frame, mode] { return frame.GetToolMode() == mode; }, [&brushes, id] { brushes.Run(id); }});
    }
}

// The preview and the prototype run on copies of the project: nothing here changes it.
void AddPreviewCommands(CommandTable& table, CMainFrame& frame)
{
    auto* preview = new PreviewCommands(frame);
    auto hasProject = [&frame] { return frame.CurrentProject() != nullptr; };
    table.Add(Cmd::Preview, {hasProject, {}, [preview] { preview->Open(); }});
    table.Add(Cmd::ExportPrototype, {hasProject, {}, [preview] { preview->ExportPrototype(); }});
}

} // namespace

namespace FrameCommands {

void Register(CommandTable& table, CMainFrame& frame)
{
    AddFileCommands(table, frame);
    AddViewCommands(table, frame);
    AddElementCommands(table, frame);
    AddEditCommands(table, frame);
    AddBrushCommands(table, frame);
    AddPreviewCommands(table, frame);
    frame.Overview().RegisterCommands(table);
}

}
