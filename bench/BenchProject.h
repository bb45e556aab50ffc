#pragma once

// What the benchmarks on a large project share: its frame, built in code.

#include "base/AppPaths.h"
#include "base/Translation.h"
#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"
#include "model/ProjectData.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <vector>

namespace BenchProject {

constexpr int kPages = 40;
constexpr int kControlsPerPage = 1000;
const QString kIcon = QStringLiteral("icon.png");

// A new control of type T as the i-th of a page's grid of 40 columns of small cells.
template <class T>
T* Place(XPage* page, int i)
{
    auto* c = new T;
    page->AddControl(c);
    const int x = (i % 40) * 24;
    const int y = (i / 40) * 22;
    c->SetBounds({x, y, x + 22, y + 20});
    return c;
}

// Before the application object is made: without a display unless one was asked for.
inline void UseNoDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// After it: the build's DATA folder, the texts, the control classes and the font.
inline void StartCore()
{
    AppPaths::SetAppFolder(QCoreApplication::applicationDirPath());
    Translation::LoadLanguage();
    RegisterControlClasses();
    RegisterApplicationFont();
}

// A 1920 × 1080 project in the folder with one picture taken in (kIcon), a small
// sub-page "Panel" for containers to show and kPages empty pages, Page0 onwards, each
// with the interlock group "Scenes".
inline std::vector<XPage*> MakePages(ProjectData& project, const QString& folder, XPage*& panel)
{
    project.folder = folder;
    project.screen = {QStringLiteral("1920x1080"), 1920, 1080};
    QDir().mkpath(project.GetImageFolder());
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    image.save(project.ImagePath(kIcon));
    project.images << kIcon;
    panel = project.NewPage(TypeRegistry::kSubPage, QStringLiteral("Panel"));
    panel->x2 = 20;
    panel->y2 = 20;
    std::vector<XPage*> pages;
    for (int p = 0; p < kPages; ++p) {
        pages.push_back(project.NewPage(TypeRegistry::kPage, QStringLiteral("Page%1").arg(p)));
        pages.back()->AddGroup(QStringLiteral("Scenes"));
    }
    return pages;
}

} // namespace BenchProject
