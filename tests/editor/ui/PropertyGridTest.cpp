#include "editor/ui/CMFCMyPropertyGridCtrl.h"
#include "editor/ui/CPropertyView.h"

#include "support/ScriptedUi.h"
#include "support/TestFolders.h"

#include "base/Translation.h"
#include "controls/XButton.h"
#include "editor/PropertyViewParentDelegate.h"
#include "model/ElementTypes.h"
#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"
#include "model/TypeRegistry.h"
#include "model/XPage.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The main frame's part: the edited row goes to the element, which is then shown anew
// once the grid is idle, as the main frame does after an edit.
class Frame : public PropertyViewParentDelegate {
public:
    void PropertyChanged(CMFCMyPropertyGridProperty& property) override
    {
        if (property.owner && property.owner->OnPropertyChanged(property))
            ++changes;
    }
    bool PropertyButton(CMFCMyPropertyGridProperty& property) override
    {
        return property.owner && property.owner->OnPropertyButton(property);
    }
    void Refill()
    {
        if (current) {
            current->FillProperties(model);
            view->ShowModel(model);
        }
    }
    XControl* current = nullptr;
    CPropertyView* view = nullptr;
    PropertyGridModel model;
    int changes = 0;
};

class PropertyGridTest : public ::testing::Test {
protected:
    PropertyGridTest()
    {
        project.mainDelegate = &headless;
        project.screen = {QString(), 800, 600};
        page = project.NewPage(TypeRegistry::kPage, QStringLiteral("Main"));
        button = new XButton;
        page->AddControl(button);
        button->SetBounds({10, 10, 110, 50});
        frame.current = button;
        frame.view = &view;
        view.SetDelegate(&frame);
        QObject::connect(view.Grid(), &CMFCMyPropertyGridCtrl::Idle, [this] { frame.Refill(); });
        view.resize(360, 700);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        Show();
    }

    void Show()
    {
        button->FillProperties(frame.model);
        view.ShowModel(frame.model);
    }

    QTreeWidgetItem* Row(quint32 id)
    {
        CMFCMyPropertyGridCtrl* grid = view.Grid();
        for (QTreeWidgetItemIterator it(grid); *it; ++it) {
            const CMFCMyPropertyGridProperty* p = grid->PropertyAt(grid->indexFromItem(*it));
            if (p && p->data == id)
                return *it;
        }
        return nullptr;
    }

    // Makes a row current and opens its editor with the keyboard; the editor widget.
    QWidget* OpenEditor(quint32 id)
    {
        CMFCMyPropertyGridCtrl* grid = view.Grid();
        QTreeWidgetItem* item = Row(id);
        EXPECT_NE(item, nullptr) << id;
        if (!item)
            return nullptr;
        grid->setCurrentItem(item, 1);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Return);
        return QApplication::focusWidget();
    }

    // The grid commits after an editor has closed, from the event loop.
    void Settle()
    {
        for (int round = 0; round < 3; ++round)
            QApplication::processEvents();
    }

    void TypeAndPress(QWidget* editor, const QString& text, Qt::Key key)
    {
        auto* line = qobject_cast<QLineEdit*>(editor);
        ASSERT_NE(line, nullptr);
        line->selectAll();
        QTest::keyClicks(line, text);
        QTest::keyClick(line, key);
        Settle();
    }

    ScriptedUi ui;
    HeadlessMainDelegate headless;
    ProjectData project;
    XPage* page = nullptr;
    XButton* button = nullptr;
    Frame frame;
    CPropertyView view;
};

} // namespace

TEST_F(PropertyGridTest, TypingANameAndEnterRenamesWithOneUndoStep)
{
    const QString before = button->name;
    TypeAndPress(OpenEditor(PropertyId::kName), QStringLiteral("Welcome"), Qt::Key_Return);
    EXPECT_EQ(button->name, QStringLiteral("Welcome"));
    EXPECT_EQ(page->UndoCount(), 1);
    ASSERT_NE(Row(PropertyId::kName), nullptr);
    EXPECT_EQ(Row(PropertyId::kName)->text(1), QStringLiteral("Welcome"));

    // Escape leaves the value as it was; the same value again records nothing.
    TypeAndPress(OpenEditor(PropertyId::kName), QStringLiteral("Other"), Qt::Key_Escape);
    EXPECT_EQ(button->name, QStringLiteral("Welcome"));
    TypeAndPress(OpenEditor(PropertyId::kName), QStringLiteral("Welcome"), Qt::Key_Return);
    EXPECT_EQ(page->UndoCount(), 1);
    EXPECT_EQ(frame.changes, 1);
    EXPECT_NE(before, button->name);
}

TEST_F(PropertyGridTest, ARefusedSendCodeShowsTheRangeAndComesBack)
{
    TypeAndPress(OpenEditor(PropertyId::kSendCode), QStringLiteral("4001"), Qt::Key_Return);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].text.contains(QStringLiteral("0")) && ui.messages[0].text.contains(QStringLiteral("4000")))
        << ui.messages[0].text.toStdString();
    EXPECT_EQ(button->sendCode, 0);
    EXPECT_EQ(Row(PropertyId::kSendCode)->text(1), QStringLiteral("0"));
    EXPECT_EQ(page->UndoCount(), 0);
    TypeAndPress(OpenEditor(PropertyId::kSendCode), QStringLiteral("4000"), Qt::Key_Return);
    EXPECT_EQ(button->sendCode, 4000);
}

TEST_F(PropertyGridTest, OptionsColoursAndTheDescription)
{
    CMFCMyPropertyGridCtrl* grid = view.Grid();
    EXPECT_EQ(grid->DescriptionArea()->height(), CMFCMyPropertyGridCtrl::kDescriptionHeight);
    grid->setCurrentItem(Row(PropertyId::kSendCode), 0);
    EXPECT_TRUE(grid->DescriptionArea()->text().contains(Translate(QStringLiteral("102"))));

    // A double click on a yes/no row steps to the other answer.
    QTreeWidgetItem* hollow = Row(PropertyId::kHollow);
    const int before = button->hollow;
    const QPoint at = grid->visualItemRect(hollow).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    Settle();
    EXPECT_NE(button->hollow, before);

    // The further-colours choice asks the colour dialog.
    ui.colors.push_back(MakeRgb(1, 2, 3));
    auto* combo = qobject_cast<QComboBox*>(OpenEditor(PropertyId::kFillColour));
    ASSERT_NE(combo, nullptr);
    const int further = combo->count() - 1;
    combo->setCurrentIndex(further);
    Q_EMIT combo->activated(further);
    Settle();
    EXPECT_EQ(button->fillColor, MakeRgb(1, 2, 3));
    EXPECT_EQ(Row(PropertyId::kFillColour)->text(1), QStringLiteral("1, 2, 3"));
}

TEST_F(PropertyGridTest, TabMovesToTheNextRowsEditor)
{
    QWidget* editor = OpenEditor(PropertyId::kX1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Tab);
    QApplication::processEvents();
    CMFCMyPropertyGridProperty* current = view.Grid()->CurrentProperty();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->data, PropertyId::kY1);
    EXPECT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
}
