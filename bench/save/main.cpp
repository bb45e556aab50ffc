// Saving, recovery copies and loading on a large project: 40 pages of 1,000 controls each
// (font texts, font buttons and a link, which have text images, 2,840 in all; rectangles,
// buttons with an image, send code, jump target and interlock group, page containers
// showing a sub-page, application-font texts and lines). Prints the median milliseconds
// over the runs of:
//   first save into an empty folder;
//   unchanged resave (the same open project saved again);
//   load and save, as `mvltool resave` does;
//   resave after one control's text changed;
//   recovery copy: the time on the calling thread, and until the copy is complete;
//   load.
//
//   bench_save [runs]   (default 5)

#include "base/AppPaths.h"
#include "base/Translation.h"
#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"
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
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kPages = 40;
constexpr int kControlsPerPage = 1000;
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

void Build(ProjectData& project, const QString& folder)
{
    project.folder = folder;
    project.screen = {QStringLiteral("1920x1080"), 1920, 1080};
    QDir().mkpath(project.GetImageFolder());
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    image.save(project.ImagePath(QStringLiteral("icon.png")));
    project.images << QStringLiteral("icon.png");
    XPage* panel = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Panel"));
    panel->x2 = 20;
    panel->y2 = 20;
    std::vector<XPage*> pages;
    for (int p = 0; p < kPages; ++p)
        pages.push_back(project.NewPage(TypeRegistry::kPage, QStringLiteral("Page%1").arg(p)));
    for (int p = 0; p < kPages; ++p) {
        XPage* page = pages[p];
        page->AddGroup(QStringLiteral("Scenes"));
        int i = 0;
        for (; i < kFontTexts; ++i) {
            auto* t = Place<XFontText>(page, i);
            t->text = QStringLiteral("Room %1").arg(i);
            t->fontSize = 10 + i % 5;
            t->NormalizeBounds();
        }
        for (int k = 0; k < kFontButtons; ++k, ++i) {
            auto* b = Place<XFontButton>(page, i, 46, 38);
            b->text = QStringLiteral("Scene %1").arg(k);
            b->sendCode = 1 + i;
        }
        for (int k = 0; k < kLinks; ++k, ++i)
            Place<XHyperlink>(page, i, 46, 20)->text = QStringLiteral("Help");
        for (; i < kControlsPerPage; ++i) {
            switch (i % 5) {
            case 0: Place<XRectangle>(page, i); break;
            case 1: {
                auto* b = Place<XButton>(page, i, 44, 38);
                b->imageFile = QStringLiteral("icon.png");
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

double TimeMs(const std::function<void()>& work)
{
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

void Report(const char* what, const std::vector<double>& ms)
{
    std::printf("%-44s median %8.1f ms  (min %.1f, max %.1f, %zu runs)\n", what, Median(ms),
                *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()), ms.size());
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    AppPaths::SetAppFolder(QCoreApplication::applicationDirPath());
    Translation::LoadLanguage();
    RegisterControlClasses();
    RegisterApplicationFont();
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    QTemporaryDir dir;
    HeadlessMainDelegate delegate;
    std::vector<double> firstSave, resave, loadAndSave, editSave, copyCalling, copyDone, load;

    // First saves, each into a folder of its own.
    std::unique_ptr<ProjectData> project;
    for (int r = 0; r < runs; ++r) {
        project = std::make_unique<ProjectData>();
        project->mainDelegate = &delegate;
        Build(*project, dir.filePath(QStringLiteral("First%1/Big").arg(r)));
        bool ok = false;
        firstSave.push_back(TimeMs([&] { ok = project->SaveProjectFile(); }));
        if (!Check(ok, "first save"))
            return 1;
    }
    const int images = CountFiles(project->GetTextImageFolder());
    const QString dataFile = project->GetDataFilePath();

    for (int r = 0; r < runs; ++r) {
        bool ok = false;
        resave.push_back(TimeMs([&] { ok = project->SaveProjectFile(); }));
        if (!Check(ok, "unchanged resave"))
            return 1;
    }

    for (int r = 0; r < runs; ++r) {
        bool ok = false;
        loadAndSave.push_back(TimeMs([&] {
            ProjectData fresh;
            fresh.mainDelegate = &delegate;
            QString message;
            ok = fresh.LoadProjectFile(dataFile, message) && fresh.SaveProjectFile();
        }));
        if (!Check(ok, "load and save"))
            return 1;
    }

    auto* edited = static_cast<XFontText*>(project->pages[5]->controls[3]);
    for (int r = 0; r < runs; ++r) {
        edited->SetText(QStringLiteral("Edited %1").arg(r));
        edited->NoteModified();
        bool ok = false;
        editSave.push_back(TimeMs([&] { ok = project->SaveProjectFile(); }));
        if (!Check(ok, "resave after an edit"))
            return 1;
    }

    {
        RecoveryStore store(dir.filePath(QStringLiteral("recovery")));
        for (int r = 0; r < runs; ++r) {
            edited->SetText(QStringLiteral("Unsaved %1").arg(r));
            edited->NoteModified();
            bool ok = false;
            QElapsedTimer t;
            t.start();
            ok = store.Write(*project);
            copyCalling.push_back(t.nsecsElapsed() / 1e6);
            ok = store.Finish() && ok;
            copyDone.push_back(t.nsecsElapsed() / 1e6);
            if (!Check(ok, "recovery copy"))
                return 1;
        }
    }

    for (int r = 0; r < runs; ++r) {
        ProjectData fresh;
        fresh.mainDelegate = &delegate;
        QString message;
        bool ok = false;
        load.push_back(TimeMs([&] { ok = fresh.LoadProjectFile(dataFile, message); }));
        if (!Check(ok, "load"))
            return 1;
    }

    std::printf("project: %d pages x %d controls, %d text images (%d written)\n", kPages, kControlsPerPage,
                kTextImages, images);
    Report("first save into an empty folder", firstSave);
    Report("unchanged resave", resave);
    Report("load and save (as mvltool resave)", loadAndSave);
    Report("resave after one control's text changed", editSave);
    Report("recovery copy, on the calling thread", copyCalling);
    Report("recovery copy, until complete", copyDone);
    Report("load", load);
    const double l = Median(load);
    std::printf("ratios to load: unchanged resave %.2f, after one edit %.2f, load and save %.2f\n",
                Median(resave) / l, Median(editSave) / l, Median(loadAndSave) / l);
    return 0;
}
