#include "editor/ui/CProjectCheckPane.h"

#include "support/CheckExample.h"
#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include "base/Translation.h"
#include "model/XPage.h"

#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

TEST(ProjectCheckPane, ListsFindingsAndDoubleClickNamesTheElement)
{
    ScriptedUi ui;
    TestFolder dir;
    CheckExample example(dir.Path(QStringLiteral("P")), {CheckFault::Outside, CheckFault::MissingPage,
                                                         CheckFault::UnusedImage});
    CProjectCheckPane pane;
    pane.resize(600, 300);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    pane.ShowFindings(CheckProject(*example.project));
    QTreeWidget* list = pane.List();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(0), Translate(QStringLiteral("1069"))) << "errors first";
    EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("GoSecond"));

    std::vector<std::pair<const XPage*, const XControl*>> activated;
    QObject::connect(&pane, &CProjectCheckPane::FindingActivated,
                     [&](const XPage* p, const XControl* c) { activated.emplace_back(p, c); });
    // The second finding: the rectangle outside the second page.
    QTreeWidgetItem* outside = list->topLevelItem(1);
    ASSERT_EQ(outside->text(2), QStringLiteral("Far"));
    const QRect rect = list->visualItemRect(outside);
    // A view takes a double click as the second press of a click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    ASSERT_EQ(activated.size(), 1u);
    const XPage* page = activated[0].first;
    const XControl* element = activated[0].second;
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->name, QStringLiteral("Second"));
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->name, QStringLiteral("Far"));

    // A finding about the whole project opens nothing.
    const QPoint projectWide = list->visualItemRect(list->topLevelItem(2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, projectWide);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, projectWide);
    EXPECT_EQ(activated.size(), 1u);

    Translation::SetLanguage(2);
    pane.Relabel();
    EXPECT_EQ(pane.windowTitle(), QStringLiteral("Check results"));
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Error"));
    Translation::SetLanguage(0);
    pane.Clear();
    EXPECT_EQ(list->topLevelItemCount(), 0);
}
