#include "editor/ProjectCheck.h"

#include "support/CheckExample.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include "base/Translation.h"
#include "controls/XButton.h"
#include "controls/XVirtualDisplayWall.h"
#include "model/XPage.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QStringList Kinds(const std::vector<CheckFinding>& findings)
{
    QStringList kinds;
    for (const CheckFinding& f : findings)
        kinds << f.kind;
    return kinds;
}

std::string Describe(const std::vector<CheckFinding>& findings)
{
    QStringList lines;
    for (const CheckFinding& f : findings)
        lines << f.kind + QStringLiteral(" ") + f.pageName + QStringLiteral("/") + f.elementName + QStringLiteral(": ")
                + f.Text();
    return lines.join(u'\n').toStdString();
}

} // namespace

TEST(ProjectCheck, TheExampleChecksCleanWithoutFaults)
{
    ScriptedUi ui;
    TestFolder dir;
    CheckExample example(dir.Path(QStringLiteral("Clean")));
    const auto findings = CheckProject(*example.project);
    EXPECT_TRUE(findings.empty()) << Describe(findings);
    ASSERT_TRUE(example.Save());
    EXPECT_TRUE(CheckProject(*example.project).empty()) << "the text images a save writes are not unused images";
}

TEST(ProjectCheck, EachFaultAloneGivesExactlyItsFinding)
{
    ScriptedUi ui;
    for (CheckFault fault : kAllCheckFaults) {
        TestFolder dir;
        CheckExample example(dir.Path(QStringLiteral("P")), {fault});
        const auto findings = CheckProject(*example.project);
        ASSERT_EQ(findings.size(), 1u) << CheckKindOf(fault) << "\n" << Describe(findings);
        const CheckFinding& f = findings.front();
        EXPECT_EQ(f.kind, QString::fromLatin1(CheckKindOf(fault)));
        EXPECT_FALSE(f.Text().isEmpty());
        EXPECT_FALSE(f.Text().contains(u'%')) << f.Text().toStdString();
        // Project-wide findings name no page; the others name the element's page.
        if (fault != CheckFault::UnusedImage) {
            ASSERT_NE(f.page, nullptr) << CheckKindOf(fault);
            EXPECT_EQ(f.pageName, f.page->name);
        }
    }
}

TEST(ProjectCheck, SeveritiesAndPlacesOfTheFindings)
{
    ScriptedUi ui;
    TestFolder dir;
    CheckExample example(dir.Path(QStringLiteral("All")),
                         std::vector<CheckFault>(std::begin(kAllCheckFaults), std::end(kAllCheckFaults)));
    const auto findings = CheckProject(*example.project);
    ASSERT_EQ(findings.size(), std::size(kAllCheckFaults)) << Describe(findings);
    // Errors first.
    bool warningSeen = false;
    for (const CheckFinding& f : findings) {
        if (!f.IsError())
            warningSeen = true;
        EXPECT_FALSE(warningSeen && f.IsError()) << Describe(findings);
    }
    const QStringList warnings{QStringLiteral("unused-image"), QStringLiteral("outside-page"),
                               QStringLiteral("zero-size"), QStringLiteral("subpage-larger"),
                               QStringLiteral("duplicate-send-code"), QStringLiteral("out-of-range")};
    for (const CheckFinding& f : findings)
        EXPECT_EQ(f.IsError(), !warnings.contains(f.kind)) << f.kind.toStdString();

    auto find = [&](const QString& kind) {
        for (const CheckFinding& f : findings)
            if (f.kind == kind)
                return &f;
        return static_cast<const CheckFinding*>(nullptr);
    };
    const CheckFinding* loop = find(QStringLiteral("container-loop"));
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(loop->pageName, QStringLiteral("Panel"));
    EXPECT_EQ(loop->elementName, QStringLiteral("Again"));
    const CheckFinding* clash = find(QStringLiteral("text-image-clash"));
    ASSERT_NE(clash, nullptr);
    EXPECT_EQ(clash->elementName, QStringLiteral("TITLE"));
    EXPECT_TRUE(clash->Text().contains(QStringLiteral("Title"))) << "names the control it clashes with";
    const CheckFinding* code = find(QStringLiteral("duplicate-send-code"));
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->elementName, QStringLiteral("Loose"));
    EXPECT_EQ(code->args.value(0), QStringLiteral("5"));
}

TEST(ProjectCheck, FindingsAreTranslated)
{
    ScriptedUi ui;
    TestFolder dir;
    CheckExample example(dir.Path(QStringLiteral("T")), {CheckFault::MissingPage});
    const auto findings = CheckProject(*example.project);
    ASSERT_EQ(findings.size(), 1u);
    QStringList texts;
    for (int language : {0, 1, 2}) {
        Translation::SetLanguage(language);
        texts << findings.front().Text();
        EXPECT_TRUE(texts.last().contains(QStringLiteral("Nowhere"))) << texts.last().toStdString();
    }
    Translation::SetLanguage(0);
    EXPECT_NE(texts[0], texts[2]);
    EXPECT_NE(texts[0], texts[1]);
}

TEST(ProjectCheck, AnImageLostBeforeTheLoadIsStillReported)
{
    ScriptedUi ui;
    TestFolder dir;
    const QString folder = dir.Path(QStringLiteral("Lost"));
    {
        CheckExample example(folder);
        ASSERT_TRUE(example.Save());
    }
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/PHOTO/lamp.png")));
    HeadlessMainDelegate delegate;
    ProjectData reloaded;
    reloaded.mainDelegate = &delegate;
    QString message;
    ASSERT_TRUE(reloaded.LoadProjectFile(folder + QStringLiteral("/Lost.mvl"), message)) << message.toStdString();
    // The load shows the button without its picture; the check says what was named.
    const auto findings = CheckProject(reloaded);
    QStringList images;
    for (const CheckFinding& f : findings)
        if (f.kind == QStringLiteral("missing-image"))
            images << f.args.value(0) + u'@' + f.elementName;
    EXPECT_TRUE(images.contains(QStringLiteral("lamp.png@GoSecond"))) << Describe(findings);
    EXPECT_TRUE(images.contains(QStringLiteral("lamp.png@"))) << "the project's own list" << Describe(findings);
}

TEST(ProjectCheck, PackageLimits)
{
    ScriptedUi ui;
    TestFolder dir;
    CheckExample example(dir.Path(QStringLiteral("Big")));
    ASSERT_TRUE(example.Save());
    // Big.mvl and lamp.png, with Big/, PHOTO/, the text images and TEXTPHOTO/.
    EXPECT_TRUE(CheckProject(*example.project, {100, 1 << 20}).empty());
    EXPECT_EQ(Kinds(CheckProject(*example.project, {4, 1 << 20})), QStringList{QStringLiteral("package-limit")});
    EXPECT_EQ(Kinds(CheckProject(*example.project, {100, 100})), QStringList{QStringLiteral("package-limit")});
}

TEST(ProjectCheck, ScreenAddressesOfADisplayWallAreChecked)
{
    ScriptedUi ui;
    TestFolder dir;
    CheckExample example(dir.Path(QStringLiteral("Wall")));
    XPage* page = example.project->pages.front();
    auto* wall = new XVirtualDisplayWall;
    page->AddControl(wall);
    wall->name = QStringLiteral("Wall");
    wall->SetBounds({0, 0, 200, 100});
    EXPECT_TRUE(CheckProject(*example.project).empty());

    wall->screens[0].ipGroup = {QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.300")};
    wall->screens[1].ipAddress.clear();
    const auto findings = CheckProject(*example.project);
    ASSERT_EQ(Kinds(findings), (QStringList{QStringLiteral("bad-address"), QStringLiteral("bad-address")}))
        << Describe(findings);
    EXPECT_EQ(findings[0].elementName, QStringLiteral("Wall"));
    EXPECT_EQ(findings[0].args, QStringList{QStringLiteral("10.0.0.300")});
    EXPECT_EQ(findings[1].args, QStringList{QString()});
}
