// The send-code and interlock dialogs, driven offscreen.

#include "base/Translation.h"
#include "controls/ControlDialogRequests.h"
#include "controls/DisplayWallDialogRequests.h"
#include "controls/InterlockDlgMainDelegate.h"
#include "controls/SetSendCodeDelegate.h"
#include "controls/XButton.h"
#include "controls/ui/CInterlockDialog.h"
#include "controls/ui/CSetSendCodeDlg.h"
#include "controls/ui/ControlDialogs.h"
#include "model/BrushDialogRequests.h"
#include "model/HeadlessMainDelegate.h"
#include "model/NameDialogRequest.h"
#include "model/ProjectData.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"
#include "support/ScriptedUi.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>

namespace {

struct FrameState : SetSendCodeDelegate, InterlockDlgMainDelegate {
    int startCode = 1;
    int numbering = 101;
    XPage* brushPage = nullptr;
    QString brushGroup;
    int mode = 0;
    int GetStartCode() const override { return startCode; }
    void SetStartCode(int code) override { startCode = code; }
    int GetNumberingState() const override { return numbering; }
    void SetNumberingState(int state) override { numbering = state; }
    void SetInterlockBrush(XPage* page, const QString& group) override
    {
        brushPage = page;
        brushGroup = group;
    }
    void SetDesignMode(int m) override { mode = m; }
};

// Answers the name dialog from a queue of names; an empty entry cancels.
void AnswerNames(ScriptedUi& ui, std::deque<QString>& names, QStringList& captions)
{
    ui.dialogs[QStringLiteral("name")] = [&names, &captions](void* data) {
        auto* request = static_cast<NameDialogRequest*>(data);
        captions << request->caption;
        if (names.empty() || names.front().isEmpty()) {
            if (!names.empty())
                names.pop_front();
            return 2;
        }
        request->name = names.front();
        names.pop_front();
        return 1;
    };
}

} // namespace

TEST(SendCodeDialog, StartsNumberingFromAValidCode)
{
    ScriptedUi ui;
    FrameState frame;
    CSetSendCodeDlg dialog(&frame);
    EXPECT_EQ(dialog.windowTitle(), Translate("181"));
    EXPECT_EQ(dialog.ActionButton()->text(), Translate("183"));
    EXPECT_TRUE(dialog.StartCodeEdit()->isEnabled());
    dialog.show();

    dialog.StartCodeEdit()->clear();
    QTest::keyClicks(dialog.StartCodeEdit(), QStringLiteral("4001"));
    QTest::mouseClick(dialog.ActionButton(), Qt::LeftButton);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, TranslateFormat("113", RangeArgs(0, 4000)));
    EXPECT_EQ(frame.numbering, 101);
    EXPECT_TRUE(dialog.isVisible());

    dialog.StartCodeEdit()->setText(QStringLiteral("abc"));
    QTest::mouseClick(dialog.ActionButton(), Qt::LeftButton);
    EXPECT_EQ(ui.messages.size(), 2);
    EXPECT_TRUE(dialog.isVisible());

    dialog.StartCodeEdit()->setText(QStringLiteral("3999"));
    QTest::mouseClick(dialog.ActionButton(), Qt::LeftButton);
    EXPECT_EQ(frame.startCode, 3999);
    EXPECT_EQ(frame.numbering, 102);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(SendCodeDialog, StopsNumberingWhileOn)
{
    ScriptedUi ui;
    FrameState frame;
    frame.numbering = 102;
    frame.startCode = 57;
    CSetSendCodeDlg dialog(&frame);
    EXPECT_EQ(dialog.ActionButton()->text(), Translate("184"));
    EXPECT_FALSE(dialog.StartCodeEdit()->isEnabled());
    EXPECT_EQ(dialog.StartCodeEdit()->text(), QStringLiteral("57"));
    dialog.show();
    QTest::mouseClick(dialog.ActionButton(), Qt::LeftButton);
    EXPECT_EQ(frame.numbering, 101);
    EXPECT_EQ(frame.startCode, 57);
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

class InterlockDialogTest : public ::testing::Test {
protected:
    InterlockDialogTest()
    {
        project.mainDelegate = &headless;
        project.screen = {QString(), 800, 600};
        page = project.NewPage(TypeRegistry::kPage, QStringLiteral("Main"));
        page->AddGroup(QStringLiteral("Scenes"));
        member = new XButton;
        page->AddControl(member);
        member->SetInterlockGroup(QStringLiteral("Scenes"));
        AnswerNames(ui, names, captions);
    }
    void Select(CInterlockDialog& dialog, int row)
    {
        dialog.GroupList()->selectRow(row);
    }
    ScriptedUi ui;
    HeadlessMainDelegate headless;
    ProjectData project;
    XPage* page;
    XButton* member;
    FrameState frame;
    std::deque<QString> names;
    QStringList captions;
};

TEST_F(InterlockDialogTest, AddsGroupsAndRefusesDuplicates)
{
    CInterlockDialog dialog(page, &frame);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), Translate("171"));
    EXPECT_EQ(dialog.GroupList()->horizontalHeaderItem(0)->text(), Translate("165"));
    ASSERT_EQ(dialog.GroupList()->rowCount(), 1);

    names = {QStringLiteral("Blinds"), QStringLiteral("Scenes"), QStringLiteral("NONE"), QString()};
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
    EXPECT_EQ(captions.value(0), Translate("166"));
    EXPECT_EQ(page->GroupNames(), (QStringList{QStringLiteral("Scenes"), QStringLiteral("Blinds")}));
    ASSERT_EQ(dialog.GroupList()->rowCount(), 2);
    EXPECT_EQ(dialog.GroupList()->item(1, 0)->text(), QStringLiteral("Blinds"));
    ASSERT_EQ(ui.messages.size(), 2);
    EXPECT_EQ(ui.messages[0].text, Translate("167"));
    EXPECT_EQ(ui.messages[0].caption, Translate("70"));
}

TEST_F(InterlockDialogTest, RenamesInPlaceForEveryMember)
{
    CInterlockDialog dialog(page, &frame);
    dialog.show();
    dialog.GroupList()->clearSelection();
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("168"));

    page->AddGroup(QStringLiteral("Other"));
    Select(dialog, 0);
    names = {QStringLiteral("Other"), QStringLiteral("Moods")};
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton); // taken: refused
    EXPECT_EQ(ui.messages.size(), 2);
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    EXPECT_EQ(captions.value(0), Translate("169"));
    EXPECT_EQ(dialog.GroupList()->item(0, 0)->text(), QStringLiteral("Moods"));
    EXPECT_EQ(member->InterlockGroupName(), QStringLiteral("Moods"));
    EXPECT_EQ(page->FindGroup(QStringLiteral("Scenes")), nullptr);
}

TEST_F(InterlockDialogTest, DeletingAGroupFreesItsMembersButKeepsTheirKind)
{
    CInterlockDialog dialog(page, &frame);
    dialog.show();
    dialog.GroupList()->clearSelection();
    QTest::mouseClick(dialog.DeleteButton(), Qt::LeftButton);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("386"));
    Select(dialog, 0);
    QTest::mouseClick(dialog.DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.GroupList()->rowCount(), 0);
    EXPECT_TRUE(page->interlockGroups.empty());
    EXPECT_EQ(member->InterlockGroupName(), QStringLiteral("NONE"));
    EXPECT_EQ(member->buttonKind, 1);
}

TEST_F(InterlockDialogTest, SetInterlockArmsTheAssignmentMode)
{
    CInterlockDialog dialog(page, &frame);
    dialog.show();
    dialog.GroupList()->clearSelection();
    QTest::mouseClick(dialog.SetButton(), Qt::LeftButton);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, Translate("170"));
    EXPECT_EQ(frame.mode, 0);
    Select(dialog, 0);
    QTest::mouseClick(dialog.SetButton(), Qt::LeftButton);
    EXPECT_EQ(frame.brushPage, page);
    EXPECT_EQ(frame.brushGroup, QStringLiteral("Scenes"));
    EXPECT_EQ(frame.mode, 106);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(ControlDialogRunners, EveryDialogIsFiledUnderItsName)
{
    QStringList filed;
    RegisterControlDialogs([&](const QString& name, DialogRunner runner) {
        filed << name;
        EXPECT_EQ(runner(nullptr), 0); // nothing to run without a request
    });
    EXPECT_EQ(filed, (QStringList{InterlockDialogRequest::Name(), SendCodeDialogRequest::Name(),
                                  RtspInfoDialogRequest::Name(), DeviceInfoDialogRequest::Name(),
                                  QStringLiteral("stream"),
                                  AddressDialogRequest::Name(), DisplayWallScreenDialogRequest::Name(),
                                  IPGroupDialogRequest::Name()}));
}
