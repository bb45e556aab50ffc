#include "LayoutCommands.h"

#include "ApplicationLook.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "Commands.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "editor/CommandTable.h"
#include "editor/ControlLocks.h"
#include "editor/ViewZoom.h"
#include "editor/ui/CMarvolentaView.h"
#include "editor/ui/CProjectTree.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/NameDialogRequest.h"
#include "model/ProjectData.h"
#include "model/XPage.h"

#include <QLabel>
#include <QMdiArea>
#include <QSettings>
#include <QStatusBar>

#include <cmath>

namespace {

const QString kPageTabsKey = QStringLiteral("Workspace/PageTabs");
// Kept free around a fitted page so that the page area shows no scroll bars.
constexpr int kFitMargin = 4;

ProjectData* ProjectOf(const XControl* element)
{
    return element && element->projectData ? element->projectData->GetProject() : nullptr;
}

} // namespace

LayoutCommands::LayoutCommands(CMainFrame& f) : frame(f) {}

void LayoutCommands::Register(CommandTable& table)
{
    auto hasProject = [this] { return CurrentSettings() != nullptr; };
    auto toggle = [this, &table, hasProject](int id, bool LayoutSettings::*flag) {
        table.Add(id, {hasProject,
                       [this, flag] {
                           const LayoutSettings* s = CurrentSettings();
                           return s && s->*flag;
                       },
                       [this, flag] {
                           if (LayoutSettings* s = CurrentSettings()) {
                               s->*flag = !(s->*flag);
                               store.Save(*frame.CurrentProject());
                               RepaintProject(frame.CurrentProject());
                           }
                       }});
    };
    toggle(Cmd::ShowGrid, &LayoutSettings::showGrid);
    toggle(Cmd::SnapToGrid, &LayoutSettings::snapToGrid);
    toggle(Cmd::SmartGuides, &LayoutSettings::smartGuides);
    table.Add(Cmd::GridSpacing, {hasProject, {}, [this] { AskGridSpacing(); }});

    auto always = [] { return true; };
    table.Add(Cmd::ZoomIn, {always, {}, [this] { frame.SetZoom(ViewZoom::ZoomIn(frame.Zoom())); }});
    table.Add(Cmd::ZoomOut, {always, {}, [this] { frame.SetZoom(ViewZoom::ZoomOut(frame.Zoom())); }});
    table.Add(Cmd::ZoomFit, {[this] { return frame.ActivePage() != nullptr; }, {}, [this] { FitPage(); }});
    table.Add(Cmd::PageTabs, {always, [this] { return PageTabs(); }, [this] { SetPageTabs(!PageTabs()); }});
}

void LayoutCommands::Install()
{
    zoomLabel = new QLabel(&frame);
    zoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
    frame.statusBar()->addPermanentWidget(zoomLabel);
    SetPageTabs(FrameworkSettings().value(kPageTabsKey, false).toBool());
    Update();
}

void LayoutCommands::Update()
{
    if (!zoomLabel)
        return;
    const QString percent = QString::number(static_cast<int>(std::lround(frame.Zoom() * 100))) + u'%';
    const QString text = FormatText(Translate("2218"), {percent});
    if (zoomLabel->text() != text)
        zoomLabel->setText(text);
}

// ---------------------------------------------------------------- settings per project

void LayoutCommands::ProjectOpened(ProjectData& project)
{
    store.Load(project);
}

void LayoutCommands::ProjectClosing(const ProjectData& project)
{
    store.Save(project);
    store.Forget(&project);
}

const LayoutSettings* LayoutCommands::Settings(const XPage* page) const
{
    return store.Settings(ProjectOf(page));
}

LayoutSettings* LayoutCommands::CurrentSettings()
{
    return store.Settings(frame.CurrentProject());
}

void LayoutCommands::AskGridSpacing()
{
    LayoutSettings* s = CurrentSettings();
    if (!s)
        return;
    NameDialogRequest request{Translate("2215"),
                              FormatText(Translate("2216"), {QString::number(LayoutSettings::kMinGridSpacing),
                                                             QString::number(LayoutSettings::kMaxGridSpacing)}),
                              QString::number(s->gridSpacing)};
    if (Ui().RunDialog(QStringLiteral("name"), &request) != kIdOk)
        return;
    bool ok = false;
    const int spacing = request.name.trimmed().toInt(&ok);
    if (!ok || !LayoutSettings::IsValidSpacing(spacing)) {
        ShowMessageText(FormatText(Translate("2217"), {QString::number(LayoutSettings::kMinGridSpacing),
                                                       QString::number(LayoutSettings::kMaxGridSpacing)}),
                        "70");
        return;
    }
    s->gridSpacing = spacing;
    store.Save(*frame.CurrentProject());
    RepaintProject(frame.CurrentProject());
}

void LayoutCommands::RepaintProject(const ProjectData* project) const
{
    for (CChildFrame* child : frame.ChildFrames())
        if (ProjectOf(child->GetPage()) == project)
            frame.RepaintPage(child->GetPage());
}

// ---------------------------------------------------------------- locks

void LayoutCommands::SetLocked(const QList<XControl*>& controls, bool locked)
{
    if (controls.isEmpty() || !controls.front()->page)
        return;
    XPage* page = controls.front()->page;
    if (!ControlLocks::Apply(controls, locked))
        return;
    LocksChanged(page);
    // Locked controls have left the selection.
    frame.SettleSelection(page);
}

void LayoutCommands::LocksChanged(XPage* page)
{
    if (!page)
        return;
    for (const XControl* c : page->controls)
        frame.TreePane()->ShowLock(c);
    if (ProjectData* project = ProjectOf(page))
        store.Save(*project);
}

// ---------------------------------------------------------------- zoom and page windows

void LayoutCommands::FitPage()
{
    XPage* page = frame.ActivePage();
    if (!page)
        return;
    const IntRect bounds = page->Bounds();
    QSize area = frame.MdiArea()->viewport()->size();
    if (!PageTabs())
        area -= QSize(frame.GetFrameExtraWidth() + kFitMargin, frame.GetFrameExtraHeight() + kFitMargin);
    const double zoom = ViewZoom::FitZoom(bounds.Width(), bounds.Height(), area.width(), area.height());
    if (ViewZoom::ZoomDiffers(zoom, frame.Zoom()))
        frame.SetZoom(zoom);
}

bool LayoutCommands::PageTabs() const
{
    return frame.MdiArea()->viewMode() == QMdiArea::TabbedView;
}

void LayoutCommands::SetPageTabs(bool tabs)
{
    QMdiArea* area = frame.MdiArea();
    FrameworkSettings().setValue(kPageTabsKey, tabs);
    if (tabs == PageTabs())
        return;
    area->setViewMode(tabs ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
    if (tabs) {
        area->setDocumentMode(true);
        area->setTabsClosable(true);
        area->setTabsMovable(true);
    }
    // Every page window takes the size its mode gives it.
    frame.SetZoom(frame.Zoom());
}
