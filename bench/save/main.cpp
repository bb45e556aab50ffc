// Saving, recovery copies and loading on a large project: 40 pages of 1,000 controls each
// (font texts, font buttons and a link, which have text images, 2,840 in all; rectangles,
// buttons with an image, send code, jump target and interlock group, page containers
// showing a sub-page, application-font texts and lines). The pages share their labels,
// as the pages of a panel do ("Scene 3" on every page), unless --distinct gives every
// label on every page a text of its own. Prints the median milliseconds
// over the runs, as wall-clock time and as processor time (of all threads, or of the
// calling thread for the recovery copy; on a machine shared with other work the
// processor time is the steadier figure), of:
//   first save into an empty folder;
//   unchanged resave (the same open project saved again);
//   load and save, as `mvltool resave` does;
//   resave after one control's text changed;
//   recovery copy: the time on the calling thread, and until the copy is complete;
//   load.
//
// Run it after a quiet spell: seconds after tens of thousands of files were deleted (a
// previous run's folder), ext4 creates files several times slower and the first save
// shows that rather than the editor.
//
//   bench_save [--distinct] [runs]          (default 5)
//   bench_save [--distinct] --make FOLDER   only saves the project into FOLDER (for mvltool)

#include "../BenchProject.h"
#include "controls/XButton.h"
#include "controls/XFontButton.h"
#include "controls/XFontText.h"
#include "controls/XHyperlink.h"
#include "controls/XLine.h"
#include "controls/XPageContainer.h"
#include "controls/XRectangle.h"
#include "controls/XText.h"
#include "editor/RecoveryStore.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/XPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using BenchProject::kControlsPerPage;
using BenchProject::kPages;
constexpr int kFontTexts = 36;   // one image each
constexpr int kFontButtons = 17; // two images each (normal and pressed)
constexpr int kLinks = 1;        // one image
constexpr int kTextImages = kPages * (kFontTexts + 2 * kFontButtons + kLinks);

template <class T>
T* Place(XPage* page, int i, int w = 22, int h = 20)
{
    auto* c = new T;
    page->AddControl(c);
    const int x = (i % 40) * 48;
    const int y = (i / 40) * 43;
    c->SetBounds({x, y, x + w, y + h});
    return c;
}

void Build(ProjectData& project, const QString& folder, bool distinct)
{
    XPage* panel = nullptr;
    const std::vector<XPage*> pages = BenchProject::MakePages(project, folder, panel);
    for (int p = 0; p < kPages; ++p) {
        XPage* page = pages[p];
        const QString own = distinct ? QStringLiteral(" %1.").arg(p) : QStringLiteral(" ");
        int i = 0;
        for (; i < kFontTexts; ++i) {
            auto* t = Place<XFontText>(page, i);
            t->text = QStringLiteral("Room") + own + QString::number(i);
            t->fontSize = 10 + i % 5;
            t->NormalizeBounds();
        }
        for (int k = 0; k < kFontButtons; ++k, ++i) {
            auto* b = Place<XFontButton>(page, i, 46, 38);
            b->text = QStringLiteral("Scene") + own + QString::number(k);
            b->sendCode = 1 + i;
        }
        for (int k = 0; k < kLinks; ++k, ++i)
            Place<XHyperlink>(page, i, 46, 20)->text = QStringLiteral("Help") + own;
        for (; i < kControlsPerPage; ++i) {
            switch (i % 5) {
            case 0: Place<XRectangle>(page, i); break;
            case 1: {
                auto* b = Place<XButton>(page, i, 44, 38);
                b->imageFile = BenchProject::kIcon;
                b->sendCode = 1 + i % 4000;
                b->SetJumpTarget(pages[(p + 1) % kPages]);
                b->SetInterlockGroup(QStringLiteral("Scenes"));
                break;
            }
            case 2: Place<XPageContainer>(page, i)->SetSubPage(panel); break;
            case 3: Place<XText>(page, i, 44, 20)->text = QStringLiteral("T%1").arg(i); break;
            default: Place<XLine>(page, i); break;
            }
        }
    }
}

int CountFiles(const QString& folder)
{
    int n = 0;
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

double CpuMs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Wall-clock and processor milliseconds of a piece of work.
struct Timing {
    std::vector<double> wall;
    std::vector<double> cpu;

    void Start(clockid_t clock = CLOCK_PROCESS_CPUTIME_ID)
    {
        cpuClock = clock;
        cpuStart = CpuMs(clock);
        timer.start();
    }
    double Stop()
    {
        wall.push_back(timer.nsecsElapsed() / 1e6);
        cpu.push_back(CpuMs(cpuClock) - cpuStart);
        return wall.back();
    }
    void Time(const std::function<void()>& work)
    {
        Start();
        work();
        Stop();
    }

    QElapsedTimer timer;
    clockid_t cpuClock = CLOCK_PROCESS_CPUTIME_ID;
    double cpuStart = 0;
};

void Report(const char* what, const Timing& t)
{
    std::printf("%-42s wall median %7.1f ms (min %7.1f)   cpu median %7.1f ms (min %7.1f)\n", what, Median(t.wall),
                *std::min_element(t.wall.begin(), t.wall.end()), Median(t.cpu),
                *std::min_element(t.cpu.begin(), t.cpu.end()));
}

bool Check(bool ok, const char* what)
{
    if (!ok)
        std::fprintf(stderr, "failed: %s\n", what);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    BenchProject::UseNoDisplay();
    QGuiApplication app(argc, argv);
    BenchProject::StartCore();
    QStringList args = app.arguments().mid(1);
    const bool distinct = args.removeAll(QStringLiteral("--distinct")) > 0;
    HeadlessMainDelegate delegate;
    if (args.size() == 2 && args[0] == QLatin1String("--make")) {
        ProjectData made;
        made.mainDelegate = &delegate;
        Build(made, QDir(args[1]).absolutePath(), distinct);
        return Check(made.SaveProjectFile(), "save") ? 0 : 1;
    }
    const int runs = args.isEmpty() ? 5 : std::max(1, args[0].toInt());

    QTemporaryDir dir;
    Timing firstSave, resave, loadAndSave, editSave, copyCalling, copyDone, load;

    // First saves, each into a folder of its own.
    std::unique_ptr<ProjectData> project;
    for (int r = 0; r < runs; ++r) {
        project = std::make_unique<ProjectData>();
        project->mainDelegate = &delegate;
        Build(*project, dir.filePath(QStringLiteral("First%1/Big").arg(r)), distinct);
        bool ok = false;
        firstSave.Time([&] { ok = project->SaveProjectFile(); });
        if (!Check(ok, "first save"))
            return 1;
    }
    const int images = CountFiles(project->GetTextImageFolder());
    const QString dataFile = project->GetDataFilePath();

    for (int r = 0; r < runs; ++r) {
        bool ok = false;
        resave.Time([&] { ok = project->SaveProjectFile(); });
        if (!Check(ok, "unchanged resave"))
            return 1;
    }

    for (int r = 0; r < runs; ++r) {
        bool ok = false;
        loadAndSave.Time([&] {
            ProjectData fresh;
            fresh.mainDelegate = &delegate;
            QString message;
            ok = fresh.LoadProjectFile(dataFile, message) && fresh.SaveProjectFile();
        });
        if (!Check(ok, "load and save"))
            return 1;
    }

    auto* edited = static_cast<XFontText*>(project->pages[5]->controls[3]);
    for (int r = 0; r < runs; ++r) {
        edited->SetText(QStringLiteral("Edited %1").arg(r));
        edited->NoteModified();
        bool ok = false;
        editSave.Time([&] { ok = project->SaveProjectFile(); });
        if (!Check(ok, "resave after an edit"))
            return 1;
    }

    {
        RecoveryStore store(dir.filePath(QStringLiteral("recovery")));
        for (int r = 0; r < runs; ++r) {
            edited->SetText(QStringLiteral("Unsaved %1").arg(r));
            edited->NoteModified();
            copyCalling.Start(CLOCK_THREAD_CPUTIME_ID);
            copyDone.Start();
            bool ok = store.Write(*project);
            copyCalling.Stop();
            ok = store.Finish() && ok;
            copyDone.Stop();
            if (!Check(ok, "recovery copy"))
                return 1;
        }
    }

    for (int r = 0; r < runs; ++r) {
        ProjectData fresh;
        fresh.mainDelegate = &delegate;
        QString message;
        bool ok = false;
        load.Time([&] { ok = fresh.LoadProjectFile(dataFile, message); });
        if (!Check(ok, "load"))
            return 1;
    }

    std::printf("project: %d pages x %d controls, %d text images (%d written), %s labels\n", kPages,
                kControlsPerPage, kTextImages, images, distinct ? "distinct" : "shared");
    Report("first save into an empty folder", firstSave);
    Report("unchanged resave", resave);
    Report("load and save (as mvltool resave)", loadAndSave);
    Report("resave after one control's text changed", editSave);
    Report("recovery copy, on the calling thread", copyCalling);
    Report("recovery copy, until complete", copyDone);
    Report("load", load);
    for (const bool cpu : {false, true}) {
        auto m = [cpu](const Timing& t) { return Median(cpu ? t.cpu : t.wall); };
        std::printf("ratios to load (%s): unchanged resave %.2f, after one edit %.2f, load and save %.2f\n",
                    cpu ? "cpu" : "wall", m(resave) / m(load), m(editSave) / m(load), m(loadAndSave) / m(load));
    }
    return 0;
}
