// The RTSP channel dialog and the stream brush dialog, driven offscreen, and the runners
// through which the video controls and the main frame reach them. With MVL_SHOT_DIR set,
// each dialog is also saved there as a picture.

#include "base/Translation.h"
#include "controls/ControlDialogRequests.h"
#include "controls/VideoChannel.h"
#include "controls/XScrollPreviewFrame.h"
#include "controls/ui/CIpAddressEdit.h"
#include "controls/ui/CRTSPInfoDlg.h"
#include "controls/ui/CSetRTSPInfoDlg.h"
#include "controls/ui/ControlDialogs.h"
#include "devicelink/ui/CDeviceInfoManageDlg.h"
#include "model/BrushDialogRequests.h"
#include "support/DialogShot.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

void Type(QLineEdit* edit, const QString& text)
{
    edit->clear();
    QTest::keyClicks(edit, text);
}

QStringList FormLabels(QWidget& dialog)
{
    QStringList labels;
    for (QFormLayout* form : dialog.findChildren<QFormLayout*>())
        for (int row = 0; row < form->rowCount(); ++row)
            if (auto* label = qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget()))
                labels << label->text();
    return labels;
}

VideoChannel Channel()
{
    return {QStringLiteral("rtsp://192.168.1.101:2554/352"), QStringLiteral("rtsp://192.168.1.101:554/1080"), QString(),
            QStringLiteral("1")};
}

class RtspDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog = std::make_unique<CRTSPInfoDlg>(channel);
        dialog->show();
    }
    // Fills the four edits and presses OK.
    void Enter(const QString& name, const QString& preview, const QString& hd, const QString& uhd)
    {
        Type(dialog->NameEdit(), name);
        Type(dialog->PreviewEdit(), preview);
        Type(dialog->HdEdit(), hd);
        Type(dialog->UhdEdit(), uhd);
        ui.messages.clear();
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    }
    bool Closed() const { return dialog->result() == QDialog::Accepted && !dialog->isVisible(); }

    ScriptedUi ui;
    VideoChannel channel = Channel();
    std::unique_ptr<CRTSPInfoDlg> dialog;
};

} // namespace

TEST_F(RtspDialog, ShowsTheChannelUnderItsCaptions)
{
    EXPECT_EQ(dialog->windowTitle(), Translate("338"));
    EXPECT_EQ(FormLabels(*dialog), (QStringList{Translate("341") + u':', Translate("342") + u':',
                                                Translate("343") + u':', Translate("344") + u':'}));
    EXPECT_EQ(dialog->OkButton()->text(), Translate("66"));
    EXPECT_EQ(dialog->CancelButton()->text(), Translate("67"));
    EXPECT_EQ(dialog->NameEdit()->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog->PreviewEdit()->text(), QStringLiteral("rtsp://192.168.1.101:2554/352"));
    EXPECT_EQ(dialog->HdEdit()->text(), QStringLiteral("rtsp://192.168.1.101:554/1080"));
    EXPECT_TRUE(dialog->UhdEdit()->text().isEmpty());
    SaveDialogShot(*dialog, QStringLiteral("CRTSPInfoDlg"));
}

TEST_F(RtspDialog, RefusesMissingOrInvalidAddressesAndChangesNothing)
{
    const QString good = QStringLiteral("rtsp://10.0.0.5:554/1080");
    struct Case {
        QString preview, hd, uhd;
        const char* message; // nullptr: refused by the focus alone
        QLineEdit* (CRTSPInfoDlg::*focus)() const;
    };
    for (const Case& c : {Case{QStringLiteral("  "), good, QString(), nullptr, &CRTSPInfoDlg::PreviewEdit},
                          Case{QStringLiteral("rtsp://cam.local/1"), good, QString(), "349", &CRTSPInfoDlg::PreviewEdit},
                          Case{QStringLiteral("http://10.0.0.5/1"), good, QString(), "349", &CRTSPInfoDlg::PreviewEdit},
                          Case{good, QString(), QString(), nullptr, &CRTSPInfoDlg::HdEdit},
                          Case{good, QStringLiteral("rtsp://255.255.255.255/1"), QString(), "350", &CRTSPInfoDlg::HdEdit},
                          Case{good, good, QStringLiteral("rtsp://"), "351", nullptr}}) {
        SCOPED_TRACE((c.preview + u'|' + c.hd + u'|' + c.uhd).toStdString());
        Enter(QStringLiteral("Gate"), c.preview, c.hd, c.uhd);
        EXPECT_FALSE(Closed());
        if (c.message) {
            ASSERT_EQ(ui.messages.size(), 1);
            EXPECT_EQ(ui.messages[0].text, Translate(c.message));
            EXPECT_EQ(ui.messages[0].caption, Translate("70"));
        } else {
            EXPECT_TRUE(ui.messages.isEmpty());
        }
        if (c.focus) {
            EXPECT_EQ(dialog->focusWidget(), (dialog.get()->*c.focus)());
        }
        EXPECT_EQ(channel, Channel()) << "nothing is written back before every check passed";
    }
}

TEST_F(RtspDialog, OkWritesTheTrimmedValuesAndTheUhdAddressIsOptional)
{
    Enter(QStringLiteral("  Gate "), QStringLiteral(" rtsp://admin:pw@10.0.0.5:2554/352"),
          QStringLiteral("rtsp://10.0.0.5:554/1080 "), QString());
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_TRUE(Closed());
    EXPECT_EQ(channel.name, QStringLiteral("Gate"));
    EXPECT_EQ(channel.previewAddress, QStringLiteral("rtsp://admin:pw@10.0.0.5:2554/352"));
    EXPECT_EQ(channel.hdAddress, QStringLiteral("rtsp://10.0.0.5:554/1080"));
    EXPECT_TRUE(channel.uhdAddress.isEmpty());

    VideoChannel other = Channel();
    CRTSPInfoDlg second(other);
    second.show();
    Type(second.UhdEdit(), QStringLiteral("RTSP://10.0.0.5:551/2160"));
    QTest::mouseClick(second.OkButton(), Qt::LeftButton);
    EXPECT_EQ(second.result(), QDialog::Accepted);
    EXPECT_EQ(other.uhdAddress, QStringLiteral("RTSP://10.0.0.5:551/2160"));
}

TEST_F(RtspDialog, CancelKeepsTheChannel)
{
    Type(dialog->NameEdit(), QStringLiteral("typed"));
    Type(dialog->PreviewEdit(), QStringLiteral("rtsp://10.9.9.9/1"));
    QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(channel, Channel());
}

TEST(StreamBrushDialog, OpensWithTheFramesValuesAndHandsBackAddressAndGeneration)
{
    ScriptedUi ui;
    CSetRTSPInfoDlg dialog(0xC0A8010A, 3); // 192.168.1.10, third generation
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), Translate("419"));
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(Translate("420")));
    EXPECT_TRUE(labels.contains(Translate("329")));
    EXPECT_EQ(dialog.SecondButton()->text(), Translate("1212"));
    EXPECT_EQ(dialog.ThirdButton()->text(), Translate("1213"));
    EXPECT_EQ(dialog.OkButton()->text(), Translate("66"));
    EXPECT_EQ(dialog.CancelButton()->text(), Translate("67"));
    EXPECT_TRUE(dialog.ThirdButton()->isChecked());
    EXPECT_EQ(dialog.AddressEdit()->Text(), QStringLiteral("192.168.1.10"));
    EXPECT_EQ(dialog.StartAddress(), 0xC0A8010Au);
    EXPECT_EQ(dialog.Generation(), 3);
    SaveDialogShot(dialog, QStringLiteral("CSetRTSPInfoDlg"));

    // Typing moves on at a dot or after three digits; a field never takes more than 255.
    CIpAddressEdit* edit = dialog.AddressEdit();
    for (int i = 0; i < 4; ++i)
        edit->Field(i)->clear();
    edit->Field(0)->setFocus();
    QTest::keyClicks(edit->Field(0), QStringLiteral("10."));
    QTest::keyClicks(dialog.focusWidget(), QStringLiteral("267.")); // the 7 would make 267
    QTest::keyClicks(dialog.focusWidget(), QStringLiteral("3."));
    QTest::keyClicks(dialog.focusWidget(), QStringLiteral("7"));
    EXPECT_EQ(edit->Field(0)->text(), QStringLiteral("10"));
    EXPECT_EQ(edit->Field(1)->text(), QStringLiteral("26"));
    EXPECT_EQ(edit->Field(2)->text(), QStringLiteral("3"));
    EXPECT_EQ(edit->Field(3)->text(), QStringLiteral("7"));
    edit->Field(1)->clear();
    edit->Field(1)->setFocus();
    QTest::keyClicks(edit->Field(1), QStringLiteral("2554"));
    EXPECT_EQ(edit->Field(1)->text(), QStringLiteral("255"));
    EXPECT_EQ(dialog.focusWidget(), edit->Field(2)) << "three digits move on";
    EXPECT_EQ(edit->Field(2)->text(), QStringLiteral("3")) << "the fourth digit went to the field it was typed in";
    EXPECT_EQ(dialog.StartAddress(), 0x0AFF0307u); // 10.255.3.7
    edit->Field(3)->clear();
    EXPECT_EQ(edit->Address(), 0x0AFF0300u) << "a blank field counts as 0";
    EXPECT_EQ(edit->Text(), QStringLiteral("10.255.3.")) << "but is no 0 in the text";

    dialog.SecondButton()->click();
    EXPECT_EQ(dialog.Generation(), 2);
    EXPECT_FALSE(dialog.ThirdButton()->isChecked());
    CSetRTSPInfoDlg other(0x0A000001, 7);
    EXPECT_EQ(other.Generation(), 2) << "anything but 3 opens as the second generation";
}

TEST(VideoDialogRunners, TheStreamRunnerFillsTheRequestOnlyOnOk)
{
    ScriptedUi ui;
    QMap<QString, DialogRunner> runners;
    RegisterControlDialogs([&](const QString& name, DialogRunner runner) { runners.insert(name, runner); });
    ASSERT_TRUE(runners.contains(QStringLiteral("stream")));
    ASSERT_TRUE(runners.contains(RtspInfoDialogRequest::Name()));
    ASSERT_TRUE(runners.contains(DeviceInfoDialogRequest::Name()));

    StreamDialogRequest request{0xC0A80164, 2};
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<CSetRTSPInfoDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->AddressEdit()->Field(3)->setText(QStringLiteral("10"));
        dlg->ThirdButton()->click();
        dlg->OkButton()->click();
    });
    EXPECT_EQ(runners[QStringLiteral("stream")](&request), 1);
    EXPECT_EQ(request.address, 0xC0A8010Au);
    EXPECT_EQ(request.streamCount, 3);

    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<CSetRTSPInfoDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->AddressEdit()->Field(3)->setText(QStringLiteral("99"));
        dlg->SecondButton()->click();
        dlg->CancelButton()->click();
    });
    EXPECT_EQ(runners[QStringLiteral("stream")](&request), 0);
    EXPECT_EQ(request.address, 0xC0A8010Au);
    EXPECT_EQ(request.streamCount, 3);

    // The channel runner answers 1 for OK with the channel filled in.
    VideoChannel channel = Channel();
    RtspInfoDialogRequest rtsp{&channel};
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<CRTSPInfoDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->NameEdit()->setText(QStringLiteral("Porch"));
        dlg->OkButton()->click();
    });
    EXPECT_EQ(runners[RtspInfoDialogRequest::Name()](&rtsp), 1);
    EXPECT_EQ(channel.name, QStringLiteral("Porch"));

    // The device runner opens the device dialog on the control's own list.
    XScrollPreviewFrame scroll;
    DeviceInfoDialogRequest devices{&scroll};
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<CDeviceInfoManageDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        SaveDialogShot(*dlg, QStringLiteral("CDeviceInfoManageDlg"));
        dlg->findChild<QPushButton*>(QStringLiteral("addButton"))->click();
        dlg->findChild<QLineEdit*>(QStringLiteral("idEdit"))->setText(QStringLiteral("1"));
        dlg->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->setText(QStringLiteral("Porch"));
        dlg->findChild<QLineEdit*>(QStringLiteral("previewEdit"))->setText(QStringLiteral("rtsp://10.0.0.1:2554/352"));
        dlg->findChild<QLineEdit*>(QStringLiteral("hdEdit"))->setText(QStringLiteral("rtsp://10.0.0.1:554/1080"));
        dlg->findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
        dlg->reject();
    });
    runners[DeviceInfoDialogRequest::Name()](&devices);
    ASSERT_EQ(scroll.Devices().size(), 1);
    EXPECT_EQ(scroll.Devices()[0]->name, QStringLiteral("Porch"));

    for (const QString& name : runners.keys())
        EXPECT_EQ(runners[name](nullptr), 0) << name.toStdString();
}
