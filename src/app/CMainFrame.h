#pragma once

#include "ApplicationLook.h"
#include "ChildFrameMainDelegate.h"
#include "MenuBarDelegate.h"
#include "controls/InterlockDlgMainDelegate.h"
#include "controls/SetSendCodeDelegate.h"
#include "devicelink/TransmissionProjectDlgDelegate.h"
#include "editor/CommandTable.h"
#include "editor/EditorState.h"
#include "editor/ElementClipboard.h"
#include "editor/MarvolentaViewMainDelegate.h"
#include "editor/ProjectTreeParentDelegate.h"
#include "editor/PropertyViewParentDelegate.h"
#include "model/ControlMainDelegate.h"
#include "model/DuplicateElement.h"
#include "model/ProjectDataMainDelegate.h"
#include "model/TypeRegistry.h"
#include "model/XControl.h"
#include "model/ui/ProjectSizeDlgDelegate.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

class BrushCommands;
class LayoutCommands;
class RecentProjects;
class FrameRecovery;
class CChildFrame;
class CMarvolentaView;
class FrameMenus;
class OverviewWiring;
class PaneWiring;
class ProjectCommands;
class CMyMenuBar;
class CMyToolBar;
class CProjectTree;
class CProjectCheckPane;
class CPropertyView;
class QAction;
class QMdiArea;
class QMdiSubWindow;

// The editor's single top-level window: the page windows in an MDI area, the menu bar,
// six tool bars, the project tree and the property pane. It owns the open projects, the
// editor state every design view shares and the element clipboard, runs the commands of
// its command table and is the delegate through which views, panes, dialogs, projects
// and controls report. The panes, menus, project and brush commands are parts of their
// own; the frame wires them together and keeps the page windows.
class CMainFrame : public QMainWindow,
                   public PropertyViewParentDelegate,
                   public ProjectTreeParentDelegate,
                   public MarvolentaViewMainDelegate,
                   public ChildFrameMainDelegate,
                   public ProjectDataMainDelegate,
                   public ControlMainDelegate,
                   public SetSendCodeDelegate,
                   public InterlockDlgMainDelegate,
                   public TransmissionProjectDlgDelegate,
                   public MenuBarDelegate,
                   public ProjectSizeDlgDelegate {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // ---- commands
    void OnCommand(int commandId);
    bool IsCommandEnabled(int commandId) const { return commands.IsEnabled(commandId); }
    bool IsCommandChecked(int commandId) const { return commands.IsChecked(commandId); }
    QAction* Action(int commandId) const;
    // Brings every menu item and tool-bar button up to date (enabled, checked, texts).
    void UpdateCommandUI();
    void ScheduleCommandUpdate();
    // The window title and the projects' tree labels show which have unsaved changes.
    void UpdateModifiedMarks();
    ProjectCommands& ProjectActions() { return *projectCommands; }
    BrushCommands& Brushes() { return *brushCommands; }
    FrameRecovery& Recovery() { return *recovery; }
    OverviewWiring& Overview() { return *overview; }
    LayoutCommands& Layout() { return *layout; }
    RecentProjects& Recent() { return *recent; }
    // Shows the frame where it was at the last exit, maximised the first time.
    void ShowAtLastPlace();

    // ---- projects
    // Opens a project data file; with checkDuplicate a project already open is refused.
    bool OpenProjectFile(const QString& path, bool checkDuplicate = true);
    // Reopens the project that was current at the last exit, if its file still exists.
    void ReopenLastProject();
    // Offers the recovery copies that an editor which did not end normally left behind.
    void OfferRecovery();
    bool IsProjectFolderOpen(const QString& folder) const;
    // Closes a project without asking: its windows, tree item and every reference the
    // frame keeps into it go first.
    void CloseProject(ProjectData* project);
    bool SaveProjectCopy(ProjectData* project, const QString& targetPath);
    // Writes the current project's data-file path (or nothing) as the last project.
    void WriteLastProject() const;
    // Appends an open project; it does not become current.
    ProjectData* AddProject(std::unique_ptr<ProjectData> project);

    // ---- state, for the application, the frame's parts and tests
    const std::vector<std::unique_ptr<ProjectData>>& Projects() const { return projects; }
    ProjectData* CurrentProject() const { return currentProject; }
    CMarvolentaView* ActiveView() const { return activeView; }
    void SetActiveView(CMarvolentaView* view) { activeView = view; }
    // The page of the active view, if any.
    XPage* ActivePage() const;
    // A project is current and the active view shows a page.
    bool HasActivePage() const;
    EditorState& State() { return state; }
    double Zoom() const { return state.Zoom(); }
    void SetZoom(double value, bool keepCursorPoint = false);
    CChildFrame* ChildFrameFor(const XPage* page) const;
    QList<CChildFrame*> ChildFrames() const { return pageWindows; }
    QMdiArea* MdiArea() const { return mdiArea; }
    CProjectTree* TreePane() const;
    CPropertyView* PropPane() const;
    CProjectCheckPane* CheckPane() const;
    CMyMenuBar* MyMenuBar() const;
    QList<CMyToolBar*> ToolBars() const;
    int ApplicationLookId() const { return look; }
    void SetApplicationLook(int id);
    // Every text of the frame in the current language.
    void ApplyLanguageTexts();
    quint32 AddressBrush() const { return state.GetAddressBrush(); }
    void SetAddressBrush(quint32 a) { state.SetAddressBrush(a); }
    void SetStreamBrush(quint32 a, int count) { state.SetStreamBrush(a, count); }
    // Opens (or activates) the window of a page and returns it.
    CChildFrame* OpenPage(XPage* page);
    void RepaintPage(XPage* page) const;
    // Drops every borrowed pointer into a page that is going away.
    void ForgetPageEverywhere(XPage* page);
    // The selected controls of the active page, in stacking order: what the tree shows
    // selected and what editing several controls at once works on.
    QList<XControl*> SelectedControls() const;
    // The tree shows the selection as it is now (cheap when nothing changed).
    void SyncSelection();
    // After the page's selection was changed from outside the view: one control becomes
    // current, several leave the pane empty with the first as the view's focus.
    void SettleSelection(XPage* page);

Q_SIGNALS:
    void selectionChanged();

public:
    // ---- PropertyViewParentDelegate
    void PropertyChanged(CMFCMyPropertyGridProperty& property) override;
    bool PropertyButton(CMFCMyPropertyGridProperty& property) override;

    // ---- ProjectTreeParentDelegate (ActivatePage and GetMainFrame are shared below)
    void ActivateControl(XPage* page, XControl* control) override;
    void SetCurrentProject(ProjectData* project) override;
    bool DropItem(XControl* source, XControl* target) override;
    bool IsPage(XControl* element) const override;
    bool IsSubPage(XControl* element) const override;
    XPage* GetItemPage(XControl* element) const override { return element ? element->page : nullptr; }
    void DeleteItem(XControl* element) override;
    void DuplicateItem(XControl* element) override;
    void ToggleControl(XPage* page, XControl* control) override;
    void SetControlLocked(XControl* control, bool locked) override;

    // ---- MarvolentaViewMainDelegate
    int GetFrameExtraWidth() const override { return frameExtraWidth; }
    int GetFrameExtraHeight() const override { return frameExtraHeight; }
    IntRect PageRectToView(const IntRect& r) const override;
    QPoint ViewPointToPage(int x, int y) const override;
    QPoint PagePointToView(int x, int y) const override;
    int GetToolMode() const override { return state.GetToolMode(); }
    void SetToolMode(int mode) override;
    void SelectControl(XControl* control) override;
    void InsertTreeItem(ProjectData* project, XControl* element, const QString& label, int positionKind,
                        int expand) override;
    void MoveTreeItemDown(XControl* control) override;
    void MoveTreeItemUp(XControl* control) override;
    void ClearCurrentControl() override;
    void RefreshProperties() override;
    XControl* CreateControl(int typeNumber) override { return ::CreateElement(typeNumber); }
    XControl* GetCurrentControl() const override;
    int NextSendCode() override { return state.NextSendCode(); }
    COLORREF GetBrushColour() const override { return state.GetBrushColour(); }
    void CopyToClipboard(XPage* page) override { clipboard.Copy(page); }
    int GetClipboardCount() const override { return clipboard.Count(); }
    void PasteFromClipboard(XPage* page) override;
    FontDesc GetBrushFont() const override { return state.GetBrushFont(); }
    QString GetBrushText() const override { return state.GetBrushText(); }
    QString NextBrushAddress() override { return state.NextBrushAddress(); }
    QString NextBrushStreamUrl() override { return state.NextBrushStreamUrl(); }
    XPage* GetInterlockPage() const override { return state.GetInterlockPage(); }
    QString GetInterlockName() const override { return state.GetInterlockName(); }
    XControl* CloneControl(XControl* control, bool withIdentity) override
    {
        return ::DuplicateElement(control, withIdentity);
    }
    void ZoomStep(int delta) override;
    XControl* GetFormatSource() const override { return state.GetFormatSource(); }
    const LayoutSettings* GetLayoutSettings(const XPage* page) const override;
    void SelectionChanged(XPage*) override { SyncSelection(); }
    void LocksChanged(XPage* page) override;

    // ---- ChildFrameMainDelegate (ActivatePage also serves the project tree)
    void ActivatePage(XPage* page, bool open) override;
    void CloseAllPages() override;

    // ---- ProjectDataMainDelegate (AddTreeItem also serves the controls)
    void AddTreeItem(ProjectData* project, XControl* element, const QString& name, int type,
                     int flags) override
    {
        InsertTreeItem(project, element, name, type, flags);
    }
    XControl* CreateElement(int typeNumber) override { return ::CreateElement(typeNumber); }
    ControlMainDelegate* AsControlMainDelegate() override { return this; }

    // ---- ControlMainDelegate
    int ScaleLength(int n) const override;
    QPoint MapPoint(int x, int y) const override { return PagePointToView(x, y); }
    IntRect MapRect(int left, int top, int right, int bottom) const override;
    using ControlMainDelegate::MapRect;
    void UpdateTreeItem(XControl* element) override;
    void SelectElement(XControl* element) override { SelectControl(element); }
    QObject* GetMainFrame() override { return this; }
    void RemoveTreeItem(XControl* element) override;
    const char* GetPngEncoder() const override { return pngEncoder; }
    InterlockDlgMainDelegate* AsInterlockDlgMainDelegate() override { return this; }
    XControl* GetPropertyElement() const override { return GetCurrentControl(); }
    void ClearProperties() override { ClearCurrentControl(); }
    void ShowProperties(XControl* element) override;
    void RefillProperties() override { RefreshProperties(); }
    XControl* DuplicateElement(XControl* element, bool withIdentity) override
    {
        return ::DuplicateElement(element, withIdentity);
    }
    void ClosePageView(XPage* page) override;

    // ---- SetSendCodeDelegate
    int GetStartCode() const override { return state.GetSendCodeCounter(); }
    void SetStartCode(int code) override { state.SetSendCodeCounter(code); }
    int GetNumberingState() const override { return state.GetToolMode(); }
    void SetNumberingState(int mode) override { SetToolMode(mode); }

    // ---- InterlockDlgMainDelegate
    void SetInterlockBrush(XPage* page, const QString& groupName) override
    {
        state.SetInterlockBrush(page, groupName);
    }
    void SetDesignMode(int mode) override { SetToolMode(mode); }

    // ---- MenuBarDelegate
    void RelabelMenuBar(CMyMenuBar& bar) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void CreatePageArea();
    void MeasureFrameExtra();
    void ClosePageWindowNow(CChildFrame* child);
    void OnChildClosing(CChildFrame* child);
    void OnSubWindowActivated(QMdiSubWindow* window);

    // Projects and windows
    std::vector<std::unique_ptr<ProjectData>> projects;
    ProjectData* currentProject = nullptr;
    CMarvolentaView* activeView = nullptr;
    QList<CChildFrame*> pageWindows;
    QPointer<QMdiSubWindow> lastActiveWindow;

    // Shared by all views
    EditorState state;
    ElementClipboard clipboard;
    int frameExtraWidth = 0;
    int frameExtraHeight = 0;
    const char* pngEncoder = nullptr;
    int look = ApplicationLook::kDefault;

    // Parts
    CommandTable commands;
    std::unique_ptr<FrameMenus> menus;
    std::unique_ptr<PaneWiring> panes;
    std::unique_ptr<OverviewWiring> overview;
    std::unique_ptr<ProjectCommands> projectCommands;
    std::unique_ptr<BrushCommands> brushCommands;
    std::unique_ptr<FrameRecovery> recovery;
    std::unique_ptr<LayoutCommands> layout;
    std::unique_ptr<RecentProjects> recent;
    // What the tree was last told is selected; only compared, never followed.
    QList<XControl*> shownSelection;
    XControl* shownCurrent = nullptr;
    bool selectionShown = false;
    QMdiArea* mdiArea = nullptr;
    QTimer commandUpdateTimer;
    bool exiting = false;
};
