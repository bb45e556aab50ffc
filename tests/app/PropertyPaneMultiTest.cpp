// The property pane with several controls selected by a band in the real view: the rows
// they share, edits that reach all of them as one undo step or none of them, and the
// real dialogs answered as a user would.
#include "FrameFixture.h"

#include "app/Commands.h"
#include "controls/XButton.h"
#include "controls/XFontText.h"
#include "controls/XVideoComboBox.h"
#include "controls/XVideoPreview.h"
#include "editor/ui/CControlTreeCtrl.h"
#include "editor/ui/CProjectTree.h"
#include "model/ElementTypes.h"
#include "model/TypeRegistry.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>

#include <functional>

namespace {

constexpr char kNoRow[] = "<no row>";

class PropertyPaneMulti : public FrameFixture {
protected:
    // Lobby with two buttons side by side and a font text below the first.
    void Build()
    {
        project = NewProject(work.Path(QStringLiteral("Venue")));
        ASSERT_NE(project, nullptr);
        lobby = NewPage(QStringLiteral("Lobby"));
        ASSERT_NE(lobby, nullptr);
        scene1 = AddControl<XButton>(lobby, ElementType::kButton, "Scene1", {20, 20, 120, 60});
        scene2 = AddControl<XButton>(lobby, ElementType::kButton, "Scene2", {140, 20, 240, 60});
        title = AddControl<XFontText>(lobby, ElementType::kFontText, "Title", {20, 200, 220, 240});
        scene1->fontSize = 18;
        title->fontSize = 40;
        scene2->fontSize = 24;
        scene1->textColor = scene2->textColor = title->textColor = MakeRgb(255, 255, 255);
        UseRealDialogs();
    }

    // A band dragged over empty page area, as the mouse does.
    QList<XControl*> Band(QPoint from, QPoint to)
    {
        frame->SelectControl(lobby);
        Drag(lobby, from, to);
        WaitForPane();
        return frame->SelectedControls();
    }

    int TreeSelectionCount() const { return static_cast<int>(frame->TreePane()->Tree()->selectedItems().size()); }

    ProjectData* project = nullptr;
    XPage* lobby = nullptr;
    XButton* scene1 = nullptr;
    XButton* scene2 = nullptr;
    XFontText* title = nullptr;
};

} // namespace

// Two controls of different types show only the rows both have; a value that differs
// shows empty, one they share shows as it is.
TEST_F(PropertyPaneMulti, TwoTypesShowTheRowsTheyShare)
{
    Build();
    const QList<XControl*> selected = Band({5, 5}, {230, 250});
    ASSERT_EQ(selected, (QList<XControl*>{scene1, title}));
    EXPECT_EQ(frame->GetCurrentControl(), nullptr);
    EXPECT_EQ(TreeSelectionCount(), 2);
    const struct {
        const char* what;
        quint32 row;
        QString shown;
    } rows[] = {
        {"name: one name cannot serve two controls", PropertyId::kName, QString::fromLatin1(kNoRow)},
        {"send code: a button's alone", PropertyId::kSendCode, QString::fromLatin1(kNoRow)},
        {"X1: the same for both", PropertyId::kX1, QStringLiteral("20")},
        {"Y1: differs", PropertyId::kY1, QString()},
        {"width: a font text's follows its text", PropertyId::kWidth, QString::fromLatin1(kNoRow)},
        {"font size: differs", PropertyId::kFontSize, QString()},
        {"text colour: the same", PropertyId::kTextColour, QStringLiteral("255, 255, 255")},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(GridValue(r.row).toStdString(), r.shown.toStdString());
    }
}

// Edits of the two buttons' shared rows: applied to both as one undo step with the
// selection kept, or, refused or cancelled, applied to neither; undo and redo restore
// both and the pane follows.
TEST_F(PropertyPaneMulti, AnEditReachesEverySelectedControlOrNone)
{
    Build();
    const COLORREF chosen = MakeRgb(10, 20, 30);
    const QString chosenText = QStringLiteral("10, 20, 30");
    auto type = [this](quint32 id, const QString& text) {
        auto* line = qobject_cast<QLineEdit*>(OpenRowEditor(id));
        ASSERT_NE(line, nullptr);
        line->selectAll();
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
    };
    auto furtherColours = [this](bool accept, COLORREF colour) {
        real->answer.Expect<QColorDialog>(QStringLiteral("colour dialog"), [=](QColorDialog* d) {
            d->setCurrentColor(ToQColor(colour));
            accept ? d->accept() : d->reject();
        });
        auto* combo = qobject_cast<QComboBox*>(OpenRowEditor(PropertyId::kTextColour));
        ASSERT_NE(combo, nullptr);
        QTest::keyClick(combo, Qt::Key_End); // the last entry: further colours
    };
    // A double click on the image row; the chooser gets a file typed in, or is cancelled.
    const QString badge = work.Path(QStringLiteral("badge.png"));
    QImage(8, 8, QImage::Format_RGB32).save(badge);
    auto chooseImage = [&](bool pick) {
        real->answer.Expect<QFileDialog>(QStringLiteral("file dialog"), [&, pick](QFileDialog* d) {
            auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!pick || !name) {
                d->reject();
                return;
            }
            name->setText(badge);
            QTest::keyClick(name, Qt::Key_Return);
        });
        CMFCMyPropertyGridCtrl* grid = frame->PropPane()->Grid();
        QTreeWidgetItem* row = GridRow(PropertyId::kImage);
        ASSERT_NE(row, nullptr);
        const QPoint at = grid->visualItemRect(row).center() + QPoint(grid->columnWidth(0) / 2, 0);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    };
    auto images = [this] { return QStringList{scene1->imageFile, scene2->imageFile}; };
    auto fontSizes = [this] { return QStringList{QString::number(scene1->fontSize), QString::number(scene2->fontSize)}; };
    auto colours = [this] { return QStringList{QString::number(scene1->textColor), QString::number(scene2->textColor)}; };
    struct Case {
        const char* what;
        quint32 row;
        std::function<void()> edit;
        std::function<QStringList()> values;
        QStringList after;  // the values once applied; empty: nothing may change
        QString shownAfter; // the row's value in the pane afterwards
    };
    const Case cases[] = {
        {"font size typed", PropertyId::kFontSize, [&] { type(PropertyId::kFontSize, QStringLiteral("30")); }, fontSizes,
         {QStringLiteral("30"), QStringLiteral("30")}, QStringLiteral("30")},
        {"font size out of range", PropertyId::kFontSize,
         [&] {
             real->answer.ExpectMessage(TranslateFormat("117", RangeArgs(1, 500)), kIdOk);
             type(PropertyId::kFontSize, QStringLiteral("501"));
         },
         fontSizes, {}, QString()},
        {"X1 typed: both move to it", PropertyId::kX1, [&] { type(PropertyId::kX1, QStringLiteral("300")); },
         [this] { return QStringList{QString::number(scene1->x1), QString::number(scene2->x1)}; },
         {QStringLiteral("300"), QStringLiteral("300")}, QStringLiteral("300")},
        {"further colours, OK", PropertyId::kTextColour, [&] { furtherColours(true, chosen); }, colours,
         {QString::number(chosen), QString::number(chosen)}, chosenText},
        {"further colours, Cancel", PropertyId::kTextColour, [&] { furtherColours(false, chosen); }, colours, {},
         QStringLiteral("255, 255, 255")},
        {"image chooser, a file picked", PropertyId::kImage, [&] { chooseImage(true); }, images,
         {QStringLiteral("badge.png"), QStringLiteral("badge.png")}, QStringLiteral("badge.png")},
        {"image chooser, Cancel", PropertyId::kImage, [&] { chooseImage(false); }, images, {}, QStringLiteral("NONE")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QList<XControl*> selected = Band({5, 5}, {250, 70});
        ASSERT_EQ(selected, (QList<XControl*>{scene1, scene2}));
        const QStringList before = c.values();
        const QString shownBefore = GridValue(c.row);
        const int undo = lobby->UndoCount();
        real->answer.Forget();
        c.edit();
        Settle();
        EXPECT_TRUE(real->answer.AllAnswered());
        EXPECT_TRUE(real->answer.Unexpected().isEmpty()) << real->answer.Unexpected().join(u'|').toStdString();
        EXPECT_EQ(c.values(), c.after.isEmpty() ? before : c.after);
        EXPECT_EQ(lobby->UndoCount(), undo + (c.after.isEmpty() ? 0 : 1));
        EXPECT_EQ(frame->SelectedControls(), selected) << "the selection stays";
        EXPECT_EQ(TreeSelectionCount(), 2);
        EXPECT_EQ(GridValue(c.row).toStdString(), c.shownAfter.toStdString());
        if (c.after.isEmpty())
            continue;
        frame->OnCommand(Cmd::Undo);
        WaitForPane();
        EXPECT_EQ(c.values(), before) << "one undo restores both";
        EXPECT_EQ(frame->SelectedControls(), selected);
        EXPECT_EQ(GridValue(c.row).toStdString(), shownBefore.toStdString());
        frame->OnCommand(Cmd::Redo);
        WaitForPane();
        EXPECT_EQ(c.values(), c.after);
        EXPECT_EQ(GridValue(c.row).toStdString(), c.shownAfter.toStdString());
        frame->OnCommand(Cmd::Undo);
        WaitForPane();
    }
}

// A value the first control takes and the second refuses (their ranges differ) reaches
// neither: the one message is answered, the first is put back, no undo step is left.
TEST_F(PropertyPaneMulti, AValueOneControlRefusesReachesNone)
{
    Build();
    auto* preview = AddControl<XVideoPreview>(lobby, ElementType::kVideoPreview, "Preview", {300, 100, 500, 160});
    auto* picker = AddControl<XVideoComboBox>(lobby, ElementType::kVideoComboBox, "Picker", {300, 200, 500, 260});
    const QList<XControl*> selected = Band({290, 90}, {510, 270});
    ASSERT_EQ(selected, (QList<XControl*>{preview, picker}));
    const struct {
        const char* typed;
        const char* message; // empty: taken by both
        int rows;
        int undoSteps;
    } cases[] = {
        {"15", "240", 1, 0},
        {"4", "", 4, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const int undo = lobby->UndoCount();
        real->answer.Forget();
        if (*c.message)
            real->answer.ExpectMessage(TranslateFormat(QString::fromLatin1(c.message), RangeArgs(1, XVideoComboBox::kMaxRows)), kIdOk);
        auto* line = qobject_cast<QLineEdit*>(OpenRowEditor(PropertyId::kRows));
        ASSERT_NE(line, nullptr);
        line->selectAll();
        QTest::keyClicks(line, QString::fromLatin1(c.typed));
        QTest::keyClick(line, Qt::Key_Return);
        Settle();
        EXPECT_TRUE(real->answer.AllAnswered());
        EXPECT_TRUE(real->answer.Unexpected().isEmpty()) << real->answer.Unexpected().join(u'|').toStdString();
        EXPECT_EQ(preview->rows, c.rows);
        EXPECT_EQ(picker->rows, c.rows);
        EXPECT_EQ(lobby->UndoCount(), undo + c.undoSteps);
        EXPECT_EQ(frame->SelectedControls(), selected);
        EXPECT_EQ(GridValue(PropertyId::kRows).toStdString(), std::to_string(c.rows));
    }
}
