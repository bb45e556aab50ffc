#include "FrameMenus.h"

#include "AppIcons.h"
#include "ApplicationLook.h"
#include "CMainFrame.h"
#include "CMyMenuBar.h"
#include "CMyToolBar.h"
#include "Commands.h"
#include "RecentProjects.h"
#include "base/Translation.h"
#include "editor/DesignViewLogic.h"
#include "model/TypeRegistry.h"

#include <QAction>
#include <QMenu>

namespace {

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
    {Cmd::CheckProject, "1068"}, {Cmd::Preview, "1500"}, {Cmd::ExportPrototype, "1501"},
    {Cmd::Overview, "1450"},   {Cmd::ImageLibrary, "1492"}, {Cmd::FindReplace, "1477"},
    {Cmd::ExportCodes, "1474"},
    {Cmd::GridSpacing, "2209"}, {Cmd::PageTabs, "2213"},
};

// Shortcuts the frame's key routing hands to the design view: the menus only show them.
struct ShownShortcut {
    int id;
    QKeySequence keys;
};
const ShownShortcut kViewShortcuts[] = {
    {Cmd::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z)},
    {Cmd::Redo, QKeySequence(Qt::CTRL | Qt::Key_Y)},
    {Cmd::ViewCut, ViewCommand::ShortcutOf(ViewCommand::kCut)},
    {Cmd::ViewCopy, ViewCommand::ShortcutOf(ViewCommand::kCopy)},
    {Cmd::ViewPaste, ViewCommand::ShortcutOf(ViewCommand::kPaste)},
    {Cmd::ViewDuplicate, ViewCommand::ShortcutOf(ViewCommand::kDuplicate)},
    {Cmd::ViewDelete, ViewCommand::ShortcutOf(ViewCommand::kDelete)},
    {Cmd::ViewSelectAll, ViewCommand::ShortcutOf(ViewCommand::kSelectAll)},
};

constexpr int kLanguageCommands[] = {Cmd::LanguageZhCn, Cmd::LanguageZhTw, Cmd::LanguageEn};

QString Key(const char* key)
{
    return QString::fromLatin1(key);
}

} // namespace

FrameMenus::FrameMenus(CMainFrame& f) : frame(f) {}

void FrameMenus::Build()
{
    CreateActions();
    CreateMenus();
    CreateToolBars();
}

QAction* FrameMenus::MakeAction(int id, bool checkable, bool withIcon)
{
    auto* action = new QAction(&frame);
    action->setData(id);
    action->setCheckable(checkable);
    if (withIcon)
        action->setIcon(AppIcons::ForCommand(id));
    action->setObjectName(QStringLiteral("command%1").arg(id));
    CMainFrame* target = &frame;
    QObject::connect(action, &QAction::triggered, target, [target, id] { target->OnCommand(id); });
    actions.insert(id, action);
    return action;
}

void FrameMenus::CreateActions()
{
    for (int id : {int(Cmd::NewProject), int(Cmd::OpenProject), int(Cmd::SaveProject), int(Cmd::CloseProject),
                   int(Cmd::SaveAs), int(Cmd::Transmit), int(Cmd::ProjectSize), int(Cmd::About)})
        MakeAction(id, false, true);
    MakeAction(Cmd::Exit, false, false);
    MakeAction(Cmd::CheckProject, false, false);
    MakeAction(Cmd::Preview, false, true)->setShortcut(QKeySequence(Qt::Key_F5));
    MakeAction(Cmd::ExportPrototype, false, false);
    MakeAction(Cmd::Overview, false, false);
    MakeAction(Cmd::ImageLibrary, false, false);
    MakeAction(Cmd::FindReplace, false, false)->setShortcut(QKeySequence::Find);
    MakeAction(Cmd::ExportCodes, false, false);
    actions[Cmd::NewProject]->setShortcut(QKeySequence::New);
    actions[Cmd::OpenProject]->setShortcut(QKeySequence::Open);
    actions[Cmd::SaveProject]->setShortcut(QKeySequence::Save);
    actions[Cmd::Exit]->setMenuRole(QAction::QuitRole);
    for (int id = Cmd::LookFirst; id <= Cmd::LookLast; ++id)
        MakeAction(id, true, false);
    for (const ZoomItem& z : kZoomItems)
        MakeAction(z.id, true, false)->setText(QString::fromLatin1(z.text));
    MakeAction(Cmd::ZoomOther, true, false);
    for (int id : kLanguageCommands)
        MakeAction(id, true, false);
    MakeAction(Cmd::Select, true, true);
    for (const ElementTypeInfo& t : TypeRegistry::All())
        if (t.menuCommand)
            MakeAction(t.menuCommand, true, true);
    for (const BarButton& b : kOtherBar)
        MakeAction(b.id, true, true);
    for (const BarButton& b : kEditBar)
        MakeAction(b.id, false, true);
    for (const BarButton& b : kAlignBar)
        MakeAction(b.id, false, true);

    for (const BarButton& b : kLayoutBar)
        MakeAction(b.id, b.id == Cmd::ShowGrid || b.id == Cmd::SnapToGrid || b.id == Cmd::SmartGuides, true);
    MakeAction(Cmd::GridSpacing, false, false);
    MakeAction(Cmd::PageTabs, true, false);
    for (const BarButton& b : kEditMenu)
        MakeAction(b.id, false, true);
    for (int id = Cmd::RecentFirst; id <= Cmd::RecentLast; ++id)
        MakeAction(id, false, false)->setVisible(false);
    actions[Cmd::ZoomIn]->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    actions[Cmd::ZoomOut]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    actions[Cmd::Zoom100]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    actions[Cmd::ZoomFit]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_9));
    for (const ShownShortcut& s : kViewShortcuts) {
        actions[s.id]->setShortcut(s.keys);
        actions[s.id]->setShortcutContext(Qt::WidgetShortcut);
    }
}

QMenu* FrameMenus::MakeMenu(QWidget* parent, const QString& key)
{
    auto* m = new QMenu(parent);
    menuKeys.insert(m, key);
    CMainFrame* target = &frame;
    QObject::connect(m, &QMenu::aboutToShow, target, [this, target] {
        RelabelMenus();
        target->UpdateCommandUI();
    });
    return m;
}

void FrameMenus::CreateMenus()
{
    menu = new CMyMenuBar(&frame, &frame);
    frame.setMenuBar(menu);

    QMenu* file = MakeMenu(menu, QStringLiteral("4"));
    file->addAction(actions[Cmd::NewProject]);
    file->addAction(actions[Cmd::OpenProject]);
    file->addAction(actions[Cmd::SaveProject]);
    file->addAction(actions[Cmd::CloseProject]);
    file->addAction(actions[Cmd::SaveAs]);
    file->addSeparator();
    for (int id = Cmd::RecentFirst; id <= Cmd::RecentLast; ++id)
        file->addAction(actions[id]);
    file->addSeparator();
    file->addAction(actions[Cmd::Exit]);
    menu->addMenu(file);

    QMenu* edit = MakeMenu(menu, QStringLiteral("2200"));
    edit->addAction(actions[Cmd::Undo]);
    edit->addAction(actions[Cmd::Redo]);
    edit->addSeparator();
    for (const BarButton& b : kEditMenu) {
        if (b.id == Cmd::ViewSelectAll)
            edit->addSeparator();
        edit->addAction(actions[b.id]);
    }
    menu->addMenu(edit);

    QMenu* view = MakeMenu(menu, QStringLiteral("5"));
    QMenu* looks = MakeMenu(view, QStringLiteral("13"));
    for (int id = Cmd::LookFirst; id <= Cmd::LookLast; ++id)
        looks->addAction(actions[id]);
    view->addMenu(looks);
    QMenu* zooms = MakeMenu(view, QStringLiteral("14"));
    for (const ZoomItem& z : kZoomItems)
        zooms->addAction(actions[z.id]);
    zooms->addAction(actions[Cmd::ZoomOther]);
    zooms->addSeparator();
    for (int id : {int(Cmd::ZoomIn), int(Cmd::ZoomOut), int(Cmd::ZoomFit)})
        zooms->addAction(actions[id]);
    view->addMenu(zooms);
    view->addAction(actions[Cmd::Overview]);
    view->addAction(actions[Cmd::ImageLibrary]);
    view->addSeparator();
    for (int id : {int(Cmd::ShowGrid), int(Cmd::SnapToGrid), int(Cmd::SmartGuides), int(Cmd::GridSpacing)})
        view->addAction(actions[id]);
    view->addSeparator();
    view->addAction(actions[Cmd::PageTabs]);
    menu->addMenu(view);

    QMenu* controls = MakeMenu(menu, QStringLiteral("220"));
    for (const ElementTypeInfo& t : TypeRegistry::All())
        if (t.menuCommand && t.menuKey)
            controls->addAction(actions[t.menuCommand]);
    menu->addMenu(controls);

    QMenu* operations = MakeMenu(menu, QStringLiteral("6"));
    operations->addAction(actions[Cmd::Transmit]);
    actions[Cmd::Transmit]->setShortcut(QKeySequence(Qt::Key_F2));
    // F2 is routed by the key filter so that it works wherever the focus is.
    actions[Cmd::Transmit]->setShortcutContext(Qt::WidgetShortcut);
    operations->addAction(actions[Cmd::ProjectSize]);
    operations->addAction(actions[Cmd::CheckProject]);
    operations->addSeparator();
    operations->addAction(actions[Cmd::Preview]);
    operations->addAction(actions[Cmd::ExportPrototype]);
    operations->addSeparator();
    operations->addAction(actions[Cmd::FindReplace]);
    operations->addAction(actions[Cmd::ExportCodes]);
    QMenu* languages = MakeMenu(operations, QStringLiteral("23"));
    for (int id : kLanguageCommands)
        languages->addAction(actions[id]);
    operations->addMenu(languages);
    menu->addMenu(operations);

    QMenu* help = MakeMenu(menu, QStringLiteral("7"));
    help->addAction(actions[Cmd::About]);
    menu->addMenu(help);

    menu->Built();
}

void FrameMenus::CreateToolBars()
{
    auto* standard = new CMyToolBar(QStringLiteral("StandardBar"), QStringLiteral("标准"), QStringLiteral("21"), &frame);
    for (const BarButton& b : kStandardBar)
        standard->AddCommand(actions[b.id], Key(b.tipKey));
    for (const BarButton& b : kPreviewBar)
        standard->AddCommand(actions[b.id], Key(b.tipKey));
    auto* controls = new CMyToolBar(QStringLiteral("ControlBar"), QStringLiteral("控件"), QStringLiteral("20"), &frame);
    controls->AddCommand(actions[Cmd::Select], QStringLiteral("32"));
    auto* platform = new CMyToolBar(QStringLiteral("PlatformBar"), QStringLiteral("平台"), QStringLiteral("917"), &frame);
    for (const ElementTypeInfo& t : TypeRegistry::All()) {
        if (!t.menuCommand)
            continue;
        if (t.bar == ToolBarSlot::Controls)
            controls->AddCommand(actions[t.menuCommand], Key(t.tipKey));
        else if (t.bar == ToolBarSlot::Platform)
            platform->AddCommand(actions[t.menuCommand], Key(t.tipKey));
    }
    auto* align = new CMyToolBar(QStringLiteral("AlignBar"), QStringLiteral("对齐"), QStringLiteral("17"), &frame);
    for (const BarButton& b : kAlignBar)
        align->AddCommand(actions[b.id], Key(b.tipKey));
    auto* other = new CMyToolBar(QStringLiteral("OtherBar"), QStringLiteral("其它"), QStringLiteral("19"), &frame);
    for (const BarButton& b : kOtherBar)
        other->AddCommand(actions[b.id], Key(b.tipKey));
    auto* edit = new CMyToolBar(QStringLiteral("EditBar"), QStringLiteral("编辑"), QStringLiteral("18"), &frame);
    for (const BarButton& b : kEditBar)
        edit->AddCommand(actions[b.id], Key(b.tipKey));
    auto* layout = new CMyToolBar(QStringLiteral("LayoutBar"), QStringLiteral("布局"), QStringLiteral("2214"), &frame);
    for (const BarButton& b : kLayoutBar)
        layout->AddCommand(actions[b.id], Key(b.tipKey));

    // Two rows under the menu bar.
    frame.addToolBar(Qt::TopToolBarArea, standard);
    frame.addToolBar(Qt::TopToolBarArea, controls);
    frame.addToolBar(Qt::TopToolBarArea, platform);
    frame.addToolBarBreak(Qt::TopToolBarArea);
    frame.addToolBar(Qt::TopToolBarArea, align);
    frame.addToolBar(Qt::TopToolBarArea, other);
    frame.addToolBar(Qt::TopToolBarArea, edit);
    frame.addToolBar(Qt::TopToolBarArea, layout);
    toolBars = {standard, controls, platform, align, other, edit, layout};
}

void FrameMenus::RelabelMenuBar(CMyMenuBar& bar) const
{
    for (QAction* a : bar.actions()) {
        if (QMenu* m = a->menu())
            a->setText(Translate(menuKeys.value(m)));
    }
    bar.adjustSize();
    bar.updateGeometry();
}

void FrameMenus::RelabelMenus() const
{
    for (auto it = menuKeys.cbegin(); it != menuKeys.cend(); ++it)
        it.key()->setTitle(Translate(it.value()));
    for (const MenuItemKey& m : kMenuTexts)
        actions[m.id]->setText(Translate(Key(m.key)));
    for (int id = Cmd::LookFirst; id <= Cmd::LookLast; ++id)
        actions[id]->setText(Translate(ApplicationLook::MenuKey(id)));
    for (const ElementTypeInfo& t : TypeRegistry::All())
        if (t.menuCommand && t.menuKey)
            actions[t.menuCommand]->setText(Translate(Key(t.menuKey)));
    // Commands without a menu item still get a text for the tool bars' accessibility.
    for (const ElementTypeInfo& t : TypeRegistry::All())
        if (t.menuCommand && !t.menuKey)
            actions[t.menuCommand]->setText(Translate(Key(t.tipKey)));
    actions[Cmd::Select]->setText(Translate("32"));
    for (const BarButton& b : kOtherBar)
        actions[b.id]->setText(Translate(Key(b.tipKey)));
    for (const BarButton& b : kEditBar)
        actions[b.id]->setText(Translate(Key(b.tipKey)));
    for (const BarButton& b : kAlignBar)
        actions[b.id]->setText(Translate(Key(b.tipKey)));
    for (const BarButton& b : kLayoutBar)
        actions[b.id]->setText(Translate(Key(b.tipKey)));
    for (const BarButton& b : kEditMenu)
        actions[b.id]->setText(Translate(Key(b.tipKey)));
    const QStringList recent = frame.Recent().List();
    for (int id = Cmd::RecentFirst; id <= Cmd::RecentLast; ++id) {
        const int index = id - Cmd::RecentFirst;
        QAction* a = actions[id];
        a->setVisible(index < recent.size());
        a->setText(index < recent.size() ? RecentProjects::MenuText(index, recent[index])
                                         : QStringLiteral("&%1").arg(index + 1));
    }
}

void FrameMenus::Relabel() const
{
    RelabelMenus();
    if (menu)
        RelabelMenuBar(*menu);
    for (CMyToolBar* bar : toolBars)
        bar->Relabel();
}
