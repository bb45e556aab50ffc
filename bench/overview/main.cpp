// The overview pane over a large project: 40 pages of 1,000 controls each (buttons with
// send codes, interlock groups and jumps, pictures of a dozen images, sliders with codes,
// font texts, page containers showing sub-pages). Prints median processor and wall
// milliseconds (on a machine shared with other work the processor time is the one to
// compare) of
//   - filling the overview from nothing: reading the project, the tables' lines, and the
//     pane (its tables and views, shown off screen);
//   - following one edit (a button's send code changed and recorded for undo) and its undo:
//     how many pages were read again and how many table lines the views were told of.
//
//   bench_overview [runs]   (default 7)

#include "../BenchProject.h"
#include "base/AppPaths.h"
#include "base/Translation.h"
#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"
#include "controls/XButton.h"
#include "controls/XFontText.h"
#include "controls/XPageContainer.h"
#include "controls/XPhoto.h"
#include "controls/XSlider.h"
#include "editor/OverviewTableModel.h"
#include "editor/OverviewTables.h"
#include "editor/ProjectOverview.h"
#include "editor/ui/COverviewPane.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/TActionCommand.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QApplication>
#include <QDir>
#include <QByteArray>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

using BenchProject::kControlsPerPage;
using BenchProject::kPages;
constexpr int kSubPages = 4;
constexpr int kImages = 12;

using BenchProject::Place;

QString ImageName(int i)
{
    return QStringLiteral("image%1.png").arg(i);
}

void Build(ProjectData& project, const QString& folder)
{
    project.folder = folder;
    project.screen = {QStringLiteral("1920x1080"), 1920, 1080};
    QDir().mkpath(project.GetImageFolder());
    for (int i = 0; i < kImages; ++i) {
        QImage image(64 + i, 48 + i, QImage::Format_ARGB32);
        image.fill(QColor::fromHsv(i * 30, 180, 200));
        image.save(project.ImagePath(ImageName(i)));
        project.images << ImageName(i);
    }
    std::vector<XPage*> subPages;
    for (int s = 0; s < kSubPages; ++s)
        subPages.push_back(project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Panel%1").arg(s)));
    std::vector<XPage*> pages;
    for (int p = 0; p < kPages; ++p)
        pages.push_back(project.NewPage(TypeRegistry::kPage, QStringLiteral("Page%1").arg(p)));
    for (int p = 0; p < kPages; ++p) {
        XPage* page = pages[p];
        for (int g = 0; g < 5; ++g)
            page->AddGroup(QStringLiteral("Group%1").arg(g));
        for (int i = 0; i < kControlsPerPage; ++i) {
            switch (i % 5) {
            case 0: {
                auto* b = Place<XButton>(page, i);
                b->sendCode = 1 + (p * 200 + i / 5) % 4000;
                b->imageFile = ImageName(i % kImages);
                b->commandString = QStringLiteral("ON %1;LEVEL 50").arg(i);
                if (i % 3 == 0)
                    b->SetJumpTarget(pages[(p + 1) % kPages]);
                if (i % 4 == 0)
                    b->SetInterlockGroup(QStringLiteral("Group%1").arg(i % 5));
                break;
            }
            case 1: Place<XPhoto>(page, i)->imageFile = ImageName(i % kImages); break;
            case 2: Place<XSlider>(page, i)->sendCode = 1 + (p * 200 + i) % 4000; break;
            case 3: Place<XFontText>(page, i)->text = QStringLiteral("T%1").arg(i); break;
            default: Place<XPageContainer>(page, i)->SetSubPage(subPages[i % kSubPages]); break;
            }
        }
    }
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Wall and processor milliseconds of one call: on a machine shared with other work the
// processor time is the figure to compare.
struct Timing {
    std::vector<double> wall;
    std::vector<double> cpu;
    void Measure(const std::function<void()>& fn)
    {
        QElapsedTimer t;
        const double c = ThreadCpuMs();
        t.start();
        fn();
        wall.push_back(t.nsecsElapsed() / 1e6);
        cpu.push_back(ThreadCpuMs() - c);
    }
    QByteArray Text() const
    {
        return QByteArray::number(Median(cpu), 'f', 1) + " ms processor (" + QByteArray::number(Median(wall), 'f', 1)
            + " ms wall)";
    }
};

// The lines the pane's tables were told of by the last Show of the given parts.
int LinesChanged(const COverviewPane& pane, unsigned parts)
{
    struct TablePart {
        COverviewPane::Table table;
        unsigned part;
    };
    const TablePart tables[] = {
        {COverviewPane::kSendCodes, ProjectOverview::kCodes}, {COverviewPane::kJumps, ProjectOverview::kJumps},
        {COverviewPane::kUnreached, ProjectOverview::kJumps}, {COverviewPane::kGroups, ProjectOverview::kGroups},
        {COverviewPane::kImages, ProjectOverview::kImages},
    };
    int lines = 0;
    for (const TablePart& t : tables)
        if (parts & t.part)
            lines += pane.Model(t.table)->LinesChangedLastTime();
    return lines;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AppPaths::SetAppFolder(QCoreApplication::applicationDirPath());
    Translation::LoadLanguage();
    RegisterControlClasses();
    RegisterApplicationFont();
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    QTemporaryDir dir;
    HeadlessMainDelegate delegate;
    ProjectData project;
    project.mainDelegate = &delegate;
    Build(project, dir.path() + QStringLiteral("/Big"));

    Timing read, lines, pane, whole;
    size_t codes = 0;
    for (int r = 0; r < runs; ++r) {
        ProjectOverview overview;
        COverviewPane view;
        view.resize(900, 600);
        view.show();
        QApplication::processEvents();
        whole.Measure([&] {
            read.Measure([&] { overview.Refresh(project); });
            pane.Measure([&] {
                view.Show(overview, project, overview.ChangedLastTime());
                QApplication::processEvents();
            });
        });
        std::vector<OverviewRow> rows;
        lines.Measure([&] { rows = OverviewTables::SendCodeRows(overview); });
        codes = overview.SendCodes().size();
    }
    std::printf("overview of %d pages x %d controls (%zu send codes), median of %d runs:\n"
                "  filled from nothing in %s\n"
                "    reading the project %s; the send-code lines alone %s; tables and views %s\n",
                kPages, kControlsPerPage, codes, runs, whole.Text().constData(), read.Text().constData(),
                lines.Text().constData(), pane.Text().constData());

    // One edit and its undo, followed as the editor follows them.
    ProjectOverview overview;
    COverviewPane view;
    view.resize(900, 600);
    view.show();
    overview.Refresh(project);
    view.Show(overview, project, overview.ChangedLastTime());
    QApplication::processEvents();
    XPage* page = project.pages[kSubPages + kPages / 2];
    auto* button = static_cast<XButton*>(page->controls[500]);
    Timing edit, undo;
    int editPages = 0, editLines = 0, undoPages = 0, undoLines = 0;
    auto follow = [&] {
        overview.Refresh(project);
        view.Show(overview, project, overview.ChangedLastTime());
        QApplication::processEvents();
    };
    for (int r = 0; r < runs; ++r) {
        XControl* before = button->Clone(true);
        button->sendCode = 3999 - r;
        page->PushCommand(new TControlChangeCommand(before, button));
        edit.Measure(follow);
        editPages = overview.PagesReadLastTime();
        editLines = LinesChanged(view, overview.ChangedLastTime());
        page->Undo();
        undo.Measure(follow);
        undoPages = overview.PagesReadLastTime();
        undoLines = LinesChanged(view, overview.ChangedLastTime());
    }
    std::printf("  after one edit (a send code changed): %s, %d of %d pages read again,\n"
                "    %d table lines told to the views\n"
                "  after its undo: %s, %d pages read again, %d lines told\n",
                edit.Text().constData(), editPages, static_cast<int>(project.pages.size()), editLines,
                undo.Text().constData(), undoPages, undoLines);
    return 0;
}
