#include "OverviewWiring.h"

#include "CMainFrame.h"
#include "Commands.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "editor/CommandTable.h"
#include "editor/ImageLibrary.h"
#include "editor/SendCodeList.h"
#include "editor/ui/CFindReplacePane.h"
#include "editor/ui/CImageLibraryPane.h"
#include "editor/ui/COverviewPane.h"
#include "editor/ui/CProjectCheckPane.h"
#include "editor/ui/CProjectTree.h"
#include "editor/ui/CPropertyView.h"
#include "model/ProjectData.h"
#include "model/XPage.h"

#include <QFileInfo>

namespace {

const QString kCsvSuffix = QStringLiteral("csv");

} // namespace

OverviewWiring::OverviewWiring(CMainFrame& f) : frame(f) {}

OverviewWiring::~OverviewWiring()
{
    // The panes outlive this object by a moment while the frame goes: let them call nothing.
    for (QObject* pane : {static_cast<QObject*>(overviewPane), static_cast<QObject*>(findPane),
                          static_cast<QObject*>(libraryPane)})
        if (pane)
            QObject::disconnect(pane, nullptr, &frame, nullptr);
}

void OverviewWiring::CreatePanes()
{
    overviewPane = new COverviewPane(&frame);
    findPane = new CFindReplacePane(&frame);
    libraryPane = new CImageLibraryPane(&frame);
    for (QDockWidget* pane : {static_cast<QDockWidget*>(overviewPane), static_cast<QDockWidget*>(findPane),
                              static_cast<QDockWidget*>(libraryPane)})
        pane->setAllowedAreas(Qt::AllDockWidgetAreas);
    frame.addDockWidget(Qt::RightDockWidgetArea, overviewPane);
    frame.tabifyDockWidget(frame.CheckPane(), overviewPane);
    frame.addDockWidget(Qt::RightDockWidgetArea, findPane);
    frame.tabifyDockWidget(overviewPane, findPane);
    frame.addDockWidget(Qt::LeftDockWidgetArea, libraryPane);
    frame.tabifyDockWidget(frame.TreePane(), libraryPane);
    // The panes every edit needs stay in front.
    frame.TreePane()->raise();
    frame.PropPane()->raise();

    QObject::connect(overviewPane, &COverviewPane::ElementActivated, &frame,
                     [this](const QString& page, const QString& element) { Activate(page, element); });
    QObject::connect(overviewPane, &COverviewPane::ExportCodesRequested, &frame, [this] { ExportCodes(); });
    QObject::connect(findPane, &CFindReplacePane::ElementActivated, &frame,
                     [this](const QString& page, const QString& element) { Activate(page, element); });
    QObject::connect(findPane, &CFindReplacePane::FindRequested, &frame, [this] { RunFind(); });
    QObject::connect(findPane, &CFindReplacePane::ReplaceRequested, &frame, [this] { RunReplace(); });
    QObject::connect(findPane, &CFindReplacePane::RenumberRequested, &frame, [this] { RunRenumber(); });
    QObject::connect(libraryPane, &CImageLibraryPane::ImportRequested, &frame,
                     [this](const QStringList& paths) { ImportImages(paths); });
    for (QDockWidget* pane : {static_cast<QDockWidget*>(overviewPane), static_cast<QDockWidget*>(libraryPane)})
        QObject::connect(pane, &QDockWidget::visibilityChanged, &frame, [this](bool visible) {
            if (visible)
                Follow();
        });
}

void OverviewWiring::RegisterCommands(CommandTable& table)
{
    // The panes are brought forward, never hidden: each closes with its own button.
    auto hasProject = [this] { return frame.CurrentProject() != nullptr; };
    table.Add(Cmd::Overview, {{}, {}, [this] { Show(overviewPane); }});
    table.Add(Cmd::ImageLibrary, {{}, {}, [this] { Show(libraryPane); }});
    table.Add(Cmd::FindReplace, {hasProject, {}, [this] {
                                     Show(findPane);
                                     findPane->FocusFind();
                                 }});
    table.Add(Cmd::ExportCodes, {hasProject, {}, [this] { ExportCodes(); }});
}

void OverviewWiring::Show(QWidget* pane)
{
    pane->show();
    pane->raise();
    Follow();
}

void OverviewWiring::Relabel()
{
    overviewPane->Relabel();
    findPane->Relabel();
    libraryPane->Relabel();
    Refollow();
}

void OverviewWiring::Refollow()
{
    followedOnce = false;
    paneCurrent = false;
    Follow();
}

void OverviewWiring::Follow()
{
    if (!overviewPane || (!overviewPane->isVisible() && !libraryPane->isVisible()))
        return;
    ProjectData* project = frame.CurrentProject();
    const quint64 count = project ? project->ChangeCount() : 0;
    const quint64 firstPage = project && !project->pages.isEmpty() ? project->pages.front()->serial : 0;
    if (followedOnce && project == followed && count == followedCount && firstPage == followedFirstPage)
        return;
    followedOnce = true;
    followed = project;
    followedCount = count;
    followedFirstPage = firstPage;
    if (!project) {
        overview.Clear();
        overviewPane->Clear();
        paneCurrent = false;
        libraryPane->Clear();
        return;
    }
    overview.Refresh(*project);
    overviewPane->Show(overview, *project, paneCurrent ? overview.ChangedLastTime() : ProjectOverview::kAll);
    paneCurrent = true;
    libraryPane->ShowImages(project->images, project->GetImageFolder());
}

void OverviewWiring::Activate(const QString& pageName, const QString& elementName)
{
    ProjectData* project = frame.CurrentProject();
    XPage* page = project ? project->FindPage(pageName) : nullptr;
    if (!page)
        return;
    frame.ActivatePage(page, true);
    if (elementName.isEmpty())
        return;
    if (XControl* element = page->FindControl(elementName))
        frame.SelectControl(element);
}

bool OverviewWiring::ExportCodes()
{
    ProjectData* project = frame.CurrentProject();
    if (!project)
        return false;
    QString path = Ui().ChooseSaveFile(Translate("1474"), project->GetName() + QStringLiteral("-codes.") + kCsvSuffix,
                                       Translate("1475") + QStringLiteral("|*.csv||"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + kCsvSuffix;
    // The table as the project is now, whether or not the pane is showing.
    ProjectOverview now;
    now.Refresh(*project);
    if (!SendCodeList::WriteCsvFile(path, now.SendCodesByCode())) {
        ShowMessageText(TranslateFormat(QStringLiteral("1476"), {path}), QStringLiteral("70"));
        return false;
    }
    return true;
}

void OverviewWiring::ImportImages(const QStringList& given)
{
    ProjectData* project = frame.CurrentProject();
    if (!project)
        return;
    const QStringList paths = given.isEmpty() ? Ui().ChooseOpenFiles(Translate("146"), ImageLibrary::Filter()) : given;
    if (paths.isEmpty())
        return;
    const ImageLibrary::ImportOutcome outcome = ImageLibrary::Import(*project, paths);
    libraryPane->ShowStatus(TranslateFormat(
        QStringLiteral("1494"), {QString::number(outcome.taken.size()), QString::number(outcome.present.size()),
                                 QString::number(outcome.refused.size())}));
    frame.UpdateCommandUI();
}

void OverviewWiring::RunFind()
{
    ProjectData* project = frame.CurrentProject();
    FindQuery query = findPane->Query();
    if (findPane->CurrentPageOnly())
        query.page = frame.ActivePage();
    std::vector<FindHit> hits;
    if (project && (!findPane->CurrentPageOnly() || query.page))
        hits = FindReplace::Find(*project, query);
    findPane->ShowHits(hits);
    findPane->ShowStatus(TranslateFormat(QStringLiteral("1487"), {QString::number(hits.size())}));
}

void OverviewWiring::RunReplace()
{
    ProjectData* project = frame.CurrentProject();
    FindQuery query = findPane->Query();
    if (findPane->CurrentPageOnly())
        query.page = frame.ActivePage();
    if (!project || (findPane->CurrentPageOnly() && !query.page))
        return;
    const ReplaceOutcome outcome = FindReplace::Replace(*project, query, findPane->Replacement());
    frame.RefreshProperties();
    // The controls that now match the replacement, to see what changed.
    FindQuery after = query;
    after.text = findPane->Replacement();
    findPane->ShowHits(after.text.isEmpty() ? std::vector<FindHit>() : FindReplace::Find(*project, after));
    QString text = TranslateFormat(QStringLiteral("1488"),
                                   {QString::number(outcome.changed), QString::number(outcome.pages)});
    if (!outcome.refused.isEmpty())
        text += u'\n' + TranslateFormat(QStringLiteral("1489"), {outcome.refused.join(QStringLiteral(", "))});
    findPane->ShowStatus(text);
    frame.UpdateCommandUI();
}

void OverviewWiring::RunRenumber()
{
    XPage* page = frame.ActivePage();
    const int start = findPane->RenumberStart();
    const int count = page ? FindReplace::RenumberSelected(*page, start) : 0;
    if (count == 0) {
        findPane->ShowStatus(Translate("1491"));
        return;
    }
    frame.RefreshProperties();
    frame.RepaintPage(page);
    findPane->ShowStatus(TranslateFormat(QStringLiteral("1490"), {QString::number(count), QString::number(start)}));
    frame.UpdateCommandUI();
}
