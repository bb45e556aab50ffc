#include "devicelink/ui/CDeviceInfoManageDlg.h"
#include "devicelink/ui/CMyListCtrl.h"

#include "base/Translation.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Owner : public DeviceInfoManageDelegate {
public:
    ~Owner() override { qDeleteAll(list); }
    DeviceInfoList& GetDeviceList() override { return list; }
    void Add(const QString& id, const QString& name)
    {
        list.append(new DeviceInfoItem{QStringLiteral("rtsp://10.0.0.%1/low").arg(list.size() + 1),
                                       QStringLiteral("rtsp://10.0.0.%1/high").arg(list.size() + 1), QString(), name, id});
    }
    QStringList Ids() const
    {
        QStringList ids;
        for (const DeviceInfoItem* item : list)
            ids.append(item->id);
        return ids;
    }
    DeviceInfoList list;
};

class DeviceInfoDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.Add(QStringLiteral("CAM1"), QStringLiteral("Gate"));
        owner.Add(QStringLiteral("CAM2"), QStringLiteral("Hall"));
        owner.Add(QStringLiteral("CAM3"), QStringLiteral("Roof"));
        dialog = std::make_unique<CDeviceInfoManageDlg>(&owner);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        list = dialog->findChild<CMyListCtrl*>(QStringLiteral("deviceList"));
        for (const char* name : {"idEdit", "nameEdit", "previewEdit", "hdEdit", "uhdEdit"})
            edits.append(dialog->findChild<QLineEdit*>(QLatin1String(name)));
    }
    QPushButton* Button(const char* name) { return dialog->findChild<QPushButton*>(QLatin1String(name)); }
    void Fill(const QString& id, const QString& name, const QString& preview, const QString& hd, const QString& uhd)
    {
        const QString values[] = {id, name, preview, hd, uhd};
        for (int i = 0; i < 5; ++i)
            edits[i]->setText(values[i]);
    }
    QStringList RowIds() const
    {
        QStringList ids;
        for (int r = 0; r < list->rowCount(); ++r)
            ids.append(list->Text(r, 0));
        return ids;
    }
    QStringList Messages() const { return ui.Texts(); }

    ScriptedUi ui;
    Owner owner;
    std::unique_ptr<CDeviceInfoManageDlg> dialog;
    CMyListCtrl* list = nullptr;
    QList<QLineEdit*> edits;
};

} // namespace

TEST_F(DeviceInfoDialog, ShowsTheListAndEnablesOnlyWhatApplies)
{
    EXPECT_EQ(dialog->windowTitle(), Translate("339"));
    EXPECT_EQ(RowIds(), owner.Ids());
    EXPECT_EQ(list->Text(1, 1), QStringLiteral("Hall"));
    EXPECT_EQ(list->horizontalHeaderItem(2)->text(), Translate("342"));
    EXPECT_FALSE(dialog->IsEditAreaShown());
    EXPECT_FALSE(Button("editButton")->isEnabled());
    EXPECT_FALSE(Button("deleteButton")->isEnabled());
    EXPECT_FALSE(Button("upButton")->isEnabled());
    EXPECT_FALSE(Button("downButton")->isEnabled());

    list->SelectRow(0);
    EXPECT_TRUE(Button("editButton")->isEnabled());
    EXPECT_FALSE(Button("upButton")->isEnabled());
    EXPECT_TRUE(Button("downButton")->isEnabled());
    list->SelectRow(2);
    EXPECT_TRUE(Button("upButton")->isEnabled());
    EXPECT_FALSE(Button("downButton")->isEnabled());
    list->SetChecked(1, true);
    EXPECT_TRUE(Button("deleteButton")->isEnabled());
}

// The checks of Save in their order: empty fields only take the focus, invalid addresses
// and taken IDs or names bring their message, and nothing changes until all pass.
TEST_F(DeviceInfoDialog, AddValidatesInOrder)
{
    Button("addButton")->click();
    ASSERT_TRUE(dialog->IsEditAreaShown());
    EXPECT_EQ(edits[2]->text(), QStringLiteral("rtsp://"));
    EXPECT_EQ(edits[3]->text(), QStringLiteral("rtsp://"));
    EXPECT_TRUE(edits[4]->text().isEmpty());
    QPushButton* save = Button("saveButton");

    struct Step {
        QStringList values;
        QString message;   // empty: no message
        int focus;         // edit expected to hold the focus, -1 = not checked
    };
    const QString ok = QStringLiteral("rtsp://192.168.1.9/1");
    const QList<Step> steps = {
        {{QStringLiteral("  "), QStringLiteral("Door"), ok, ok, {}}, {}, 0},
        {{QStringLiteral("CAM9"), QString(), ok, ok, {}}, {}, 1},
        {{QStringLiteral("CAM9"), QStringLiteral("Door"), QString(), ok, {}}, {}, 2},
        {{QStringLiteral("CAM9"), QStringLiteral("Door"), QStringLiteral("rtsp://camera/1"), ok, {}}, Translate("349"), 2},
        {{QStringLiteral("CAM9"), QStringLiteral("Door"), ok, QString(), {}}, {}, 3},
        {{QStringLiteral("CAM9"), QStringLiteral("Door"), ok, QStringLiteral("http://1.2.3.4"), {}}, Translate("350"), 3},
        {{QStringLiteral("CAM9"), QStringLiteral("Door"), ok, ok, QStringLiteral("rtsp://255.255.255.255")}, Translate("351"), -1},
        {{QStringLiteral("CAM2"), QStringLiteral("Door"), ok, ok, {}}, Translate("352"), -1},
        {{QStringLiteral("CAM9"), QStringLiteral("Hall"), ok, ok, {}}, Translate("353"), -1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.values.join(u'|').toStdString());
        ui.messages.clear();
        edits[4]->setFocus(); // somewhere else, so a focus change shows
        Fill(s.values[0], s.values[1], s.values[2], s.values[3], s.values[4]);
        save->click();
        EXPECT_EQ(Messages(), s.message.isEmpty() ? QStringList() : QStringList{s.message});
        if (s.focus >= 0) {
            EXPECT_TRUE(edits[s.focus]->hasFocus());
        }
        EXPECT_EQ(owner.list.size(), 3);
    }

    ui.messages.clear();
    Fill(QStringLiteral(" CAM9 "), QStringLiteral("Door"), QStringLiteral("rtsp://admin:pw@192.168.1.9:554/low"), ok,
         QString());
    save->click();
    EXPECT_EQ(Messages(), QStringList{Translate("354")});
    ASSERT_EQ(owner.list.size(), 4);
    EXPECT_EQ(owner.list[3]->id, QStringLiteral("CAM9")); // trimmed
    EXPECT_EQ(owner.list[3]->previewAddress, QStringLiteral("rtsp://admin:pw@192.168.1.9:554/low"));
    EXPECT_EQ(RowIds(), owner.Ids());
    // The edit area stays in add mode with the values entered: a second Save is a duplicate.
    EXPECT_TRUE(dialog->IsEditAreaShown());
    ui.messages.clear();
    save->click();
    EXPECT_EQ(Messages(), QStringList{Translate("352")});
    EXPECT_EQ(owner.list.size(), 4);
}

TEST_F(DeviceInfoDialog, EditKeepsOwnNameButRefusesAnothersIdOrName)
{
    list->SelectRow(1);
    Button("editButton")->click();
    ASSERT_EQ(dialog->EditMode(), CDeviceInfoManageDlg::Mode::Edit);
    EXPECT_EQ(edits[0]->text(), QStringLiteral("CAM2"));
    EXPECT_EQ(edits[1]->text(), QStringLiteral("Hall"));
    EXPECT_EQ(edits[2]->text(), owner.list[1]->previewAddress);

    edits[0]->setText(QStringLiteral("CAM1"));
    Button("saveButton")->click();
    EXPECT_EQ(Messages(), QStringList{Translate("352")});
    ui.messages.clear();
    edits[0]->setText(QStringLiteral("CAM2"));
    edits[1]->setText(QStringLiteral("Roof"));
    Button("saveButton")->click();
    EXPECT_EQ(Messages(), QStringList{Translate("353")});
    EXPECT_EQ(owner.list[1]->name, QStringLiteral("Hall"));

    ui.messages.clear();
    edits[1]->setText(QStringLiteral("Hall")); // its own name
    edits[0]->setText(QStringLiteral("CAM2-NEW"));
    edits[4]->setText(QStringLiteral("rtsp://10.0.0.2/uhd"));
    Button("saveButton")->click();
    EXPECT_EQ(Messages(), QStringList{Translate("355")});
    EXPECT_EQ(owner.list[1]->id, QStringLiteral("CAM2-NEW"));
    EXPECT_EQ(owner.list[1]->uhdAddress, QStringLiteral("rtsp://10.0.0.2/uhd"));
    EXPECT_EQ(list->Text(1, 0), QStringLiteral("CAM2-NEW"));
    EXPECT_EQ(list->Text(1, 4), QStringLiteral("rtsp://10.0.0.2/uhd"));
    EXPECT_FALSE(dialog->IsEditAreaShown());
}

// Rows moved while an item is being edited: Save still changes that item's own row.
TEST_F(DeviceInfoDialog, EditAfterAMoveWritesTheRightRow)
{
    list->SelectRow(2);
    Button("editButton")->click();
    Button("upButton")->click();
    Button("upButton")->click();
    EXPECT_EQ(owner.Ids(), (QStringList{QStringLiteral("CAM3"), QStringLiteral("CAM1"), QStringLiteral("CAM2")}));
    edits[1]->setText(QStringLiteral("Roof top"));
    Button("saveButton")->click();
    EXPECT_EQ(owner.list[0]->name, QStringLiteral("Roof top"));
    EXPECT_EQ(list->Text(0, 1), QStringLiteral("Roof top"));
    EXPECT_EQ(list->Text(2, 1), QStringLiteral("Hall"));
}

TEST_F(DeviceInfoDialog, MovesSwapListAndRowsAndCarryTheCheckMark)
{
    list->SetChecked(0, true);
    list->SelectRow(0);
    Button("downButton")->click();
    EXPECT_EQ(owner.Ids(), (QStringList{QStringLiteral("CAM2"), QStringLiteral("CAM1"), QStringLiteral("CAM3")}));
    EXPECT_EQ(RowIds(), owner.Ids());
    EXPECT_EQ(list->SelectedRow(), 1);
    EXPECT_TRUE(list->IsChecked(1));
    EXPECT_FALSE(list->IsChecked(0));
    EXPECT_TRUE(Button("upButton")->isEnabled());
    Button("downButton")->click();
    EXPECT_EQ(owner.Ids(), (QStringList{QStringLiteral("CAM2"), QStringLiteral("CAM3"), QStringLiteral("CAM1")}));
    EXPECT_FALSE(Button("downButton")->isEnabled());
    Button("downButton")->click(); // disabled: nothing happens
    EXPECT_EQ(owner.Ids(), (QStringList{QStringLiteral("CAM2"), QStringLiteral("CAM3"), QStringLiteral("CAM1")}));
}

TEST_F(DeviceInfoDialog, DeleteRemovesExactlyTheCheckedItemsAfterMoves)
{
    owner.Add(QStringLiteral("CAM4"), QStringLiteral("Yard"));
    CDeviceInfoManageDlg fresh(&owner);
    fresh.show();
    auto* rows = fresh.findChild<CMyListCtrl*>(QStringLiteral("deviceList"));
    auto* up = fresh.findChild<QPushButton*>(QStringLiteral("upButton"));
    rows->SelectRow(3);
    up->click();
    up->click(); // CAM1 CAM4 CAM2 CAM3
    rows->SetChecked(1, true); // CAM4
    rows->SetChecked(3, true); // CAM3
    fresh.findChild<QPushButton*>(QStringLiteral("deleteButton"))->click();
    EXPECT_EQ(owner.Ids(), (QStringList{QStringLiteral("CAM1"), QStringLiteral("CAM2")}));
    EXPECT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->Text(0, 0), QStringLiteral("CAM1"));
    EXPECT_EQ(rows->Text(1, 0), QStringLiteral("CAM2"));
    EXPECT_FALSE(fresh.findChild<QPushButton*>(QStringLiteral("deleteButton"))->isEnabled());
    EXPECT_TRUE(ui.messages.isEmpty()); // no confirmation asked
}

TEST_F(DeviceInfoDialog, SelectedRowKeepsItsColoursWithoutFocus)
{
    const QPalette p = list->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        EXPECT_EQ(p.color(g, QPalette::Highlight), QColor(0x33, 0x99, 0xFF));
        EXPECT_EQ(p.color(g, QPalette::HighlightedText), QColor(Qt::white));
        EXPECT_EQ(p.color(g, QPalette::Base), QColor(Qt::white));
        EXPECT_EQ(p.color(g, QPalette::Text), QColor(Qt::black));
    }
}
