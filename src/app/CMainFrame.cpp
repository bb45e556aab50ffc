#include "CMainFrame.h"

#include "AppIcons.h"
#include "ApplicationLook.h"
#include "BrushCommands.h"
#include "CChildFrame.h"
#include "CMyMenuBar.h"
#include "CMyToolBar.h"
#include "Commands.h"
#include "FrameCommands.h"
#include "FrameMenus.h"
#include "FrameRecovery.h"
#include "OverviewWiring.h"
#include "LayoutCommands.h"
#include "PaneWiring.h"
#include "ProjectCommands.h"
#include "RecentProjects.h"
#include "base/Translation.h"
#include "base/Versions.h"
#include "editor/DesignViewLogic.h"
#include "editor/ViewZoom.h"
#include "editor/ui/CMarvolentaView.h"
#include "editor/ui/CProjectTree.h"
#include "editor/ui/CPropertyView.h"
#include "model/ProjectData.h"
#include "model/XPage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImageWriter>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QSettings>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QUrl>

#include <cmath>

namespace {

const QString kGeometryKey = QStringLiteral("Workspace/Geometry");
const QString kStateKey = QStringLiteral("Workspace/State");
const QString kLookKey = QStringLiteral("ApplicationLook");
const QString kDataFileSuffix = QStringLiteral(".mvl");
constexpr int kCommandUpdateMs = 200;
const QSize kDefaultSize(1280, 800);

ProjectData* ProjectOf(const XControl* element)
{
    return element && element->projectData ? element->projectData->GetProject() : nullptr;
}

// The one project file of a drop, or empty when the drop is anything else.
QString DroppedProjectFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString path = urls.front().toLocalFile();
    const int dot = path.lastIndexOf(u'.');
    if (dot < 0 || path.mid(dot) != kDataFileSuffix)
        return {};
    return path;
}

} // namespace

// ====================================================================== construction

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent),
      menus(std::make_unique<FrameMenus>(*this)),
      panes(std::make_unique<PaneWiring>(*this)),
      overview(std::make_unique<OverviewWiring>(*this)),
      projectCommands(std::make_unique<ProjectCommands>(*this)),
      brushCommands(std::make_unique<BrushCommands>(*this, state)),
      recovery(std::make_unique<FrameRecovery>(*this)),
      layout(std::make_unique<LayoutCommands>(*this)),
      recent(std::make_unique<RecentProjects>())
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(AppIcons::Application());

    look = FrameworkSettings().value(kLookKey, ApplicationLook::kDefault).toInt();
    if (!ApplicationLook::IsValid(look))
        look = ApplicationLook::kDefault;
    ApplicationLook::Apply(look);

    CreatePageArea();
    FrameCommands::Register(commands, *this);
    layout->Register(commands);
    menus->Build();
    setDockNestingEnabled(true);
    panes->CreatePanes();
    overview->CreatePanes();
    TreePane()->SetLockIcon(AppIcons::Lock());
    layout->Install();
    MeasureFrameExtra();
    if (QImageWriter::supportedImageFormats().contains("png"))
        pngEncoder = "png";
    ApplyLanguageTexts();
    setAcceptDrops(true);

    const QSettings& settings = FrameworkSettings();
    const QByteArray geometry = settings.value(kGeometryKey).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(kDefaultSize);
    restoreState(settings.value(kStateKey).toByteArray());

    qApp->installEventFilter(this);
    commandUpdateTimer.setInterval(kCommandUpdateMs);
    connect(&commandUpdateTimer, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    commandUpdateTimer.start();
    UpdateCommandUI();
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    commandUpdateTimer.stop();
    WriteLastProject();
    // The views point at pages: they go before the projects that own the pages, and so
    // do windows that were closed but are not deleted yet.
    for (CChildFrame* child : mdiArea->findChildren<CChildFrame*>()) {
        disconnect(child, nullptr, this, nullptr);
        delete child;
    }
    pageWindows.clear();
    activeView = nullptr;
    panes->Reset();
    state.SetFormatSource(nullptr);
    clipboard.Clear();
    // Ending normally: what was not saved was declined at the exit question.
    for (const auto& p : projects) {
        recovery->Forget(p.get());
        layout->ProjectClosing(*p);
    }
    projects.clear();
}

void CMainFrame::CreatePageArea()
{
    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName(QStringLiteral("PageArea"));
    mdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
}

void CMainFrame::MeasureFrameExtra()
{
    // What a page window's caption and borders add to the page it shows.
    constexpr int kProbeWidth = 200;
    constexpr int kProbeHeight = 100;
    QMdiSubWindow probe(mdiArea);
    probe.setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    auto* body = new QWidget;
    body->setFixedSize(kProbeWidth, kProbeHeight);
    probe.setWidget(body);
    probe.ensurePolished();
    probe.adjustSize();
    frameExtraWidth = std::max(0, probe.width() - kProbeWidth);
    frameExtraHeight = std::max(0, probe.height() - kProbeHeight);
    if (frameExtraHeight == 0) {
        const int border = probe.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &probe);
        frameExtraWidth = 2 * border;
        frameExtraHeight = 2 * border + probe.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &probe);
    }
}

// ====================================================================== parts

CProjectTree* CMainFrame::TreePane() const { return panes->TreePane(); }
CPropertyView* CMainFrame::PropPane() const { return panes->PropPane(); }
CProjectCheckPane* CMainFrame::CheckPane() const { return panes->CheckPane(); }
CMyMenuBar* CMainFrame::MyMenuBar() const { return menus->MenuBar(); }
QList<CMyToolBar*> CMainFrame::ToolBars() const { return menus->ToolBars(); }
QAction* CMainFrame::Action(int commandId) const { return menus->Action(commandId); }

bool CMainFrame::OpenProjectFile(const QString& path, bool checkDuplicate)
{
    return projectCommands->OpenFile(path, checkDuplicate);
}

void CMainFrame::ReopenLastProject() { projectCommands->ReopenLast(); }
void CMainFrame::OfferRecovery() { recovery->Offer(); }

bool CMainFrame::IsProjectFolderOpen(const QString& folder) const
{
    return projectCommands->IsFolderOpen(folder);
}
void CMainFrame::WriteLastProject() const { projectCommands->WriteLast(); }

bool CMainFrame::SaveProjectCopy(ProjectData* project, const QString& targetPath)
{
    return projectCommands->SaveCopy(project, targetPath);
}

// ====================================================================== texts

void CMainFrame::RelabelMenuBar(CMyMenuBar& bar)
{
    menus->RelabelMenuBar(bar);
}

void CMainFrame::ApplyLanguageTexts()
{
    RefreshProperties();
    menus->Relabel();
    panes->RelabelPanes();
    overview->Relabel();
    for (CChildFrame* child : pageWindows)
        child->RelabelCaptionMenu();
    UpdateCommandUI();
}

void CMainFrame::SetApplicationLook(int id)
{
    look = id;
    FrameworkSettings().setValue(kLookKey, id);
    ApplicationLook::Apply(id);
    update();
}

// ====================================================================== commands

XPage* CMainFrame::ActivePage() const
{
    return activeView ? activeView->GetPage() : nullptr;
}

bool CMainFrame::HasActivePage() const
{
    return currentProject && ActivePage();
}

void CMainFrame::OnCommand(int id)
{
    // A command acts on what the user sees: a value still in the property pane first.
    panes->FinishPropertyEdit();
    commands.Run(id);
    UpdateCommandUI();
}

void CMainFrame::UpdateModifiedMarks()
{
    for (const auto& p : projects)
        panes->TreePane()->MarkProject(p.get(), p->GetName(), p->IsModified());
    // "[*]" is where Qt puts the mark while the window is modified.
    const QString product = QString::fromUtf8(Versions::kProductWord) + u' ' + QString::fromUtf8(Versions::kBuildVersion);
    const QString title = currentProject ? currentProject->GetName() + QStringLiteral("[*] - ") + product : product;
    if (windowTitle() != title)
        setWindowTitle(title);
    const bool modified = currentProject && currentProject->IsModified();
    if (isWindowModified() != modified)
        setWindowModified(modified);
}

void CMainFrame::UpdateCommandUI()
{
    UpdateModifiedMarks();
    overview->Follow();
    SyncSelection();
    layout->Update();
    const QHash<int, QAction*>& actions = menus->Actions();
    for (auto it = actions.cbegin(); it != actions.cend(); ++it) {
        QAction* a = it.value();
        const bool enabled = IsCommandEnabled(it.key());
        if (a->isEnabled() != enabled)
            a->setEnabled(enabled);
        if (a->isCheckable()) {
            const bool checked = IsCommandChecked(it.key());
            if (a->isChecked() != checked)
                a->setChecked(checked);
        }
    }
    QAction* other = actions.value(Cmd::ZoomOther);
    const QString otherText = other->isChecked()
        ? FormatText(QStringLiteral("%d%%"), {QString::number(static_cast<int>(std::trunc(Zoom() * 100)))})
        : Translate("266");
    if (other->text() != otherText)
        other->setText(otherText);
}

void CMainFrame::ScheduleCommandUpdate()
{
    QTimer::singleShot(0, this, &CMainFrame::UpdateCommandUI);
}

// ====================================================================== projects

ProjectData* CMainFrame::AddProject(std::unique_ptr<ProjectData> project)
{
    ProjectData* raw = project.get();
    projects.push_back(std::move(project));
    layout->ProjectOpened(*raw);
    recent->Add(raw->loadedFile.isEmpty() ? raw->GetDataFilePath() : raw->loadedFile);
    return raw;
}

void CMainFrame::CloseProject(ProjectData* project)
{
    if (!project)
        return;
    if (activeView && ProjectOf(activeView->GetPage()) == project)
        activeView = nullptr;
    panes->RemoveProject(project);
    if (GetCurrentControl() && ProjectOf(GetCurrentControl()) == project)
        ClearCurrentControl();
    for (CChildFrame* child : QList<CChildFrame*>(pageWindows))
        if (ProjectOf(child->GetPage()) == project)
            ClosePageWindowNow(child);
    // Nothing the frame keeps may point into the project once it is gone.
    for (XPage* page : project->pages)
        ForgetPageEverywhere(page);
    clipboard.ForgetProject(project);
    state.ForgetProject(project);
    recovery->Forget(project);
    layout->ProjectClosing(*project);
    for (auto it = projects.begin(); it != projects.end(); ++it) {
        if (it->get() == project) {
            projects.erase(it);
            break;
        }
    }
    if (currentProject == project)
        currentProject = nullptr;
    UpdateCommandUI();
}

void CMainFrame::ForgetPageEverywhere(XPage* page)
{
    clipboard.ForgetPage(page);
    state.ForgetPage(page);
    panes->ForgetPage(page);
}

// ====================================================================== exit, drops, keys

void CMainFrame::closeEvent(QCloseEvent* event)
{
    panes->FinishPropertyEdit();
    if (!projectCommands->ConfirmExit()) {
        event->ignore();
        return;
    }
    QSettings& settings = FrameworkSettings();
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kStateKey, saveState());
    settings.sync();
    exiting = true;
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedProjectFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QString path = DroppedProjectFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    OpenProjectFile(path, true);
}

bool CMainFrame::event(QEvent* event)
{
    // Tabs of docked panes show their whole titles and scroll when the bar is too narrow;
    // the window's own tab bars would cut every title down to a few letters.
    if (event->type() == QEvent::ChildPolished) {
        if (auto* tabs = qobject_cast<QTabBar*>(static_cast<QChildEvent*>(event)->child())) {
            tabs->setElideMode(Qt::ElideNone);
            tabs->setUsesScrollButtons(true);
        }
    }
    return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    // A key press travels from the focus widget up to its parents; look at it once, on
    // its first delivery, and only when it is meant for this window.
    auto* widget = qobject_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    if (!widget || widget->window() != this || (focus ? widget != focus : widget != this))
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F2) {
        OnCommand(Cmd::Transmit);
        return true;
    }
    // Only an open value editor keeps its keys; from anywhere else in the property pane
    // the page's keys (undo, redo, delete, nudge) reach the page.
    if (activeView && !PropPane()->IsInEditor(focus)) {
        panes->FinishPropertyEdit();
        activeView->HandleKey(key->key(), key->modifiers());
    }
    return QMainWindow::eventFilter(watched, event);
}

// ====================================================================== page windows

CChildFrame* CMainFrame::ChildFrameFor(const XPage* page) const
{
    for (CChildFrame* child : pageWindows)
        if (child->GetPage() == page)
            return child;
    return nullptr;
}

CChildFrame* CMainFrame::OpenPage(XPage* page)
{
    if (!page)
        return nullptr;
    if (CChildFrame* child = ChildFrameFor(page)) {
        if (child->isMinimized())
            child->showNormal();
        lastActiveWindow = child;
        mdiArea->setActiveSubWindow(child);
        return child;
    }
    auto* child = new CChildFrame(this, page);
    auto* view = new CMarvolentaView(page, this, child);
    child->SetView(view);
    page->window = view;
    child->Document().SetTitle(page->name);
    mdiArea->addSubWindow(child);
    pageWindows.append(child);
    connect(child, &CChildFrame::closing, this, &CMainFrame::OnChildClosing);
    // This window is made active here; its activation must not select the page twice.
    lastActiveWindow = child;
    view->FitToPage(false);
    child->setWindowTitle(page->name);
    child->show();
    mdiArea->setActiveSubWindow(child);
    view->setFocus();
    return child;
}

void CMainFrame::OnChildClosing(CChildFrame* child)
{
    if (!pageWindows.contains(child))
        return;
    pageWindows.removeOne(child);
    if (XPage* page = child->GetPage()) {
        if (page->window == child->View())
            page->window = nullptr;
    }
    if (activeView == child->View())
        activeView = nullptr;
    if (lastActiveWindow == child)
        lastActiveWindow = nullptr;
    ScheduleCommandUpdate();
}

void CMainFrame::ClosePageWindowNow(CChildFrame* child)
{
    OnChildClosing(child);
    disconnect(child, nullptr, this, nullptr);
    child->close();
    delete child; // now, not later: its page may be destroyed right after this
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window)
{
    if (exiting)
        return;
    // While another top-level window (a dialog) is active the MDI area reports no
    // active page window; the page window that was active stays the current one.
    QMdiSubWindow* current = window ? window : mdiArea->currentSubWindow();
    if (current == lastActiveWindow)
        return;
    lastActiveWindow = current;
    if (auto* child = qobject_cast<CChildFrame*>(current); child && pageWindows.contains(child))
        child->OnActivated();
    else
        ActivatePage(nullptr, false);
}

void CMainFrame::ActivatePage(XPage* page, bool open)
{
    if (!page) {
        ClearCurrentControl();
        activeView = nullptr;
        ScheduleCommandUpdate();
        return;
    }
    if (open)
        OpenPage(page);
    SelectControl(page);
    CChildFrame* child = ChildFrameFor(page);
    activeView = child ? child->View() : nullptr;
    if (activeView)
        activeView->InvalidatePage();
    if (ProjectData* project = ProjectOf(page))
        currentProject = project;
    ScheduleCommandUpdate();
}

void CMainFrame::CloseAllPages()
{
    // May be called from a page window's own menu: let the windows go when it returns.
    for (CChildFrame* child : QList<CChildFrame*>(pageWindows)) {
        OnChildClosing(child);
        child->close();
    }
}

void CMainFrame::ClosePageView(XPage* page)
{
    if (CChildFrame* child = ChildFrameFor(page))
        ClosePageWindowNow(child);
}

void CMainFrame::RepaintPage(XPage* page) const
{
    if (!page)
        return;
    if (CChildFrame* child = ChildFrameFor(page))
        if (child->View())
            child->View()->InvalidatePage();
}

void CMainFrame::PasteFromClipboard(XPage* page)
{
    if (clipboard.Paste(page))
        SettleSelection(page);
}

void CMainFrame::SettleSelection(XPage* page)
{
    CChildFrame* child = ChildFrameFor(page);
    if (child && child->View())
        child->View()->Logic().SettleSelection();
    else
        RepaintPage(page);
    SyncSelection();
}

QList<XControl*> CMainFrame::SelectedControls() const
{
    XPage* page = ActivePage();
    return page ? page->Selected() : QList<XControl*>();
}

void CMainFrame::SyncSelection()
{
    const QList<XControl*> selected = SelectedControls();
    XControl* current = GetCurrentControl();
    if (selectionShown && selected == shownSelection && current == shownCurrent)
        return;
    selectionShown = true;
    shownSelection = selected;
    shownCurrent = current;
    TreePane()->ShowSelection(current, selected);
    Q_EMIT selectionChanged();
}

// ====================================================================== zoom

IntRect CMainFrame::PageRectToView(const IntRect& r) const
{
    return MapRect(r.left, r.top, r.right, r.bottom);
}

QPoint CMainFrame::ViewPointToPage(int x, int y) const
{
    return {static_cast<int>(std::trunc(x / Zoom())), static_cast<int>(std::trunc(y / Zoom()))};
}

QPoint CMainFrame::PagePointToView(int x, int y) const
{
    return {ScaleLength(x), ScaleLength(y)};
}

int CMainFrame::ScaleLength(int n) const
{
    return static_cast<int>(std::trunc(n * Zoom()));
}

IntRect CMainFrame::MapRect(int left, int top, int right, int bottom) const
{
    return {ScaleLength(left), ScaleLength(top), ScaleLength(right), ScaleLength(bottom)};
}

void CMainFrame::SetZoom(double value, bool keepCursorPoint)
{
    state.SetZoom(value);
    for (CChildFrame* child : pageWindows) {
        if (CMarvolentaView* view = child->View())
            view->FitToPage(keepCursorPoint && view == activeView);
    }
    ScheduleCommandUpdate();
}

void CMainFrame::ZoomStep(int delta)
{
    const double next = ViewZoom::ZoomAfterStep(Zoom(), delta);
    if (ViewZoom::ZoomDiffers(Zoom(), next))
        SetZoom(next, true);
}

void CMainFrame::SetToolMode(int mode)
{
    state.SetToolMode(mode);
    ScheduleCommandUpdate();
}

// ====================================================================== panes and tree

XControl* CMainFrame::GetCurrentControl() const { return panes->CurrentControl(); }

void CMainFrame::SelectControl(XControl* control)
{
    panes->SelectControl(control);
    SyncSelection();
}

void CMainFrame::ClearCurrentControl()
{
    panes->ClearCurrentControl();
    SyncSelection();
}
void CMainFrame::RefreshProperties() { panes->RefreshProperties(); }
void CMainFrame::ShowProperties(XControl* element) { panes->ShowProperties(element); }
void CMainFrame::PropertyChanged(CMFCMyPropertyGridProperty& property) { panes->PropertyChanged(property); }
bool CMainFrame::PropertyButton(CMFCMyPropertyGridProperty& property) { return panes->PropertyButton(property); }

void CMainFrame::InsertTreeItem(ProjectData* project, XControl* element, const QString& label, int positionKind,
                                int expand)
{
    panes->InsertTreeItem(project, element, label, positionKind, expand != 0);
    selectionShown = false; // a new item may stand for a selected control
}

void CMainFrame::UpdateTreeItem(XControl* element) { panes->UpdateTreeItem(element); }

void CMainFrame::RemoveTreeItem(XControl* element)
{
    panes->RemoveTreeItem(element);
    selectionShown = false;
}
void CMainFrame::MoveTreeItemDown(XControl* control) { panes->MoveTreeItemDown(control); }
void CMainFrame::MoveTreeItemUp(XControl* control) { panes->MoveTreeItemUp(control); }
void CMainFrame::ActivateControl(XPage* page, XControl* control) { panes->ActivateControl(page, control); }
bool CMainFrame::DropItem(XControl* source, XControl* target) { return panes->DropItem(source, target); }
bool CMainFrame::IsPage(XControl* element) const { return PaneWiring::IsPage(element); }
bool CMainFrame::IsSubPage(XControl* element) const { return PaneWiring::IsSubPage(element); }
void CMainFrame::DeleteItem(XControl* element) { panes->DeleteItem(element); }
void CMainFrame::DuplicateItem(XControl* element) { panes->DuplicateItem(element); }

void CMainFrame::ToggleControl(XPage* page, XControl* control)
{
    if (!page || !control || control->page != page)
        return;
    // Another page's selection is not added to: it starts with this control.
    if (ActivePage() != page) {
        ActivateControl(page, control);
        return;
    }
    control->selected = !control->selected;
    SettleSelection(page);
}

void CMainFrame::SetControlLocked(XControl* control, bool locked)
{
    if (control && control->page && control != control->page)
        layout->SetLocked({control}, locked);
}

const LayoutSettings* CMainFrame::GetLayoutSettings(const XPage* page) const
{
    return layout->Settings(page);
}

void CMainFrame::LocksChanged(XPage* page)
{
    layout->LocksChanged(page);
}

void CMainFrame::ShowAtLastPlace()
{
    if (FrameworkSettings().value(kGeometryKey).toByteArray().isEmpty())
        showMaximized();
    else
        show();
    // Without a layout of the user's, the panes get their widths once the window has
    // its size: set before, the central area takes what they were meant to have.
    if (FrameworkSettings().value(kStateKey).toByteArray().isEmpty())
        QTimer::singleShot(0, this, [this] { panes->SizePanes(); });
}

void CMainFrame::SetCurrentProject(ProjectData* project)
{
    currentProject = project;
    ScheduleCommandUpdate();
}
