#include "CMainFrame.h"

#include "AppIcons.h"
#include "ApplicationLook.h"
#include "CAboutDlg.h"
#include "CChildFrame.h"
#include "CMyMenuBar.h"
#include "CMyToolBar.h"
#include "Commands.h"
#include "ProjectTreePane.h"
#include "PropertyPane.h"
#include "base/AppPaths.h"
#include "base/DialogRegistry.h"
#include "base/FileUtil.h"
#include "base/IniFile.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "base/Versions.h"
#include "controls/ControlDialogRequests.h"
#include "devicelink/ui/CTransmissionProjectDlg.h"
#include "editor/ViewZoom.h"
#include "editor/ui/CMarvolentaView.h"
#include "model/BrushDialogRequests.h"
#include "model/NameDialogRequest.h"
#include "model/ProjectData.h"
#include "model/ProjectDialogRequests.h"
#include "model/TActionCommand.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QImageWriter>
#include <QJsonObject>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QStyle>
#include <QUrl>

#include <cmath>

namespace {

const QString kInfo = QStringLiteral("Info");
const QString kProjectFilePath = QStringLiteral("ProjectFilePath");
const QString kNone = QStringLiteral("NONE");

constexpr double kZoomEpsilon = 1e-6;
constexpr double kZoomCheckEpsilon = 0.0001;

struct ZoomItem {
    int id;
    double value;
    const char* text;
};
constexpr ZoomItem kZoomItems[] = {
    {Cmd::Zoom200, 2.0, "200%"}, {Cmd::Zoom100, 1.0, "100%"}, {Cmd::Zoom75, 0.75, "75%"}, {Cmd::Zoom50, 0.5, "50%"}};

struct MenuItemKey {
    int id;
    const char* key;
};
// Menu texts of the commands outside the controls menu.
constexpr MenuItemKey kMenuTexts[] = {
    {Cmd::NewProject, "8"},   {Cmd::OpenProject, "9"},   {Cmd::SaveProject, "30"},
    {Cmd::CloseProject, "10"}, {Cmd::SaveAs, "204"},     {Cmd::Exit, "11"},
    {Cmd::Transmit, "22"},    {Cmd::ProjectSize, "232"}, {Cmd::LanguageZhCn, "24"},
    {Cmd::LanguageZhTw, "25"}, {Cmd::LanguageEn, "26"},  {Cmd::About, "27"},
};

// Image fields carried over and the reference cut when a control is pasted into
// another project, by type number.
struct CrossProjectRule {
    int type;
    std::initializer_list<const char*> imageFields;
};
const CrossProjectRule kCrossProjectRules[] = {
    {5, {"imageFile"}},
    {6, {"imageFile", "pressedImageFile"}},
    {8, {"sliderImage1", "sliderImage2", "sliderImage3"}},
    {12, {"imageFile"}},
    {15, {"imageFile", "pressedImageFile"}},
    {16, {"imageFile"}},
    {19, {"imageFile"}},
    {21, {"imageFile"}},
    {22, {"imageFile", "pressedImageFile"}},
    {23, {"imageFile", "pressedImageFile"}},
    {24, {"imageFile"}},
    {30, {"imageFile", "volumeImage2"}},
    {34, {"imageFile", "pressedImageFile"}},
    {37, {"imageFile", "volumeImage2"}},
};

QString CleanFolder(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool IsPageType(int type)
{
    return type == TypeRegistry::kPage || type == TypeRegistry::kSubPage;
}

} // namespace

// ====================================================================== construction

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QString::fromUtf8(Versions::kProductWord) + u' ' + QString::fromUtf8(Versions::kBuildVersion));
    setWindowIcon(AppIcons::Application());

    look = FrameworkSettings().value(QStringLiteral("ApplicationLook"), ApplicationLook::kDefault).toInt();
    if (!ApplicationLook::IsValid(look))
        look = ApplicationLook::kDefault;
    ApplicationLook::Apply(look);

    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName(QStringLiteral("PageArea"));
    mdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea);
    connect(mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    CreateActions();
    CreateMenus();
    CreateToolBars();
    setDockNestingEnabled(true);
    CreatePanes();
    MeasureFrameExtra();
    if (QImageWriter::supportedImageFormats().contains("png"))
        pngEncoder = "png";
    ApplyLanguageTexts();
    setAcceptDrops(true);

    const QSettings& settings = FrameworkSettings();
    const QByteArray geometry = settings.value(QStringLiteral("Workspace/Geometry")).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(1280, 800);
    restoreState(settings.value(QStringLiteral("Workspace/State")).toByteArray());

    qApp->installEventFilter(this);
    commandUpdateTimer.setInterval(200);
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
    currentControl = nullptr;
    grid.RemoveAll();
    formatSource.reset();
    clipboard.clear();
    projects.clear();
}

QAction* CMainFrame::MakeAction(int id, bool checkable, bool withIcon)
{
    auto* action = new QAction(this);
    action->setData(id);
    action->setCheckable(checkable);
    if (withIcon)
        action->setIcon(AppIcons::ForCommand(id));
    action->setObjectName(QStringLiteral("command%1").arg(id));
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions.insert(id, action);
    return action;
}

void CMainFrame::CreateActions()
{
    for (int id : {int(Cmd::NewProject), int(Cmd::OpenProject), int(Cmd::SaveProject), int(Cmd::CloseProject),
                   int(Cmd::SaveAs), int(Cmd::Transmit), int(Cmd::ProjectSize), int(Cmd::About)})
        MakeAction(id, false, true);
    MakeAction(Cmd::Exit, false, false);
    actions[Cmd::NewProject]->setShortcut(QKeySequence::New);
    actions[Cmd::OpenProject]->setShortcut(QKeySequence::Open);
    actions[Cmd::SaveProject]->setShortcut(QKeySequence::Save);
    actions[Cmd::Exit]->setMenuRole(QAction::QuitRole);
    for (int id = Cmd::LookFirst; id <= Cmd::LookLast; ++id)
        MakeAction(id, true, false);
    for (const ZoomItem& z : kZoomItems)
        MakeAction(z.id, true, false)->setText(QString::fromLatin1(z.text));
    MakeAction(Cmd::ZoomOther, true, false);
    for (int id : {int(Cmd::LanguageZhCn), int(Cmd::LanguageZhTw), int(Cmd::LanguageEn)})
        MakeAction(id, true, false);
    MakeAction(Cmd::Select, true, true);
    for (const ControlCommand& c : kControlCommands)
        MakeAction(c.id, true, true);
    for (const BarButton& b : kOtherBar)
        MakeAction(b.id, true, true);
    for (const BarButton& b : kEditBar)
        MakeAction(b.id, false, true);
    for (const BarButton& b : kAlignBar)
        MakeAction(b.id, false, true);
}

void CMainFrame::CreateMenus()
{
    menu = new CMyMenuBar(this, this);
    setMenuBar(menu);
    auto addMenu = [this](QWidget* parent, const QString& key) {
        auto* m = new QMenu(parent);
        menuKeys.insert(m, key);
        connect(m, &QMenu::aboutToShow, this, [this] {
            RelabelMenus();
            UpdateCommandUI();
        });
        return m;
    };

    QMenu* file = addMenu(menu, QStringLiteral("4"));
    file->addAction(actions[Cmd::NewProject]);
    file->addAction(actions[Cmd::OpenProject]);
    file->addAction(actions[Cmd::SaveProject]);
    file->addAction(actions[Cmd::CloseProject]);
    file->addAction(actions[Cmd::SaveAs]);
    file->addSeparator();
    file->addAction(actions[Cmd::Exit]);
    menu->addMenu(file);

    QMenu* view = addMenu(menu, QStringLiteral("5"));
    QMenu* looks = addMenu(view, QStringLiteral("13"));
    for (int id = Cmd::LookFirst; id <= Cmd::LookLast; ++id)
        looks->addAction(actions[id]);
    view->addMenu(looks);
    QMenu* zooms = addMenu(view, QStringLiteral("14"));
    for (const ZoomItem& z : kZoomItems)
        zooms->addAction(actions[z.id]);
    zooms->addAction(actions[Cmd::ZoomOther]);
    view->addMenu(zooms);
    menu->addMenu(view);

    QMenu* controls = addMenu(menu, QStringLiteral("220"));
    for (const ControlCommand& c : kControlCommands)
        if (c.menuKey)
            controls->addAction(actions[c.id]);
    menu->addMenu(controls);

    QMenu* operations = addMenu(menu, QStringLiteral("6"));
    operations->addAction(actions[Cmd::Transmit]);
    actions[Cmd::Transmit]->setShortcut(QKeySequence(Qt::Key_F2));
    // F2 is routed by the key filter so that it works wherever the focus is.
    actions[Cmd::Transmit]->setShortcutContext(Qt::WidgetShortcut);
    operations->addAction(actions[Cmd::ProjectSize]);
    QMenu* languages = addMenu(operations, QStringLiteral("23"));
    for (int id : {int(Cmd::LanguageZhCn), int(Cmd::LanguageZhTw), int(Cmd::LanguageEn)})
        languages->addAction(actions[id]);
    operations->addMenu(languages);
    menu->addMenu(operations);

    QMenu* help = addMenu(menu, QStringLiteral("7"));
    help->addAction(actions[Cmd::About]);
    menu->addMenu(help);

    menu->Built();
}

void CMainFrame::CreateToolBars()
{
    auto* standard = new CMyToolBar(QStringLiteral("StandardBar"), QStringLiteral("标准"), QStringLiteral("21"), this);
    for (const BarButton& b : kStandardBar)
        standard->AddCommand(actions[b.id], QString::fromLatin1(b.tipKey));
    auto* controls = new CMyToolBar(QStringLiteral("ControlBar"), QStringLiteral("控件"), QStringLiteral("20"), this);
    controls->AddCommand(actions[Cmd::Select], QStringLiteral("32"));
    auto* platform = new CMyToolBar(QStringLiteral("PlatformBar"), QStringLiteral("平台"), QStringLiteral("917"), this);
    for (const ControlCommand& c : kControlCommands) {
        if (c.bar == 1)
            controls->AddCommand(actions[c.id], QString::fromLatin1(c.tipKey));
        else if (c.bar == 2)
            platform->AddCommand(actions[c.id], QString::fromLatin1(c.tipKey));
    }
    auto* align = new CMyToolBar(QStringLiteral("AlignBar"), QStringLiteral("对齐"), QStringLiteral("17"), this);
    for (const BarButton& b : kAlignBar)
        align->AddCommand(actions[b.id], QString::fromLatin1(b.tipKey));
    auto* other = new CMyToolBar(QStringLiteral("OtherBar"), QStringLiteral("其它"), QStringLiteral("19"), this);
    for (const BarButton& b : kOtherBar)
        other->AddCommand(actions[b.id], QString::fromLatin1(b.tipKey));
    auto* edit = new CMyToolBar(QStringLiteral("EditBar"), QStringLiteral("编辑"), QStringLiteral("18"), this);
    for (const BarButton& b : kEditBar)
        edit->AddCommand(actions[b.id], QString::fromLatin1(b.tipKey));

    // Two rows under the menu bar.
    addToolBar(Qt::TopToolBarArea, standard);
    addToolBar(Qt::TopToolBarArea, controls);
    addToolBar(Qt::TopToolBarArea, platform);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, align);
    addToolBar(Qt::TopToolBarArea, other);
    addToolBar(Qt::TopToolBarArea, edit);
    toolBars = {standard, controls, platform, align, other, edit};
}

void CMainFrame::CreatePanes()
{
    treePane = new ProjectTreePane(this, this);
    treePane->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(Qt::LeftDockWidgetArea, treePane);
    propertyPane = new PropertyPane(this);
    propertyPane->setAllowedAreas(Qt::RightDockWidgetArea);
    addDockWidget(Qt::RightDockWidgetArea, propertyPane);
    resizeDocks({treePane, propertyPane}, {220, 260}, Qt::Horizontal);
    grid.SetObserver(propertyPane);
}

void CMainFrame::MeasureFrameExtra()
{
    // What a page window's caption and borders add to the page it shows.
    QMdiSubWindow probe(mdiArea);
    probe.setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    auto* body = new QWidget;
    body->setFixedSize(200, 100);
    probe.setWidget(body);
    probe.ensurePolished();
    probe.adjustSize();
    frameExtraWidth = std::max(0, probe.width() - 200);
    frameExtraHeight = std::max(0, probe.height() - 100);
    if (frameExtraHeight == 0) {
        const int border = probe.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &probe);
        frameExtraWidth = 2 * border;
        frameExtraHeight = 2 * border + probe.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &probe);
    }
}

// ====================================================================== texts

void CMainFrame::RelabelMenuBar(CMyMenuBar& bar)
{
    for (QAction* a : bar.actions()) {
        if (QMenu* m = a->menu())
            a->setText(Translate(menuKeys.value(m)));
    }
    bar.adjustSize();
    bar.updateGeometry();
}

void CMainFrame::RelabelMenus()
{
    for (auto it = menuKeys.cbegin(); it != menuKeys.cend(); ++it)
        it.key()->setTitle(Translate(it.value()));
    for (const MenuItemKey& m : kMenuTexts)
        actions[m.id]->setText(Translate(QString::fromLatin1(m.key)));
    for (int id = Cmd::LookFirst; id <= Cmd::LookLast; ++id)
        actions[id]->setText(Translate(ApplicationLook::MenuKey(id)));
    for (const ControlCommand& c : kControlCommands)
        if (c.menuKey)
            actions[c.id]->setText(Translate(QString::fromLatin1(c.menuKey)));
    // Commands without a menu item still get a text for the tool bars' accessibility.
    for (const ControlCommand& c : kControlCommands)
        if (!c.menuKey)
            actions[c.id]->setText(Translate(QString::fromLatin1(c.tipKey)));
    actions[Cmd::Select]->setText(Translate("32"));
    for (const BarButton& b : kOtherBar)
        actions[b.id]->setText(Translate(QString::fromLatin1(b.tipKey)));
    for (const BarButton& b : kEditBar)
        actions[b.id]->setText(Translate(QString::fromLatin1(b.tipKey)));
    for (const BarButton& b : kAlignBar)
        actions[b.id]->setText(Translate(QString::fromLatin1(b.tipKey)));
}

void CMainFrame::ApplyLanguageTexts()
{
    RefreshProperties();
    RelabelMenus();
    if (menu)
        RelabelMenuBar(*menu);
    treePane->setWindowTitle(Translate("15"));
    propertyPane->setWindowTitle(Translate("16"));
    for (CMyToolBar* bar : toolBars)
        bar->Relabel();
    for (CChildFrame* child : pageWindows)
        child->RelabelCaptionMenu();
    UpdateCommandUI();
}

// ====================================================================== command state

XPage* CMainFrame::ActivePage() const
{
    return activeView ? activeView->GetPage() : nullptr;
}

bool CMainFrame::HasActivePage() const
{
    return currentProject && ActivePage();
}

bool CMainFrame::IsCommandEnabled(int id) const
{
    switch (id) {
    case Cmd::NewProject:
    case Cmd::OpenProject:
    case Cmd::Exit:
    case Cmd::About:
    case Cmd::Select:
    case Cmd::ZoomOther:
    case Cmd::LanguageZhCn:
    case Cmd::LanguageZhTw:
    case Cmd::LanguageEn:
        return true;
    case Cmd::SaveProject:
    case Cmd::CloseProject:
    case Cmd::SaveAs:
    case Cmd::ProjectSize:
        return currentProject != nullptr;
    case Cmd::Transmit:
        return currentProject != nullptr;
    case Cmd::NewPage:
    case Cmd::NewSubPage:
        return currentProject != nullptr;
    case Cmd::Undo:
        return ActivePage() && ActivePage()->CanUndo();
    case Cmd::Redo:
        return ActivePage() && ActivePage()->CanRedo();
    case Cmd::AddressBrush:
        return HasActivePage() && DialogRegistry::Find(QStringLiteral("address")) != nullptr;
    case Cmd::StreamBrush:
        return HasActivePage() && DialogRegistry::Find(QStringLiteral("stream")) != nullptr;
    case Cmd::SendCodeBrush:
        return HasActivePage() && DialogRegistry::Find(SendCodeDialogRequest::Name()) != nullptr;
    case Cmd::InterlockBrush:
        return HasActivePage() && DialogRegistry::Find(InterlockDialogRequest::Name()) != nullptr;
    case Cmd::ColorBrush:
    case Cmd::FontBrush:
    case Cmd::TextBrush:
    case Cmd::FormatPainter:
        return HasActivePage();
    case Cmd::AlignLeft:
    case Cmd::AlignRight:
    case Cmd::AlignTop:
    case Cmd::AlignBottom:
    case Cmd::AlignMiddles:
    case Cmd::AlignCentres:
    case Cmd::CenterHorizontally:
    case Cmd::CenterVertically:
    case Cmd::DistributeHorizontally:
    case Cmd::DistributeVertically:
        return HasActivePage() && activeView->IsAlignCommandEnabled(id);
    default:
        break;
    }
    if (id >= Cmd::LookFirst && id <= Cmd::LookLast)
        return true;
    for (const ZoomItem& z : kZoomItems)
        if (z.id == id)
            return true;
    const int type = TypeRegistry::TypeForMenuCommand(id);
    if (type >= 0) // control creation: a page to draw on and a class to draw
        return HasActivePage() && TypeRegistry::HasClass(type);
    for (const ControlCommand& c : kControlCommands)
        if (c.id == id)
            return HasActivePage() && TypeRegistry::HasClass(c.type);
    return false;
}

bool CMainFrame::IsCommandChecked(int id) const
{
    if (id >= Cmd::LookFirst && id <= Cmd::LookLast)
        return id == look;
    for (const ZoomItem& z : kZoomItems)
        if (z.id == id)
            return std::fabs(zoom - z.value) < kZoomCheckEpsilon;
    switch (id) {
    case Cmd::ZoomOther:
        for (const ZoomItem& z : kZoomItems)
            if (std::fabs(zoom - z.value) < kZoomCheckEpsilon)
                return false;
        return true;
    case Cmd::LanguageZhCn:
    case Cmd::LanguageZhTw:
    case Cmd::LanguageEn:
        return Translation::LanguageForCommand(id) == Translation::LanguageIndex();
    case Cmd::Select:
        return toolMode == Cmd::ModeSelect;
    case Cmd::SendCodeBrush: return toolMode == Cmd::ModeSendCode;
    case Cmd::ColorBrush: return toolMode == Cmd::ModeColor;
    case Cmd::FontBrush: return toolMode == Cmd::ModeFont;
    case Cmd::TextBrush: return toolMode == Cmd::ModeText;
    case Cmd::InterlockBrush: return toolMode == Cmd::ModeInterlock;
    case Cmd::AddressBrush: return toolMode == Cmd::ModeAddress;
    case Cmd::FormatPainter: return toolMode == Cmd::ModeFormat;
    case Cmd::StreamBrush: return toolMode == Cmd::ModeStream;
    default:
        break;
    }
    for (const ControlCommand& c : kControlCommands)
        if (c.id == id)
            return toolMode == c.type;
    return false;
}

void CMainFrame::UpdateCommandUI()
{
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
        ? FormatText(QStringLiteral("%d%%"), {QString::number(static_cast<int>(std::trunc(zoom * 100)))})
        : Translate("266");
    if (other->text() != otherText)
        other->setText(otherText);
}

void CMainFrame::ScheduleCommandUpdate()
{
    QTimer::singleShot(0, this, &CMainFrame::UpdateCommandUI);
}

// ====================================================================== command routing

void CMainFrame::OnCommand(int id)
{
    if (!IsCommandEnabled(id)) {
        UpdateCommandUI();
        return;
    }
    switch (id) {
    case Cmd::NewProject: OnNewProject(); break;
    case Cmd::OpenProject: OnOpenProject(); break;
    case Cmd::SaveProject: OnSaveProject(); break;
    case Cmd::CloseProject: OnCloseProject(); break;
    case Cmd::SaveAs: OnSaveAs(); break;
    case Cmd::Exit: close(); break;
    case Cmd::About: OnAbout(); break;
    case Cmd::Transmit: OnTransmit(); break;
    case Cmd::ProjectSize: OnProjectSize(); break;
    case Cmd::LanguageZhCn:
    case Cmd::LanguageZhTw:
    case Cmd::LanguageEn: OnLanguage(id); break;
    case Cmd::Select: SetToolMode(Cmd::ModeSelect); break;
    case Cmd::NewPage: OnCreatePage(TypeRegistry::kPage); break;
    case Cmd::NewSubPage: OnCreatePage(TypeRegistry::kSubPage); break;
    case Cmd::Undo: OnUndoRedo(true); break;
    case Cmd::Redo: OnUndoRedo(false); break;
    case Cmd::ZoomOther: break;
    case Cmd::SendCodeBrush:
    case Cmd::ColorBrush:
    case Cmd::FontBrush:
    case Cmd::TextBrush:
    case Cmd::InterlockBrush:
    case Cmd::AddressBrush:
    case Cmd::FormatPainter:
    case Cmd::StreamBrush: OnBrush(id); break;
    default:
        if (id >= Cmd::LookFirst && id <= Cmd::LookLast) {
            OnApplicationLook(id);
        } else if (id >= Cmd::AlignLeft && id <= Cmd::DistributeVertically) {
            OnAlign(id);
        } else {
            bool handled = false;
            for (const ZoomItem& z : kZoomItems) {
                if (z.id == id) {
                    if (std::fabs(zoom - z.value) > kZoomEpsilon)
                        SetZoom(z.value, false);
                    handled = true;
                }
            }
            if (!handled) {
                for (const ControlCommand& c : kControlCommands)
                    if (c.id == id)
                        SetToolMode(c.type);
            }
        }
        break;
    }
    UpdateCommandUI();
}

// ====================================================================== projects

ProjectData* CMainFrame::ProjectOf(const XControl* element)
{
    return element && element->projectData ? element->projectData->GetProject() : nullptr;
}

bool CMainFrame::IsProjectFolderOpen(const QString& folder) const
{
    const QString wanted = CleanFolder(folder);
    for (const auto& p : projects)
        if (CleanFolder(p->folder) == wanted)
            return true;
    return false;
}

void CMainFrame::OnNewProject()
{
    NewProjectDialogRequest request;
    if (Ui().RunDialog(QStringLiteral("newproject"), &request) != kIdOk)
        return;
    // Two open projects on one folder would overwrite each other's data file.
    if (IsProjectFolderOpen(request.folder)) {
        ShowMessage("221", "70");
        return;
    }
    auto project = std::make_unique<ProjectData>();
    project->mainDelegate = this;
    project->screen = request.screen;
    project->folder = QDir::cleanPath(request.folder);
    if (!project->SaveProjectFile()) {
        ShowMessage("74", "70");
        return;
    }
    ProjectData* raw = project.get();
    projects.push_back(std::move(project));
    InsertTreeItem(raw, nullptr, raw->GetName(), 100, 1);
    currentProject = raw;
}

void CMainFrame::OnOpenProject()
{
    const QString path = Ui().ChooseOpenFile(Translate("77"), Translate("76"));
    if (path.isEmpty())
        return;
    OpenProjectFile(path, true);
}

bool CMainFrame::OpenProjectFile(const QString& path, bool checkDuplicate)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    if (checkDuplicate && IsProjectFolderOpen(QFileInfo(file).absolutePath())) {
        ShowMessage("221", "70");
        return false;
    }
    auto project = std::make_unique<ProjectData>();
    project->mainDelegate = this;
    QString message;
    if (!project->LoadProjectFile(file, message)) {
        if (message.isEmpty())
            ShowMessage("71", "70");
        else
            ShowMessageText(message, "70");
        return false;
    }
    ProjectData* raw = project.get();
    projects.push_back(std::move(project));
    raw->BuildTree();
    currentProject = raw;
    UpdateCommandUI();
    return true;
}

void CMainFrame::ReopenLastProject()
{
    const QString path = Profile::ReadString(AppPaths::GetSettingsPath(), kInfo, kProjectFilePath, QString(), 260);
    if (!path.isEmpty() && QFileInfo(path).isFile())
        OpenProjectFile(path, false);
}

void CMainFrame::WriteLastProject() const
{
    Profile::WriteString(AppPaths::GetSettingsPath(), kInfo, kProjectFilePath,
                         currentProject ? currentProject->GetDataFilePath() : QString());
}

void CMainFrame::OnSaveProject()
{
    if (!currentProject)
        return;
    setFocus(); // an editor of the property pane commits its value
    if (!currentProject->SaveProjectFile()) {
        ShowMessage("74", "70");
        return;
    }
    ShowMessageText(TranslateFormat("388", {QString::fromUtf8(Versions::kBuildVersion),
                                            QString::fromUtf8(Versions::kMinRuntimeVersion)}),
                    "70");
}

void CMainFrame::OnCloseProject()
{
    ProjectData* project = currentProject;
    if (!project)
        return;
    if (ShowMessage("75", "70", kButtonsCancelOk) == kIdOk) {
        setFocus();
        if (!project->SaveProjectFile()) {
            ShowMessage("74", "70");
            return;
        }
    }
    CloseProject(project);
}

void CMainFrame::CloseProject(ProjectData* project)
{
    if (!project)
        return;
    if (activeView && ProjectOf(activeView->GetPage()) == project)
        activeView = nullptr;
    treePane->RemoveProject(project);
    if (currentControl && ProjectOf(currentControl) == project)
        ClearCurrentControl();
    for (CChildFrame* child : QList<CChildFrame*>(pageWindows))
        if (ProjectOf(child->GetPage()) == project)
            ClosePageWindowNow(child);
    // Nothing the frame keeps may point into the project once it is gone.
    for (XPage* page : project->pages)
        ForgetPageEverywhere(page);
    for (ClipEntry& e : clipboard) {
        if (e.source == project) {
            e.source = nullptr;
            e.control->projectData = nullptr;
            e.control->page = nullptr;
        }
    }
    if (formatSource && ProjectOf(formatSource.get()) == project) {
        formatSource->projectData = nullptr;
        formatSource->page = nullptr;
    }
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
    for (ClipEntry& e : clipboard) {
        e.control->ForgetPage(page);
        if (e.control->page == page)
            e.control->page = nullptr;
    }
    if (formatSource) {
        formatSource->ForgetPage(page);
        if (formatSource->page == page)
            formatSource->page = nullptr;
    }
    if (interlockPage == page) {
        interlockPage = nullptr;
        interlockName.clear();
        if (toolMode == Cmd::ModeInterlock)
            toolMode = Cmd::ModeSelect;
    }
    if (currentControl && (currentControl == page || currentControl->page == page))
        ClearCurrentControl();
}

bool CMainFrame::SaveProjectCopy(ProjectData* project, const QString& targetPath)
{
    if (!project)
        return false;
    const QString source = CleanFolder(project->folder);
    const QString target = CleanFolder(targetPath);
    // A copy into the project itself would copy itself without end.
    if (target == source || target.startsWith(source + u'/'))
        return false;
    if (!QDir().mkpath(target) || !FileUtil::CopyFolder(source, target))
        return false;
    const QString oldFile = target + u'/' + project->GetName() + QStringLiteral(".mvl");
    const QString newFile = target + u'/' + ProjectData::NameFromFolder(target) + QStringLiteral(".mvl");
    if (oldFile == newFile)
        return true;
    if (QFileInfo::exists(newFile) && !QFile::remove(newFile))
        return false;
    return QFile::rename(oldFile, newFile);
}

void CMainFrame::OnSaveAs()
{
    if (!currentProject)
        return;
    const QString path = Ui().ChooseSaveFile(Translate("204"), QString(), QString());
    if (path.isEmpty())
        return;
    ShowMessage(SaveProjectCopy(currentProject, path) ? "212" : "213", "70");
}

void CMainFrame::OnTransmit()
{
    if (!currentProject)
        return;
    setFocus();
    CTransmissionProjectDlg dlg(this, currentProject->folder, currentProject->GetName(), this);
    dlg.exec();
}

void CMainFrame::OnProjectSize()
{
    ProjectData* project = currentProject;
    if (!project)
        return;
    ProjectSizeDialogRequest request{project->screen.width, project->screen.height, this};
    if (Ui().RunDialog(QStringLiteral("projectsize"), &request) != kIdOk)
        return;
    if (request.width == project->screen.width && request.height == project->screen.height)
        return;
    project->Resize(request.width, request.height);
    RefreshProperties();
}

void CMainFrame::OnLanguage(int commandId)
{
    if (Translation::SetLanguage(Translation::LanguageForCommand(commandId)))
        ApplyLanguageTexts();
}

void CMainFrame::OnApplicationLook(int id)
{
    look = id;
    FrameworkSettings().setValue(QStringLiteral("ApplicationLook"), id);
    ApplicationLook::Apply(id);
    update();
}

void CMainFrame::OnAbout()
{
    CAboutDlg dlg(this);
    dlg.exec();
}

void CMainFrame::OnCreatePage(int typeNumber)
{
    ProjectData* project = currentProject;
    if (!project)
        return;
    SetToolMode(typeNumber);
    NameDialogRequest request{Translate("72"), Translate("82"), project->NextPageName(typeNumber)};
    if (Ui().RunDialog(QStringLiteral("name"), &request) == kIdOk) {
        // "NONE" stands for "no page" in every reference, so no page may bear it.
        if (project->FindPage(request.name) || request.name == kNone) {
            ShowMessage("73", "70");
        } else if (XPage* page = project->NewPage(typeNumber, request.name)) {
            OpenPage(page);
            InsertTreeItem(project, page, page->name, typeNumber, 1);
            SelectControl(page);
            if (CChildFrame* child = ChildFrameFor(page))
                activeView = child->View();
        }
    }
    SetToolMode(Cmd::ModeSelect);
}

void CMainFrame::OnUndoRedo(bool undo)
{
    XPage* page = ActivePage();
    if (!page)
        return;
    if (undo)
        page->Undo();
    else
        page->Redo();
    RepaintPage(page);
}

void CMainFrame::OnAlign(int commandId)
{
    XPage* page = ActivePage();
    if (!page || !activeView)
        return;
    if (activeView->RunAlignCommand(commandId))
        RepaintPage(page);
}

void CMainFrame::OnBrush(int id)
{
    XPage* page = ActivePage();
    if (!page)
        return;
    switch (id) {
    case Cmd::SendCodeBrush: {
        SendCodeDialogRequest request;
        request.delegate = this;
        Ui().RunDialog(SendCodeDialogRequest::Name(), &request);
        break;
    }
    case Cmd::ColorBrush: {
        COLORREF c = brushColor;
        if (Ui().ChooseColor(brushColor, c)) {
            brushColor = c;
            SetToolMode(Cmd::ModeColor);
        }
        break;
    }
    case Cmd::FontBrush: {
        FontDesc f = brushFont;
        if (Ui().ChooseFont(brushFont, f)) {
            brushFont = f;
            SetToolMode(Cmd::ModeFont);
        }
        break;
    }
    case Cmd::TextBrush: {
        NameDialogRequest request{Translate("79"), Translate("80"), brushText};
        if (Ui().RunDialog(QStringLiteral("name"), &request) == kIdOk) {
            brushText = request.name;
            SetToolMode(Cmd::ModeText);
        }
        break;
    }
    case Cmd::InterlockBrush: {
        InterlockDialogRequest request;
        request.page = page;
        request.delegate = this;
        Ui().RunDialog(InterlockDialogRequest::Name(), &request);
        break;
    }
    case Cmd::AddressBrush: {
        AddressDialogRequest request{Translate("265"), addressBrush};
        if (Ui().RunDialog(QStringLiteral("address"), &request) == kIdOk) {
            addressBrush = request.address;
            SetToolMode(Cmd::ModeAddress);
        }
        break;
    }
    case Cmd::FormatPainter: {
        if (page->SelectedCount() != 1) {
            ShowMessage("323", "70");
            break;
        }
        formatSource.reset(CloneControl(page->FirstSelected(), false));
        if (formatSource)
            SetToolMode(Cmd::ModeFormat);
        break;
    }
    case Cmd::StreamBrush: {
        StreamDialogRequest request{streamBrush, streamCount};
        if (Ui().RunDialog(QStringLiteral("stream"), &request) == kIdOk) {
            streamBrush = request.address;
            streamCount = request.streamCount == 3 ? 3 : 2;
            SetToolMode(Cmd::ModeStream);
        }
        break;
    }
    default:
        break;
    }
}

// ====================================================================== exit, drops, keys

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!projects.empty()) {
        const int answer = ShowMessage("75", "70", kButtonsCancelNoYes);
        if (answer == kIdCancel) {
            event->ignore();
            return;
        }
        if (answer == kIdYes) {
            setFocus();
            for (const auto& p : projects) {
                if (!p->SaveProjectFile()) {
                    ShowMessage("74", "70");
                    event->ignore();
                    return;
                }
            }
        }
    }
    QSettings& settings = FrameworkSettings();
    settings.setValue(QStringLiteral("Workspace/Geometry"), saveGeometry());
    settings.setValue(QStringLiteral("Workspace/State"), saveState());
    settings.sync();
    exiting = true;
    event->accept();
}

namespace {
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
    if (dot < 0 || path.mid(dot) != QLatin1String(".mvl"))
        return {};
    return path;
}
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
    if (activeView && !(focus && propertyPane->isAncestorOf(focus)))
        activeView->HandleKey(key->key(), key->modifiers());
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

// ====================================================================== zoom

IntRect CMainFrame::PageRectToView(const IntRect& r) const
{
    return MapRect(r.left, r.top, r.right, r.bottom);
}

QPoint CMainFrame::ViewPointToPage(int x, int y) const
{
    return {static_cast<int>(std::trunc(x / zoom)), static_cast<int>(std::trunc(y / zoom))};
}

QPoint CMainFrame::PagePointToView(int x, int y) const
{
    return {ScaleLength(x), ScaleLength(y)};
}

int CMainFrame::ScaleLength(int n) const
{
    return static_cast<int>(std::trunc(n * zoom));
}

QPoint CMainFrame::MapPoint(int x, int y) const
{
    return PagePointToView(x, y);
}

IntRect CMainFrame::MapRect(int left, int top, int right, int bottom) const
{
    return {ScaleLength(left), ScaleLength(top), ScaleLength(right), ScaleLength(bottom)};
}

void CMainFrame::SetZoom(double value, bool keepCursorPoint)
{
    zoom = value;
    for (CChildFrame* child : pageWindows) {
        if (CMarvolentaView* view = child->View())
            view->FitToPage(keepCursorPoint && view == activeView);
    }
    ScheduleCommandUpdate();
}

void CMainFrame::ZoomStep(int delta)
{
    const double next = ViewZoom::ZoomAfterStep(zoom, delta);
    if (ViewZoom::ZoomDiffers(zoom, next))
        SetZoom(next, true);
}

// ====================================================================== selection and panes

void CMainFrame::SetToolMode(int mode)
{
    toolMode = mode;
    ScheduleCommandUpdate();
}

void CMainFrame::SelectControl(XControl* control)
{
    if (!control) {
        ClearCurrentControl();
        return;
    }
    XControl* previous = currentControl;
    if (previous && previous != control && !IsPageType(previous->GetType()) && previous->page
        && previous->page != control->page) {
        previous->selected = false;
        RepaintPage(previous->page);
    }
    currentControl = control;
    FillPropertyPane();
    XPage* page = control->page;
    if (!page)
        return;
    page->SelectOnly(control);
    if (CChildFrame* child = ChildFrameFor(page)) {
        if (CMarvolentaView* view = child->View()) {
            view->SetFocusControl(control == page ? nullptr : control);
            view->InvalidatePage();
        }
    }
    ScheduleCommandUpdate();
}

void CMainFrame::FillPropertyPane()
{
    grid.RemoveAll();
    if (currentControl)
        currentControl->FillProperties(grid);
    propertyPane->ShowModel(grid);
}

void CMainFrame::ClearCurrentControl()
{
    grid.RemoveAll();
    propertyPane->Clear();
    currentControl = nullptr;
}

void CMainFrame::RefreshProperties()
{
    if (currentControl)
        FillPropertyPane();
}

void CMainFrame::ShowProperties(XControl* element)
{
    currentControl = element;
    if (element)
        FillPropertyPane();
    else
        ClearCurrentControl();
}

void CMainFrame::PropertyChanged(CMFCMyPropertyGridProperty& property)
{
    XControl* control = currentControl;
    if (!control)
        return;
    if (control->OnPropertyChanged(property) && property.data == 0)
        UpdateTreeItem(control);
}

// ====================================================================== tree

void CMainFrame::InsertTreeItem(ProjectData* project, XControl* element, const QString& label, int positionKind,
                                int expand)
{
    treePane->InsertItem(project, element, label, positionKind, expand != 0);
}

void CMainFrame::AddTreeItem(ProjectData* project, XControl* element, const QString& name, int type, int flags)
{
    InsertTreeItem(project, element, name, type, flags);
}

void CMainFrame::UpdateTreeItem(XControl* element)
{
    treePane->RelabelItem(element);
}

void CMainFrame::RemoveTreeItem(XControl* element)
{
    treePane->RemoveItem(element);
}

void CMainFrame::MoveTreeItemDown(XControl* control)
{
    treePane->MoveItemDown(control);
}

void CMainFrame::MoveTreeItemUp(XControl* control)
{
    treePane->MoveItemUp(control);
}

void CMainFrame::ActivateControl(XPage* page, XControl* control)
{
    ActivatePage(page, true);
    SelectControl(control);
    if (ProjectData* project = ProjectOf(page))
        currentProject = project;
}

void CMainFrame::SetCurrentProject(ProjectData* project)
{
    currentProject = project;
    ScheduleCommandUpdate();
}

bool CMainFrame::IsPage(XControl* element) const
{
    return element && element->GetType() == TypeRegistry::kPage;
}

bool CMainFrame::IsSubPage(XControl* element) const
{
    return element && element->GetType() == TypeRegistry::kSubPage;
}

XPage* CMainFrame::GetItemPage(XControl* element) const
{
    return element ? element->page : nullptr;
}

bool CMainFrame::DropItem(XControl* source, XControl* target)
{
    if (!source || !target || source == target)
        return false;
    ProjectData* project = ProjectOf(source);
    if (!project || project != ProjectOf(target))
        return false;
    const int sourceType = source->GetType();
    if (IsPageType(sourceType)) {
        if (sourceType == TypeRegistry::kPage && target->GetType() == TypeRegistry::kPage)
            return project->MovePageAfter(static_cast<XPage*>(source), static_cast<XPage*>(target));
        return false;
    }
    XPage* sourcePage = source->page;
    XPage* targetPage = target->page;
    if (!sourcePage || !targetPage)
        return false;
    if (targetPage == sourcePage) {
        if (target == sourcePage)
            return false; // onto its own page
        sourcePage->MoveControlAfter(source, target);
        RepaintPage(sourcePage);
        return true;
    }
    XControl* copy = CloneControl(source, false);
    if (!copy)
        return false;
    auto* group = new TActionCommands;
    group->Add(new TControlExistCommand(copy, targetPage, true));
    group->Execute();
    targetPage->PushCommands(group);
    RepaintPage(targetPage);
    return false;
}

void CMainFrame::DeleteItem(XControl* element)
{
    if (!element)
        return;
    ProjectData* project = ProjectOf(element);
    if (IsPageType(element->GetType())) {
        auto* page = static_cast<XPage*>(element);
        ClosePageView(page);
        RemoveTreeItem(page);
        ForgetPageEverywhere(page);
        if (project)
            project->DeletePage(page);
        ScheduleCommandUpdate();
        return;
    }
    XPage* page = element->page;
    if (!page)
        return;
    auto* group = new TActionCommands;
    group->Add(new TControlExistCommand(element, page, false));
    group->Execute();
    page->PushCommands(group);
    RepaintPage(page);
}

void CMainFrame::DuplicateItem(XControl* element)
{
    if (!element)
        return;
    if (IsPageType(element->GetType())) {
        auto* copy = static_cast<XPage*>(DuplicateElement(element, false));
        ProjectData* project = ProjectOf(copy);
        if (!copy || !project)
            return;
        InsertTreeItem(project, copy, copy->name, copy->GetType(), 0);
        for (XControl* c : copy->controls)
            InsertTreeItem(project, c, c->name, c->GetType(), 0);
        return;
    }
    XPage* page = element->page;
    XControl* copy = CloneControl(element, false);
    if (!page || !copy) {
        delete copy;
        return;
    }
    auto* group = new TActionCommands;
    group->Add(new TControlExistCommand(copy, page, true));
    group->Execute();
    page->PushCommands(group);
    RepaintPage(page);
}

// ====================================================================== elements

XControl* CMainFrame::CreateElement(int typeNumber)
{
    return ::CreateElement(typeNumber);
}

XControl* CMainFrame::CreateControl(int typeNumber)
{
    return ::CreateElement(typeNumber);
}

XControl* CMainFrame::DuplicateElement(XControl* element, bool withIdentity)
{
    if (!element)
        return nullptr;
    if (IsPageType(element->GetType())) {
        ProjectData* project = ProjectOf(element);
        if (!project)
            return nullptr;
        XPage* copy = project->NewPage(element->GetType(), project->NextPageName(element->GetType()));
        if (copy) {
            const QString freshName = copy->name;
            copy->CopyFrom(*element, withIdentity);
            if (!withIdentity)
                copy->name = freshName;
        }
        return copy;
    }
    XControl* copy = CreateControl(element->GetType());
    if (copy)
        copy->CopyFrom(*element, withIdentity);
    return copy;
}

XControl* CMainFrame::CloneControl(XControl* control, bool withIdentity)
{
    return DuplicateElement(control, withIdentity);
}

// ====================================================================== clipboard

void CMainFrame::CopyToClipboard(XPage* page)
{
    if (!page)
        return;
    clipboard.clear();
    ProjectData* project = ProjectOf(page);
    for (XControl* c : page->controls) {
        if (!c->selected)
            continue;
        XControl* copy = CloneControl(c, false);
        if (!copy)
            continue;
        copy->selected = false;
        clipboard.push_back({std::unique_ptr<XControl>(copy), project ? project->folder : QString(), project});
    }
}

void CMainFrame::PasteFromClipboard(XPage* page)
{
    if (!page || clipboard.empty())
        return;
    ProjectData* target = ProjectOf(page);
    auto* group = new TActionCommands;
    for (const ClipEntry& entry : clipboard) {
        XControl* copy = CloneControl(entry.control.get(), false);
        if (!copy)
            continue;
        const bool otherProject = !target || entry.source != target
            || CleanFolder(entry.sourceFolder) != CleanFolder(target->folder);
        if (otherProject)
            CutReferences(copy, entry.source);
        copy->mainDelegate = this;
        copy->projectData = target;
        copy->page = page;
        if (otherProject && target)
            CarryImages(copy, entry.sourceFolder, target);
        group->Add(new TControlExistCommand(copy, page, true));
    }
    if (group->IsEmpty()) {
        delete group;
        return;
    }
    group->Execute();
    page->PushCommands(group);
    RepaintPage(page);
}

void CMainFrame::CutReferences(XControl* copy, ProjectData* source)
{
    // The references a control keeps point at pages and controls of the project it
    // was copied from; none of them exists in the other project.
    if (!source)
        return;
    for (XPage* p : source->pages) {
        copy->ForgetPage(p);
        for (XControl* c : p->controls)
            copy->ForgetControl(c);
    }
}

void CMainFrame::CarryImages(XControl* copy, const QString& sourceFolder, ProjectData* target) const
{
    const int type = copy->GetType();
    for (const CrossProjectRule& rule : kCrossProjectRules) {
        if (rule.type != type)
            continue;
        QJsonObject fields;
        copy->DescribeFields(fields);
        for (const char* field : rule.imageFields) {
            const QString name = fields.value(QLatin1String(field)).toString();
            if (name.isEmpty() || name == kNone || !IsPlainFileName(name))
                continue;
            const QString from = sourceFolder + QStringLiteral("/PHOTO/") + name;
            const QString to = target->ImagePath(name);
            if (QFileInfo(from).isFile() && !FileUtil::SamePath(from, to)) {
                QDir().mkpath(target->GetImageFolder());
                FileUtil::CopyFileReplacing(from, to); // a failed copy leaves the name out below
            }
            if (!target->images.contains(name) && QFileInfo(to).isFile())
                target->images.append(name);
        }
    }
}

// ====================================================================== brushes

QString CMainFrame::FormatAddress(quint32 a)
{
    return QStringLiteral("%1.%2.%3.%4").arg((a >> 24) & 0xFF).arg((a >> 16) & 0xFF).arg((a >> 8) & 0xFF).arg(a & 0xFF);
}

namespace {
// The last byte counts on and wraps from 255 to 0 without touching the others.
quint32 NextLastByte(quint32 a)
{
    return (a & 0xFFFFFF00u) | ((a + 1) & 0xFFu);
}
}

QString CMainFrame::NextBrushAddress()
{
    const QString text = FormatAddress(addressBrush);
    addressBrush = NextLastByte(addressBrush);
    return text;
}

QString CMainFrame::NextBrushStreamUrl()
{
    const QString a = FormatAddress(streamBrush);
    streamBrush = NextLastByte(streamBrush);
    if (streamCount == 2)
        return FormatText(QStringLiteral("rtsp://%s:2554/352;rtsp://%s:554/1080"), {a, a});
    return FormatText(QStringLiteral("rtsp://%s:2554/352;rtsp://%s:554/1080;rtsp://%s:551/2160"), {a, a, a});
}

int CMainFrame::NextSendCode()
{
    const int code = sendCodeCounter;
    ++sendCodeCounter;
    if (sendCodeCounter > 4000)
        sendCodeCounter = 1;
    return code;
}

void CMainFrame::SetInterlockBrush(XPage* page, const QString& groupName)
{
    interlockPage = page;
    interlockName = groupName;
}
