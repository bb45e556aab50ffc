// The property pane through the real main frame and its pane wiring, with the real modal
// dialogs answered as a user would: refused values, the dialogs the pane opens, the rows
// that follow what an edit changed, and the page keys after an edit.
#include "FrameFixture.h"

#include "app/Commands.h"
#include "base/Versions.h"
#include "controls/ui/CInterlockDialog.h"
#include "controls/XButton.h"
#include "controls/XFontText.h"
#include "controls/XPageContainer.h"
#include "controls/XPhoto.h"
#include "controls/XRVS.h"
#include "editor/ui/CProjectTree.h"
#include "model/ElementTypes.h"
#include "model/HeadlessMainDelegate.h"
#include "model/TypeRegistry.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>

#include <functional>

namespace {

enum class Commit { Enter, Tab, OtherRow, Page };

const char* Name(Commit c)
{
    switch (c) {
    case Commit::Enter: return "Enter";
    case Commit::Tab: return "Tab";
    case Commit::OtherRow: return "a click on another row";
    case Commit::Page: return "a click on the page";
    }
    return "";
}

class PropertyPane : public FrameFixture {
protected:
    // Lobby with two buttons (Scene1 in the interlock group "Scenes"), a platform control
    // with a server address, a font text and a picture showing tile.png; a sub-page
    // Popup. Saved, then the real dialogs take over.
    void Build()
    {
        project = NewProject(work.Path(QStringLiteral("Venue")));
        ASSERT_NE(project, nullptr);
        lobby = NewPage(QStringLiteral("Lobby"));
        popup = NewPage(QStringLiteral("Popup"), Cmd::NewSubPage);
        ASSERT_TRUE(lobby && popup);
        for (const auto& [name, size] : {std::pair{"tile.png", QSize(40, 30)}, std::pair{"tile_on.png", QSize(64, 48)}}) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            const QString path = work.Path(QString::fromLatin1(name));
            ASSERT_TRUE(image.save(path));
            ASSERT_TRUE(project->AddImage(path, QString::fromLatin1(name)));
        }
        scene1 = AddControl<XButton>(lobby, ElementType::kButton, "Scene1", {20, 20, 120, 60});
        scene2 = AddControl<XButton>(lobby, ElementType::kButton, "Scene2", {140, 20, 240, 60});
        server = AddControl<XRVS>(lobby, ElementType::kRVS, "Server", {20, 100, 220, 160});
        server->serverAddress = QStringLiteral("192.168.1.20");
        title = AddControl<XFontText>(lobby, ElementType::kFontText, "Title", {20, 200, 220, 240});
        picture = AddControl<XPhoto>(lobby, ElementType::kPhoto, "Picture", {260, 20, 360, 120});
        picture->imageFile = QStringLiteral("tile.png");
        lobby->AddGroup(QStringLiteral("Scenes"));
        ASSERT_TRUE(scene1->SetInterlockGroup(QStringLiteral("Scenes")));
        frame->OnCommand(Cmd::SaveProject);
        ASSERT_FALSE(project->IsModified());
        UseRealDialogs();
    }

    // Ends the open editor the way the user chose.
    void CommitBy(Commit how, QWidget* editor, XControl* element, quint32 id)
    {
        CMFCMyPropertyGridCtrl* grid = frame->PropPane()->Grid();
        switch (how) {
        case Commit::Enter: QTest::keyClick(editor, Qt::Key_Return); break;
        case Commit::Tab: QTest::keyClick(editor, Qt::Key_Tab); break;
        case Commit::OtherRow: {
            QTreeWidgetItem* other = GridRow(id == PropertyId::kName ? PropertyId::kX1 : PropertyId::kName);
            if (!other) // a page's rows: its name is the other row
                other = GridRow(PropertyId::kName);
            const QPoint at = grid->visualItemRect(other).center();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
            break;
        }
        case Commit::Page: // empty page area: the page becomes current before the commit runs
            QTest::mouseClick(ViewOf(element->page)->viewport(), Qt::LeftButton, {}, frame->PagePointToView(5, 5));
            break;
        }
    }

    // Double-clicks the value of a row, as the mouse does.
    void DoubleClick(XControl* element, quint32 id)
    {
        frame->SelectControl(element);
        QApplication::processEvents();
        CMFCMyPropertyGridCtrl* grid = frame->PropPane()->Grid();
        QTreeWidgetItem* row = GridRow(id);
        ASSERT_NE(row, nullptr) << id;
        const QPoint at = grid->visualItemRect(row).center() + QPoint(grid->columnWidth(0) / 2, 0);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    }


    ProjectData* project = nullptr;
    XPage* lobby = nullptr;
    XPage* popup = nullptr;
    XButton* scene1 = nullptr;
    XButton* scene2 = nullptr;
    XRVS* server = nullptr;
    XFontText* title = nullptr;
    XPhoto* picture = nullptr;
};

} // namespace

// Every kind of refusal, committed by Enter, by Tab, by a click on another row and by one
// on the page (which makes the page current before the value is committed): the
// message is the real box, answered with OK; afterwards the editor runs on, the value
// is the old one and no undo step was recorded. Then valid values in the same rows are
// applied and saved.
TEST_F(PropertyPane, RefusedValuesKeepTheOldValueWhateverEndsTheEdit)
{
    Build();
    struct Refusal {
        const char* what;
        XControl* element;
        quint32 row;
        QString typed;
        QString message;
        std::function<QString()> value;
        QString valid;
    };
    const Refusal refusals[] = {
        {"integer range", scene1, PropertyId::kX1, QStringLiteral("6000"), TranslateFormat("114", RangeArgs(-5000, 5000)),
         [&] { return QString::number(scene1->x1); }, QStringLiteral("77")},
        {"used name", scene1, PropertyId::kName, QStringLiteral("Scene2"), Translate("73"), [&] { return scene1->name; },
         QStringLiteral("Welcome")},
        {"address", server, PropertyId::kServerAddress, QStringLiteral("192.168.1.300"), Translate("378"),
         [&] { return server->serverAddress; }, QStringLiteral("10.0.0.5")},
        {"sub-page size", popup, PropertyId::kWidth, QStringLiteral("199"), TranslateFormat("209", RangeArgs(200, 5000)),
         [&] { return QString::number(popup->Bounds().Width()); }, QStringLiteral("640")},
        {"font size of a text that refits", title, PropertyId::kFontSize, QStringLiteral("501"),
         TranslateFormat("117", RangeArgs(1, 500)), [&] { return QString::number(title->fontSize); }, QStringLiteral("30")},
    };
    for (const Refusal& r : refusals) {
        for (Commit how : {Commit::Enter, Commit::Tab, Commit::OtherRow, Commit::Page}) {
            SCOPED_TRACE(std::string(r.what) + " by " + Name(how));
            XPage* page = r.element->page;
            const int undo = page->UndoCount();
            const QString before = r.value();
            real->answer.Forget();
            real->answer.ExpectMessage(r.message, kIdOk);
            QLineEdit* line = Type(r.element, r.row, r.typed);
            ASSERT_NE(line, nullptr);
            CommitBy(how, line, r.element, r.row);
            Settle();
            EXPECT_TRUE(real->answer.AllAnswered()) << "no message " << r.message.toStdString();
            EXPECT_TRUE(real->answer.Unexpected().isEmpty()) << real->answer.Unexpected().join(u'|').toStdString();
            EXPECT_EQ(r.value(), before);
            EXPECT_EQ(page->UndoCount(), undo) << "a refusal is no undo step";
            frame->SelectControl(r.element);
            QApplication::processEvents();
            EXPECT_EQ(GridValue(r.row), before);
        }
    }
    real->answer.Forget();
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.what);
        TypeAndEnter(r.element, r.row, r.valid);
        Settle();
        EXPECT_EQ(r.value(), r.valid);
    }
    EXPECT_TRUE(real->answer.Unexpected().isEmpty()) << real->answer.Unexpected().join(u'|').toStdString();

    real->answer.ExpectMessage(TranslateFormat("388", {QString::fromUtf8(Versions::kBuildVersion),
                                                       QString::fromUtf8(Versions::kMinRuntimeVersion)}),
                               kIdOk);
    frame->OnCommand(Cmd::SaveProject);
    ASSERT_TRUE(real->answer.Wait());
    std::unique_ptr<ProjectData> saved = ReloadSaved(project);
    XPage* savedLobby = saved->FindPage(QStringLiteral("Lobby"));
    ASSERT_NE(savedLobby, nullptr);
    auto* welcome = dynamic_cast<XButton*>(savedLobby->FindControl(QStringLiteral("Welcome")));
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(welcome->x1, 77);
    EXPECT_EQ(static_cast<XRVS*>(savedLobby->FindControl(QStringLiteral("Server")))->serverAddress, QStringLiteral("10.0.0.5"));
    EXPECT_EQ(static_cast<XFontText*>(savedLobby->FindControl(QStringLiteral("Title")))->fontSize, 30);
    EXPECT_EQ(saved->FindPage(QStringLiteral("Popup"))->Bounds().Width(), 640);
}

// The dialogs the pane opens change only what the user chose in them.
TEST_F(PropertyPane, DialogsOpenedFromThePaneChangeOnlyWhatTheUserChose)
{
    Build();
    const COLORREF chosen = MakeRgb(10, 20, 30);
    struct Case {
        const char* what;
        XControl* element;
        std::function<void()> open;
        std::function<void()> expectDialog;
        std::function<bool()> changed;
        int undoSteps;
    };
    auto furtherColours = [&] {
        auto* combo = qobject_cast<QComboBox*>(OpenEditor(scene1, PropertyId::kTextColour));
        ASSERT_NE(combo, nullptr);
        QTest::keyClick(combo, Qt::Key_End); // the last entry: further colours
    };
    const COLORREF oldColour = scene1->textColor;
    const Case cases[] = {
        {"further colours, OK", scene1, furtherColours,
         [&] {
             real->answer.Expect<QColorDialog>(QStringLiteral("colour dialog"), [&](QColorDialog* d) {
                 d->setCurrentColor(ToQColor(chosen));
                 d->accept();
             });
         },
         [&] { return scene1->textColor == chosen; }, 1},
        {"further colours, Cancel", scene1,
         [&] {
             scene1->textColor = oldColour;
             furtherColours();
         },
         [&] { real->answer.Expect<QColorDialog>(QStringLiteral("colour dialog"), [](QColorDialog* d) { d->reject(); }); },
         [&] { return scene1->textColor != oldColour; }, 0},
        {"image chooser, Cancel", picture, [&] { DoubleClick(picture, PropertyId::kImage); },
         [&] { real->answer.Expect<QFileDialog>(QStringLiteral("file dialog"), [](QFileDialog* d) { d->reject(); }); },
         [&] { return picture->imageFile != QStringLiteral("tile.png"); }, 0},
        {"interlock dialog, close button", scene1, [&] { DoubleClick(scene1, PropertyId::kInterlockGroup); },
         [&] { real->answer.Expect<CInterlockDialog>(QStringLiteral("interlock dialog"), &ModalAnswerer::CloseWindow); },
         [&] { return scene1->InterlockGroupName() != QStringLiteral("Scenes") || scene1->buttonKind != 1; }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        real->answer.Forget();
        const int undo = lobby->UndoCount();
        c.expectDialog();
        c.open();
        Settle();
        EXPECT_TRUE(real->answer.AllAnswered());
        EXPECT_TRUE(real->answer.Unexpected().isEmpty()) << real->answer.Unexpected().join(u'|').toStdString();
        EXPECT_EQ(c.changed(), c.undoSteps > 0);
        EXPECT_EQ(lobby->UndoCount(), undo + c.undoSteps);
        // The pane still edits.
        const int x = c.element->x1 + 1;
        TypeAndEnter(c.element, PropertyId::kX1, QString::number(x));
        EXPECT_EQ(c.element->x1, x);
    }
    EXPECT_EQ(scene1->InterlockGroupName(), QStringLiteral("Scenes"));
    EXPECT_EQ(picture->imageFile, QStringLiteral("tile.png"));
}

// An edit that changes more than its own row leaves no row behind: the kind a group sets,
// the size an image gives in mode 2, a container whose sub-page was deleted.
TEST_F(PropertyPane, RowsFollowWhatAnEditChanged)
{
    Build();
    auto* container = AddControl<XPageContainer>(lobby, ElementType::kPageContainer, "Frame", {20, 300, 220, 400});
    container->SetSubPage(popup);
    // Chooses the last option of a list row and commits it with Enter.
    auto chooseLast = [&](XControl* element, quint32 id) {
        auto* combo = qobject_cast<QComboBox*>(OpenEditor(element, id));
        ASSERT_NE(combo, nullptr);
        QTest::keyClick(combo, Qt::Key_End);
        QTest::keyClick(combo, Qt::Key_Return);
        Settle();
    };
    struct Case {
        const char* what;
        std::function<void()> edit;
        quint32 row;
        QString shown;
    };
    const Case cases[] = {
        {"a group makes the button interlocked", [&] { chooseLast(scene2, PropertyId::kInterlockGroup); },
         PropertyId::kButtonKind, Translate("104")},
        {"mode 2 sizes the picture by its image", [&] { chooseLast(picture, PropertyId::kImageMode); },
         PropertyId::kWidth, QStringLiteral("40")},
        {"a deleted sub-page leaves its container",
         [&] {
             frame->ActivatePage(lobby, true);
             frame->SelectControl(container);
             frame->DeleteItem(popup);
             Settle();
         },
         PropertyId::kSubPage, QStringLiteral("NONE")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.edit();
        EXPECT_EQ(GridValue(c.row), c.shown);
    }
    EXPECT_EQ(scene2->buttonKind, 1);
    EXPECT_EQ(picture->Bounds().Height(), 30);
    EXPECT_EQ(container->SubPageName(), QStringLiteral("NONE"));
    EXPECT_TRUE(real->answer.Unexpected().isEmpty()) << real->answer.Unexpected().join(u'|').toStdString();
}

// Right after a property edit, with the keyboard still in the pane, the page's keys work;
// undoing a deletion brings the control back under its own name.
TEST_F(PropertyPane, PageKeysWorkRightAfterAPropertyEdit)
{
    Build();
    frame->ActivatePage(lobby, true);
    TypeAndEnter(scene2, PropertyId::kX1, QStringLiteral("150"));
    ASSERT_EQ(scene2->x1, 150);
    CMFCMyPropertyGridCtrl* grid = frame->PropPane()->Grid();
    struct Step {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::function<bool()> done;
    };
    const Step steps[] = {
        {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier, [&] { return scene2->x1 == 140; }},
        {"Ctrl+Y", Qt::Key_Y, Qt::ControlModifier, [&] { return scene2->x1 == 150; }},
        {"Right", Qt::Key_Right, Qt::NoModifier, [&] { return scene2->x1 == 160; }},
        {"Delete", Qt::Key_Delete, Qt::NoModifier, [&] { return !lobby->controls.contains(scene2); }},
        {"Ctrl+Z after Delete", Qt::Key_Z, Qt::ControlModifier,
         [&] { return lobby->controls.contains(scene2) && scene2->name == QStringLiteral("Scene2"); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        grid->setFocus();
        ASSERT_TRUE(frame->PropPane()->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(grid, step.key, step.modifiers);
        WaitForPane();
        EXPECT_TRUE(step.done());
    }
    EXPECT_EQ(frame->TreePane()->FindItem(scene2)->text(0), QStringLiteral("Scene2"));
}
