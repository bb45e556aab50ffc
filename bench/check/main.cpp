// The project check on a large project: 40 pages of 1,000 controls each (font texts,
// rectangles, buttons with images, send codes and jump targets, page containers showing
// a sub-page). Prints the median milliseconds of the whole check over the runs.
//
//   bench_check [runs]   (default 7)

#include "../BenchProject.h"
#include "controls/XButton.h"
#include "controls/XFontText.h"
#include "controls/XPageContainer.h"
#include "controls/XRectangle.h"
#include "editor/ProjectCheck.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/XPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using BenchProject::kControlsPerPage;
using BenchProject::kPages;

using BenchProject::Place;

void Build(ProjectData& project, const QString& folder)
{
    XPage* panel = nullptr;
    const std::vector<XPage*> pages = BenchProject::MakePages(project, folder, panel);
    for (int p = 0; p < kPages; ++p) {
        XPage* page = pages[p];
        for (int i = 0; i < kControlsPerPage; ++i) {
            switch (i % 4) {
            case 0: Place<XFontText>(page, i)->text = QStringLiteral("T%1").arg(i); break;
            case 1: Place<XRectangle>(page, i); break;
            case 2: {
                auto* b = Place<XButton>(page, i);
                b->imageFile = BenchProject::kIcon;
                b->sendCode = 1 + i % 4000;
                b->SetJumpTarget(pages[(p + 1) % kPages]);
                b->SetInterlockGroup(QStringLiteral("Scenes"));
                break;
            }
            default: Place<XPageContainer>(page, i)->SetSubPage(panel); break;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    BenchProject::UseNoDisplay();
    QGuiApplication app(argc, argv);
    BenchProject::StartCore();
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    QTemporaryDir dir;
    HeadlessMainDelegate delegate;
    ProjectData project;
    project.mainDelegate = &delegate;
    Build(project, dir.path() + QStringLiteral("/Big"));

    std::vector<double> ms;
    size_t found = 0;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        found = CheckProject(project).size();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("project check, %d pages x %d controls: median %.1f ms over %d runs (min %.1f, max %.1f), %zu findings\n",
                kPages, kControlsPerPage, ms[ms.size() / 2], runs, ms.front(), ms.back(), found);
    return 0;
}
