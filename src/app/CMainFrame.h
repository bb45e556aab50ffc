#pragma once

#include "ChildFrameMainDelegate.h"
#include "MenuBarDelegate.h"
#include "controls/InterlockDlgMainDelegate.h"
#include "controls/SetSendCodeDelegate.h"
#include "devicelink/TransmissionProjectDlgDelegate.h"
#include "editor/MarvolentaViewMainDelegate.h"
#include "editor/ProjectTreeParentDelegate.h"
#include "editor/PropertyViewParentDelegate.h"
#include "model/ControlMainDelegate.h"
#include "model/ProjectDataMainDelegate.h"
#include "model/PropertyGridModel.h"
#include "model/ui/ProjectSizeDlgDelegate.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

class CChildFrame;
class CMarvolentaView;
class CMyMenuBar;
class CMyToolBar;
class ProjectTreePane;
class PropertyPane;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

// The editor's single top-level window: the page windows in an MDI area, the menu bar,
// six tool bars, the project tree and the property pane. It owns the open projects and
// the state every design view shares, routes the commands and is the delegate through
// which views, panes, dialogs, projects and controls report.
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
    bool IsCommandEnabled(int commandId) const;
    bool IsCommandChecked(int commandId) const;
    QAction* Action(int commandId) const { return actions.value(commandId); }
    // Brings every menu item and tool-bar button up to date (enabled, checked, texts).
    void UpdateCommandUI();

    // ---- projects
    // Opens a project data file; with checkDuplicate a project already open is refused.
    bool OpenProjectFile(const QString& path, bool checkDuplicate = true);
    // Reopens the project that was current at the last exit, if its file still exists.
    void ReopenLastProject();
    void CloseProject(ProjectData* project);
    bool SaveProjectCopy(ProjectData* project, const QString& targetPath);
    // Writes the current project's data-file path (or nothing) as the last project.
    void WriteLastProject() const;

    // ---- state, for the application and for tests
    const std::vector<std::unique_ptr<ProjectData>>& Projects() const { return projects; }
    ProjectData* CurrentProject() const { return currentProject; }
    CMarvolentaView* ActiveView() const { return activeView; }
    double Zoom() const { return zoom; }
    void SetZoom(double value, bool keepCursorPoint = false);
    CChildFrame* ChildFrameFor(const XPage* page) const;
    QList<CChildFrame*> ChildFrames() const { return pageWindows; }
    QMdiArea* MdiArea() const { return mdiArea; }
    ProjectTreePane* TreePane() const { return treePane; }
    PropertyPane* PropPane() const { return propertyPane; }
    CMyMenuBar* MyMenuBar() const { return menu; }
    QList<CMyToolBar*> ToolBars() const { return toolBars; }
    int ApplicationLookId() const { return look; }
    quint32 AddressBrush() const { return addressBrush; }
    void SetAddressBrush(quint32 a) { addressBrush = a; }
    void SetStreamBrush(quint32 a, int count) { streamBrush = a; streamCount = count; }
    // Opens (or activates) the window of a page and returns it.
    CChildFrame* OpenPage(XPage* page);

    // ---- PropertyViewParentDelegate
    void PropertyChanged(CMFCMyPropertyGridProperty& property) override;

    // ---- ProjectTreeParentDelegate (ActivatePage and GetMainFrame are shared below)
    void ActivateControl(XPage* page, XControl* control) override;
    void SetCurrentProject(ProjectData* project) override;
    bool DropItem(XControl* source, XControl* target) override;
    bool IsPage(XControl* element) const override;
    bool IsSubPage(XControl* element) const override;
    XPage* GetItemPage(XControl* element) const override;
    void DeleteItem(XControl* element) override;
    void DuplicateItem(XControl* element) override;

    // ---- MarvolentaViewMainDelegate
    int GetFrameExtraWidth() const override { return frameExtraWidth; }
    int GetFrameExtraHeight() const override { return frameExtraHeight; }
    IntRect PageRectToView(const IntRect& r) const override;
    QPoint ViewPointToPage(int x, int y) const override;
    QPoint PagePointToView(int x, int y) const override;
    int GetToolMode() const override { return toolMode; }
    void SetToolMode(int mode) override;
    void SelectControl(XControl* control) override;
    void InsertTreeItem(ProjectData* project, XControl* element, const QString& label, int positionKind,
                        int expand) override;
    void MoveTreeItemDown(XControl* control) override;
    void MoveTreeItemUp(XControl* control) override;
    void ClearCurrentControl() override;
    void RefreshProperties() override;
    XControl* CreateControl(int typeNumber) override;
    XControl* GetCurrentControl() const override { return currentControl; }
    int NextSendCode() override;
    COLORREF GetBrushColour() const override { return brushColor; }
    void CopyToClipboard(XPage* page) override;
    int GetClipboardCount() const override { return static_cast<int>(clipboard.size()); }
    void PasteFromClipboard(XPage* page) override;
    FontDesc GetBrushFont() const override { return brushFont; }
    QString GetBrushText() const override { return brushText; }
    QString NextBrushAddress() override;
    QString NextBrushStreamUrl() override;
    XPage* GetInterlockPage() const override { return interlockPage; }
    QString GetInterlockName() const override { return interlockName; }
    XControl* CloneControl(XControl* control, bool withIdentity) override;
    void ZoomStep(int delta) override;
    XControl* GetFormatSource() const override { return formatSource.get(); }

    // ---- ChildFrameMainDelegate (ActivatePage also serves the project tree)
    void ActivatePage(XPage* page, bool open) override;
    void CloseAllPages() override;

    // ---- ProjectDataMainDelegate (AddTreeItem also serves the controls)
    void AddTreeItem(ProjectData* project, XControl* element, const QString& name, int type,
                     int flags) override;
    XControl* CreateElement(int typeNumber) override;
    ControlMainDelegate* AsControlMainDelegate() override { return this; }

    // ---- ControlMainDelegate
    int ScaleLength(int n) const override;
    QPoint MapPoint(int x, int y) const override;
    IntRect MapRect(int left, int top, int right, int bottom) const override;
    using ControlMainDelegate::MapRect;
    void UpdateTreeItem(XControl* element) override;
    void SelectElement(XControl* element) override { SelectControl(element); }
    QObject* GetMainFrame() override { return this; }
    void RemoveTreeItem(XControl* element) override;
    const char* GetPngEncoder() const override { return pngEncoder; }
    InterlockDlgMainDelegate* AsInterlockDlgMainDelegate() override { return this; }
    XControl* GetPropertyElement() const override { return currentControl; }
    void ClearProperties() override { ClearCurrentControl(); }
    void ShowProperties(XControl* element) override;
    void RefillProperties() override { RefreshProperties(); }
    XControl* DuplicateElement(XControl* element, bool withIdentity) override;
    void ClosePageView(XPage* page) override;

    // ---- SetSendCodeDelegate
    int GetStartCode() const override { return sendCodeCounter; }
    void SetStartCode(int code) override { sendCodeCounter = code; }
    int GetNumberingState() const override { return toolMode; }
    void SetNumberingState(int state) override { SetToolMode(state); }

    // ---- InterlockDlgMainDelegate
    void SetInterlockBrush(XPage* page, const QString& groupName) override;
    void SetDesignMode(int mode) override { SetToolMode(mode); }

    // ---- MenuBarDelegate
    void RelabelMenuBar(CMyMenuBar& bar) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ClipEntry {
        std::unique_ptr<XControl> control;
        QString sourceFolder;     // folder of the project the control was copied from
        ProjectData* source;      // that project while it is open, else null
    };

    // Construction
    QAction* MakeAction(int id, bool checkable, bool withIcon);
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreatePanes();
    void MeasureFrameExtra();
    void ApplyLanguageTexts();
    void RelabelMenus();

    // Command handlers
    void OnNewProject();
    void OnOpenProject();
    void OnSaveProject();
    void OnCloseProject();
    void OnSaveAs();
    void OnTransmit();
    void OnProjectSize();
    void OnLanguage(int commandId);
    void OnApplicationLook(int id);
    void OnCreatePage(int typeNumber);
    void OnUndoRedo(bool undo);
    void OnAlign(int commandId);
    void OnBrush(int commandId);
    void OnAbout();

    // Helpers
    XPage* ActivePage() const;
    bool HasActivePage() const;
    static ProjectData* ProjectOf(const XControl* element);
    bool IsProjectFolderOpen(const QString& folder) const;
    void FillPropertyPane();
    void RepaintPage(XPage* page) const;
    void ClosePageWindowNow(CChildFrame* child);
    void OnChildClosing(CChildFrame* child);
    void OnSubWindowActivated(QMdiSubWindow* window);
    // Drops every borrowed pointer into a page that is going away.
    void ForgetPageEverywhere(XPage* page);
    void CarryImages(XControl* copy, const QString& sourceFolder, ProjectData* target) const;
    static void CutReferences(XControl* copy, ProjectData* source);
    void ScheduleCommandUpdate();
    static QString FormatAddress(quint32 address);

    // Projects and windows
    std::vector<std::unique_ptr<ProjectData>> projects;
    ProjectData* currentProject = nullptr;
    CMarvolentaView* activeView = nullptr;
    QList<CChildFrame*> pageWindows;
    QPointer<QMdiSubWindow> lastActiveWindow;
    XControl* currentControl = nullptr;
    PropertyGridModel grid;

    // Shared by all views
    double zoom = 1.0;
    int toolMode = 101;
    int frameExtraWidth = 0;
    int frameExtraHeight = 0;
    int sendCodeCounter = 1;
    COLORREF brushColor = 0;
    FontDesc brushFont;
    QString brushText;
    quint32 addressBrush = 0xC0A80164; // 192.168.1.100
    quint32 streamBrush = 0xC0A80164;
    int streamCount = 2;
    QString interlockName;
    XPage* interlockPage = nullptr;
    std::unique_ptr<XControl> formatSource;
    std::vector<ClipEntry> clipboard;
    const char* pngEncoder = nullptr;
    int look = 210;

    // Widgets
    QMdiArea* mdiArea = nullptr;
    CMyMenuBar* menu = nullptr;
    QList<CMyToolBar*> toolBars;
    ProjectTreePane* treePane = nullptr;
    PropertyPane* propertyPane = nullptr;
    QHash<int, QAction*> actions;
    QHash<QMenu*, QString> menuKeys;   // popup menu → translation key of its title
    QTimer commandUpdateTimer;
    bool exiting = false;
};
