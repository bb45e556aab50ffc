// The display-wall dialogs, driven offscreen: one address, one screen, a screen's group.

#include "base/Translation.h"
#include "controls/DisplayWallDialogRequests.h"
#include "controls/ui/CDisplayWallScreenInfoSetDlg.h"
#include "controls/ui/CIpAddressEdit.h"
#include "support/DialogShot.h"
#include "controls/ui/CIPDlg.h"
#include "controls/ui/CIPGroupSetDlg.h"
#include "devicelink/ui/CMyListCtrl.h"
#include "model/BrushDialogRequests.h"
#include "support/ScriptedUi.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>

namespace {

constexpr quint32 kDefault = 0xC0A80164; // 192.168.1.100

void Type(QLineEdit* edit, const QString& text)
{
    edit->clear();
    QTest::keyClicks(edit, text);
}

// Types the dotted parts into the four fields of an address box; missing parts stay blank.
void Type(CIpAddressEdit* box, const QString& text)
{
    const QStringList parts = text.split(u'.');
    for (int i = 0; i < 4; ++i)
        Type(box->Field(i), i < parts.size() ? parts[i] : QString());
}

QStringList LabelTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        texts << label->text();
    return texts;
}

// Answers the address dialog from a queue (0 cancels), noting titles and start values.
struct AddressAnswers {
    std::deque<quint32> answers;
    QStringList titles;
    QList<quint32> starts;

    void Install(ScriptedUi& ui)
    {
        ui.dialogs[AddressDialogRequest::Name()] = [this](void* data) {
            auto* request = static_cast<AddressDialogRequest*>(data);
            titles << request->title;
            starts << request->address;
            const quint32 answer = answers.empty() ? 0 : answers.front();
            if (!answers.empty())
                answers.pop_front();
            if (answer == 0)
                return 2;
            request->address = answer;
            return 1;
        };
    }
};

} // namespace

TEST(IPDialog, TakesOnlyAnAddressAndPutsTheOldOneBack)
{
    ScriptedUi ui;
    CIPDlg dialog(QStringLiteral("Brush"), kDefault);
    SaveDialogShot(dialog, QStringLiteral("CIPDlg"));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Brush"));
    EXPECT_EQ(dialog.AddressBox()->Text(), QStringLiteral("192.168.1.100"));
    EXPECT_EQ(dialog.OkButton()->text(), Translate("66"));
    EXPECT_EQ(dialog.CancelButton()->text(), Translate("67"));

    // A part over 255 cannot be typed at all; a broadcast address or a blank part is refused.
    Type(dialog.AddressBox(), QStringLiteral("300.1.1.1"));
    EXPECT_EQ(dialog.AddressBox()->Text(), QStringLiteral("30.1.1.1"));
    for (const QString& bad : {QStringLiteral("255.255.255.255"), QStringLiteral("10.1.1"), QString()}) {
        SCOPED_TRACE(bad.toStdString());
        ui.messages.clear();
        Type(dialog.AddressBox(), bad);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_EQ(ui.messages[0].text, Translate("378"));
        EXPECT_EQ(ui.messages[0].caption, Translate("70"));
        EXPECT_EQ(dialog.AddressBox()->Text(), QStringLiteral("192.168.1.100"));
        EXPECT_TRUE(dialog.isVisible());
    }

    // Only digits can be typed; each part is decimal.
    Type(dialog.AddressBox(), QStringLiteral("10.a0.1.10"));
    EXPECT_EQ(dialog.AddressBox()->Text(), QStringLiteral("10.0.1.10"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Address(), 0x0A00010Au);
}

TEST(IPDialog, CancelKeepsTheAddress)
{
    ScriptedUi ui;
    CIPDlg dialog(QString(), 0x0A000001);
    dialog.show();
    Type(dialog.AddressBox(), QStringLiteral("10.0.0.2"));
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.Address(), 0x0A000001u);
}

class ScreenDialogTest : public ::testing::Test {
protected:
    ScreenDialogTest()
    {
        request.ipAddress = QStringLiteral("192.168.1.103");
        request.horizontalResolution = 1920;
        request.verticalResolution = 1080;
        request.ipGroup = {QStringLiteral("10.0.0.1")};
    }
    ScriptedUi ui;
    DisplayWallScreenDialogRequest request;
};

TEST_F(ScreenDialogTest, ShowsTheScreenUnderItsCaptions)
{
    CDisplayWallScreenInfoSetDlg dialog(request);
    SaveDialogShot(dialog, QStringLiteral("CDisplayWallScreenInfoSetDlg"));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), Translate("244"));
    EXPECT_EQ(LabelTexts(dialog), (QStringList{Translate("245"), Translate("246"), Translate("247")}));
    EXPECT_EQ(dialog.GroupButton()->text(), Translate("385"));
    EXPECT_EQ(dialog.OkButton()->text(), Translate("66"));
    EXPECT_EQ(dialog.CancelButton()->text(), Translate("67"));
    EXPECT_EQ(dialog.AddressBox()->Text(), QStringLiteral("192.168.1.103"));
    EXPECT_EQ(dialog.HorizontalEdit()->text(), QStringLiteral("1920"));
    EXPECT_EQ(dialog.VerticalEdit()->text(), QStringLiteral("1080"));
}

TEST_F(ScreenDialogTest, RefusesEmptyResolutionsAndBadAddresses)
{
    CDisplayWallScreenInfoSetDlg dialog(request);
    dialog.show();
    dialog.HorizontalEdit()->clear();
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    dialog.HorizontalEdit()->setText(QStringLiteral("1280"));
    dialog.VerticalEdit()->setText(QStringLiteral("  "));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    dialog.VerticalEdit()->setText(QStringLiteral("70000"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    dialog.VerticalEdit()->setText(QStringLiteral("720"));
    Type(dialog.AddressBox(), QStringLiteral("192.168.1"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(ui.Texts(), (QStringList{Translate("248"), Translate("249"),
                                       TranslateFormat("960", RangeArgs(0, 65535)), Translate("378")}));
    EXPECT_EQ(dialog.AddressBox()->Text(), QStringLiteral("192.168.1.103"));
    EXPECT_TRUE(dialog.isVisible());
    // Nothing reached the request while the dialog refused.
    EXPECT_EQ(request.horizontalResolution, 1920);

    Type(dialog.AddressBox(), QStringLiteral("10.20.30.40"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(request.ipAddress, QStringLiteral("10.20.30.40"));
    EXPECT_EQ(request.horizontalResolution, 1280);
    EXPECT_EQ(request.verticalResolution, 720);
}

TEST_F(ScreenDialogTest, ATextThatIsNoNumberGivesZero)
{
    CDisplayWallScreenInfoSetDlg dialog(request);
    dialog.show();
    dialog.HorizontalEdit()->setText(QStringLiteral("wide"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(request.horizontalResolution, 0);
    EXPECT_EQ(request.verticalResolution, 1080);
}

TEST_F(ScreenDialogTest, GroupEditsCountOnlyWithOk)
{
    ui.dialogs[IPGroupDialogRequest::Name()] = [](void* data) {
        static_cast<IPGroupDialogRequest*>(data)->ipGroup->append(QStringLiteral("10.0.0.2"));
        return 1;
    };
    {
        CDisplayWallScreenInfoSetDlg dialog(request);
        dialog.show();
        QTest::mouseClick(dialog.GroupButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(request.ipGroup, QStringList{QStringLiteral("10.0.0.1")});
    CDisplayWallScreenInfoSetDlg dialog(request);
    dialog.show();
    QTest::mouseClick(dialog.GroupButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.GroupButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(request.ipGroup,
              (QStringList{QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2"), QStringLiteral("10.0.0.2")}));
}

class GroupDialogTest : public ::testing::Test {
protected:
    GroupDialogTest() { answers.Install(ui); }
    QStringList Rows(const CIPGroupSetDlg& dialog) const
    {
        QStringList rows;
        for (int r = 0; r < dialog.List()->rowCount(); ++r)
            rows << dialog.List()->Text(r, 0);
        return rows;
    }
    ScriptedUi ui;
    AddressAnswers answers;
    QStringList group{QStringLiteral("10.0.0.1"), QStringLiteral("not an address")};
};

TEST_F(GroupDialogTest, AddsAtTheFirstAddressUnderTheBrushTitle)
{
    CIPGroupSetDlg dialog(&group);
    SaveDialogShot(dialog, QStringLiteral("CIPGroupSetDlg"));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), Translate("385"));
    EXPECT_EQ(dialog.List()->columnCount(), 1);
    EXPECT_EQ(dialog.List()->horizontalHeaderItem(0)->text(), Translate("201"));
    EXPECT_GE(dialog.List()->columnWidth(0), dialog.List()->viewport()->width() - 2);
    EXPECT_EQ(dialog.AddButton()->text(), Translate("172"));
    EXPECT_EQ(dialog.EditButton()->text(), Translate("173"));
    EXPECT_EQ(dialog.DeleteButton()->text(), Translate("174"));
    EXPECT_EQ(Rows(dialog), group);

    answers.answers = {0x0A000003, 0};
    QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.AddButton(), Qt::LeftButton); // cancelled
    EXPECT_EQ(answers.titles, (QStringList{Translate("265"), Translate("265")}));
    EXPECT_EQ(answers.starts, (QList<quint32>{kDefault, kDefault}));
    const QStringList expected{QStringLiteral("10.0.0.1"), QStringLiteral("not an address"), QStringLiteral("10.0.0.3")};
    EXPECT_EQ(group, expected);
    EXPECT_EQ(Rows(dialog), expected);
    EXPECT_EQ(dialog.List()->SelectedRow(), 2);
}

TEST_F(GroupDialogTest, EditsAndDeletesTheSelectedAddress)
{
    CIPGroupSetDlg dialog(&group);
    dialog.show();
    dialog.List()->clearSelection();
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(ui.Texts(), (QStringList{Translate("168"), Translate("386")}));
    EXPECT_EQ(ui.messages[0].caption, Translate("70"));
    EXPECT_TRUE(answers.starts.isEmpty());

    answers.answers = {0x0A000009, 0x0A00000A};
    dialog.List()->SelectRow(0);
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    dialog.List()->SelectRow(1);
    QTest::mouseClick(dialog.EditButton(), Qt::LeftButton);
    // The stored text as the dotted-quad parser reads it; what it refuses starts as
    // 255.255.255.255.
    EXPECT_EQ(answers.starts, (QList<quint32>{0x0A000001, 0xFFFFFFFF}));
    EXPECT_EQ(group, (QStringList{QStringLiteral("10.0.0.9"), QStringLiteral("10.0.0.10")}));
    EXPECT_EQ(Rows(dialog), group);

    dialog.List()->SelectRow(0);
    QTest::mouseClick(dialog.DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(group, QStringList{QStringLiteral("10.0.0.10")});
    EXPECT_EQ(Rows(dialog), group);
}
