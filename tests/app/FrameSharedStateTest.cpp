#include "FrameFixture.h"

#include "app/Commands.h"
#include "editor/ui/CProjectTree.h"
#include "editor/ui/CPropertyView.h"
#include "controls/XButton.h"
#include "model/TypeRegistry.h"

#include <QAction>
#include <QFileInfo>
#include <QTreeWidget>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

using FrameSharedState = FrameFixture;

TEST_F(FrameSharedState, CrossProjectPasteCarriesImagesAndCutsPageReferences)
{
    ProjectData* source = NewProject(work.Path(QStringLiteral("Source")));
    XPage* lobby = NewPage(QStringLiteral("Lobby"));
    XPage* lights = NewPage(QStringLiteral("Lights"));
    ASSERT_TRUE(WriteTestPng(work.Path(QStringLiteral("art/logo.png")), 16, 16, 0x2266AA));
    ASSERT_TRUE(source->AddImage(work.Path(QStringLiteral("art/logo.png")), QStringLiteral("logo.png")));

    auto* button = static_cast<XButton*>(CreateElement(6));
    lobby->AddControl(button);
    button->SetBounds({10, 20, 110, 70});
    button->imageFile = QStringLiteral("logo.png");
    button->SetJumpTarget(lights);
    button->selected = true;
    frame->CopyToClipboard(lobby);
    EXPECT_EQ(frame->GetClipboardCount(), 1);

    // Within its own project the copy keeps its target.
    frame->PasteFromClipboard(lights);
    ASSERT_EQ(lights->controls.size(), 1);
    EXPECT_EQ(static_cast<XButton*>(lights->controls[0])->JumpTargetName(), QStringLiteral("Lights"));

    ProjectData* target = NewProject(work.Path(QStringLiteral("Target")));
    ASSERT_NE(target, source);
    XPage* porch = NewPage(QStringLiteral("Porch"));
    frame->PasteFromClipboard(porch);
    ASSERT_EQ(porch->controls.size(), 1);
    auto* pasted = dynamic_cast<XButton*>(porch->controls[0]);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->name, QStringLiteral("BUTTON-0"));
    EXPECT_EQ((IntRect{pasted->x1, pasted->y1, pasted->x2, pasted->y2}), (IntRect{10, 20, 110, 70}));
    EXPECT_EQ(pasted->projectData->GetProject(), target);
    EXPECT_EQ(pasted->page, porch);
    EXPECT_EQ(pasted->JumpTarget(), nullptr);
    EXPECT_EQ(pasted->JumpTargetName(), QStringLiteral("NONE"));
    EXPECT_EQ(pasted->imageFile, QStringLiteral("logo.png"));
    EXPECT_TRUE(target->images.contains(QStringLiteral("logo.png")));
    EXPECT_EQ(ReadAll(target->ImagePath(QStringLiteral("logo.png"))), ReadAll(source->ImagePath(QStringLiteral("logo.png"))));

    // The paste is one undo step, and the clipboard stays filled.
    EXPECT_EQ(porch->UndoCount(), 1);
    porch->Undo();
    EXPECT_TRUE(porch->controls.isEmpty());
    EXPECT_EQ(frame->GetClipboardCount(), 1);

    // The source project closes: its copies on the clipboard still paste, cut loose.
    frame->SetCurrentProject(source);
    ui.answers.push_back(kIdNo);
    frame->OnCommand(32773);
    ASSERT_EQ(frame->Projects().size(), 1u);
    frame->PasteFromClipboard(porch);
    ASSERT_EQ(porch->controls.size(), 1);
    EXPECT_EQ(static_cast<XButton*>(porch->controls[0])->JumpTargetName(), QStringLiteral("NONE"));
}

TEST_F(FrameSharedState, AnImageMissingFromTheSourceIsNotListedInTheTarget)
{
    NewProject(work.Path(QStringLiteral("Source")));
    XPage* lobby = NewPage(QStringLiteral("Lobby"));
    auto* button = static_cast<XButton*>(CreateElement(6));
    lobby->AddControl(button);
    button->pressedImageFile = QStringLiteral("gone.png");
    button->selected = true;
    frame->CopyToClipboard(lobby);

    ProjectData* target = NewProject(work.Path(QStringLiteral("Target")));
    XPage* porch = NewPage(QStringLiteral("Porch"));
    frame->PasteFromClipboard(porch);
    ASSERT_EQ(porch->controls.size(), 1);
    EXPECT_FALSE(target->images.contains(QStringLiteral("gone.png")));
    EXPECT_FALSE(QFileInfo::exists(target->ImagePath(QStringLiteral("gone.png"))));
}

TEST_F(FrameSharedState, AddressAndSendCodeCountersWrap)
{
    QString address;
    for (int i = 0; i < 156; ++i)
        address = frame->NextBrushAddress();
    EXPECT_EQ(address, QStringLiteral("192.168.1.255"));
    EXPECT_EQ(frame->NextBrushAddress(), QStringLiteral("192.168.1.0"));
    EXPECT_EQ(frame->NextBrushAddress(), QStringLiteral("192.168.1.1"));

    EXPECT_EQ(frame->NextSendCode(), 1);
    EXPECT_EQ(frame->NextSendCode(), 2);
    frame->SetStartCode(3999);
    EXPECT_EQ(frame->NextSendCode(), 3999);
    EXPECT_EQ(frame->NextSendCode(), 4000);
    EXPECT_EQ(frame->NextSendCode(), 1);
    EXPECT_EQ(frame->GetStartCode(), 2);
}

TEST_F(FrameSharedState, StreamBrushGivesTwoOrThreeAddresses)
{
    frame->SetStreamBrush(0x0A0000FE, 2); // 10.0.0.254
    EXPECT_EQ(frame->NextBrushStreamUrl(), QStringLiteral("rtsp://10.0.0.254:2554/352;rtsp://10.0.0.254:554/1080"));
    frame->SetStreamBrush(0x0A0000FF, 3);
    EXPECT_EQ(frame->NextBrushStreamUrl(),
              QStringLiteral("rtsp://10.0.0.255:2554/352;rtsp://10.0.0.255:554/1080;rtsp://10.0.0.255:551/2160"));
    EXPECT_EQ(frame->NextBrushStreamUrl(),
              QStringLiteral("rtsp://10.0.0.0:2554/352;rtsp://10.0.0.0:554/1080;rtsp://10.0.0.0:551/2160"));
}

TEST_F(FrameSharedState, BrushCommandsStoreTheirValueAndArmTheirMode)
{
    NewProject(work.Path(QStringLiteral("Hall")));
    XPage* page = NewPage(QStringLiteral("Lobby"));

    ui.colors.push_back(MakeRgb(1, 2, 3));
    frame->OnCommand(32885);
    EXPECT_EQ(frame->GetBrushColour(), MakeRgb(1, 2, 3));
    EXPECT_EQ(frame->GetToolMode(), 103);
    EXPECT_TRUE(frame->IsCommandChecked(32885));

    frame->OnCommand(32825);
    ui.fonts.push_back({QStringLiteral("DejaVu Sans"), 30, 1});
    frame->OnCommand(32886);
    EXPECT_EQ(frame->GetBrushFont().size, 30);
    EXPECT_EQ(frame->GetToolMode(), 104);

    ui.dialogs[QStringLiteral("name")] = [](void* data) {
        auto* r = static_cast<NameDialogRequest*>(data);
        EXPECT_EQ(r->caption, Translate("79"));
        EXPECT_EQ(r->label, Translate("80"));
        r->name = QStringLiteral("Scene 1");
        return 1;
    };
    frame->OnCommand(32887);
    EXPECT_EQ(frame->GetBrushText(), QStringLiteral("Scene 1"));
    EXPECT_EQ(frame->GetToolMode(), 105);

    // A cancelled dialog changes nothing.
    frame->OnCommand(32885);
    EXPECT_EQ(frame->GetBrushColour(), MakeRgb(1, 2, 3));
    EXPECT_EQ(frame->GetToolMode(), 105);

    // The format painter needs exactly one selected control.
    ui.messages.clear();
    frame->OnCommand(32948);
    EXPECT_EQ(MessageTexts(), QStringList{Translate("323")});
    EXPECT_EQ(frame->GetFormatSource(), nullptr);
    frame->OnCommand(32836);
    Drag(page, {10, 10}, {120, 60});
    frame->OnCommand(32825);
    ASSERT_EQ(page->SelectedCount(), 1);
    frame->OnCommand(32948);
    ASSERT_NE(frame->GetFormatSource(), nullptr);
    EXPECT_EQ(frame->GetFormatSource()->GetType(), 6);
    EXPECT_NE(frame->GetFormatSource(), page->controls[0]);
    EXPECT_EQ(frame->GetToolMode(), 108);
}

TEST_F(FrameSharedState, ZoomMenuChecksAndNamesTheOtherItem)
{
    NewProject(work.Path(QStringLiteral("Hall")));
    XPage* page = NewPage(QStringLiteral("Lobby"));
    frame->OnCommand(32859); // 75 %
    frame->UpdateCommandUI();
    EXPECT_DOUBLE_EQ(frame->Zoom(), 0.75);
    EXPECT_TRUE(frame->Action(32859)->isChecked());
    EXPECT_FALSE(frame->Action(32928)->isChecked());
    EXPECT_EQ(frame->Action(32928)->text(), Translate("266"));
    EXPECT_EQ(ViewOf(page)->viewport()->size(), QSize(768, 450)) << "views are fitted to the new zoom";

    frame->SetZoom(1.25);
    frame->UpdateCommandUI();
    EXPECT_TRUE(frame->Action(32928)->isChecked());
    EXPECT_EQ(frame->Action(32928)->text(), QStringLiteral("125%"));
    for (int id : {32858, 32854, 32859, 32855})
        EXPECT_FALSE(frame->Action(id)->isChecked()) << id;

    // The wheel's steps: half steps from 1 up, quarter steps below.
    frame->SetZoom(1.0);
    frame->ZoomStep(-120);
    EXPECT_DOUBLE_EQ(frame->Zoom(), 0.5);
    frame->ZoomStep(120);
    EXPECT_DOUBLE_EQ(frame->Zoom(), 0.75);
    frame->SetZoom(4.0);
    frame->ZoomStep(120);
    EXPECT_DOUBLE_EQ(frame->Zoom(), 4.0);
}

TEST_F(FrameSharedState, ControlCommandsArmTheirTypeOnlyWithAPageToDrawOn)
{
    frame->UpdateCommandUI();
    EXPECT_FALSE(frame->Action(32836)->isEnabled());
    EXPECT_FALSE(frame->Action(32775)->isEnabled());
    NewProject(work.Path(QStringLiteral("Hall")));
    frame->UpdateCommandUI();
    EXPECT_TRUE(frame->Action(32775)->isEnabled()) << "a page needs only a project";
    EXPECT_FALSE(frame->Action(32836)->isEnabled()) << "a button needs a page";
    NewPage(QStringLiteral("Lobby"));
    frame->OnCommand(32836);
    EXPECT_EQ(frame->GetToolMode(), 6);
    EXPECT_TRUE(frame->Action(32836)->isChecked());
    EXPECT_FALSE(frame->Action(32825)->isChecked());
    frame->OnCommand(32825);
    EXPECT_EQ(frame->GetToolMode(), 101);
    EXPECT_TRUE(frame->Action(32825)->isChecked());
    // A type whose class is not in the editor cannot be armed.
    for (const ElementTypeInfo& t : TypeRegistry::All()) {
        if (t.type > 1 && !TypeRegistry::HasClass(t.type)) {
            EXPECT_FALSE(frame->IsCommandEnabled(t.menuCommand)) << t.menuCommand;
        }
    }
}

TEST_F(FrameSharedState, ThePropertyPaneShowsTheSelectedElement)
{
    NewProject(work.Path(QStringLiteral("Hall")));
    XPage* page = NewPage(QStringLiteral("Lobby"));
    QStringList rows = frame->PropPane()->RowTexts();
    EXPECT_TRUE(rows.contains(Translate("82") + QStringLiteral(": Lobby"))) << rows.join(u'|').toStdString();

    frame->OnCommand(32836);
    Drag(page, {10, 10}, {120, 60});
    rows = frame->PropPane()->RowTexts();
    EXPECT_TRUE(rows.contains(Translate("82") + QStringLiteral(": BUTTON-0"))) << rows.join(u'|').toStdString();

    frame->ClearCurrentControl();
    EXPECT_TRUE(frame->PropPane()->RowTexts().isEmpty());
}

TEST_F(FrameSharedState, TheTreeKeepsPagesBeforeSubPagesAndAClickActivates)
{
    ProjectData* project = NewProject(work.Path(QStringLiteral("Hall")));
    XPage* first = NewPage(QStringLiteral("PAGE-0"));
    NewPage(QStringLiteral("SUBPAGE-0"), 32776);
    XPage* second = NewPage(QStringLiteral("PAGE-1"));
    frame->OnCommand(32836);
    Drag(second, {10, 10}, {120, 60});
    frame->OnCommand(32825);

    QTreeWidgetItem* root = frame->TreePane()->FindProjectItem(project);
    ASSERT_NE(root, nullptr);
    QStringList order;
    for (int i = 0; i < root->childCount(); ++i)
        order << root->child(i)->text(0);
    EXPECT_EQ(order, (QStringList{QStringLiteral("PAGE-0"), QStringLiteral("PAGE-1"), QStringLiteral("SUBPAGE-0")}));
    QTreeWidgetItem* buttonItem = frame->TreePane()->FindItem(second->controls[0]);
    ASSERT_NE(buttonItem, nullptr);
    EXPECT_EQ(buttonItem->parent()->text(0), QStringLiteral("PAGE-1"));

    // Clicking the first page's item brings its window forward; a control's item selects it.
    QTreeWidget* tree = frame->TreePane()->Tree();
    auto click = [tree](QTreeWidgetItem* item) {
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    };
    click(frame->TreePane()->FindItem(first));
    EXPECT_EQ(frame->ActiveView()->GetPage(), first);
    EXPECT_EQ(frame->GetCurrentControl(), first);
    click(buttonItem);
    EXPECT_EQ(frame->ActiveView()->GetPage(), second);
    EXPECT_EQ(frame->GetCurrentControl(), second->controls[0]);
    EXPECT_TRUE(second->controls[0]->selected);

    // Saving takes the focus into the main window, so that an editor commits its value.
    tree->setFocus();
    QApplication::processEvents();
    frame->OnCommand(32774);
    EXPECT_EQ(QApplication::focusWidget(), frame.get());
}

TEST_F(FrameSharedState, TreeOperationsMoveCopyDuplicateAndDelete)
{
    ProjectData* project = NewProject(work.Path(QStringLiteral("Hall")));
    XPage* lobby = NewPage(QStringLiteral("Lobby"));
    XPage* lights = NewPage(QStringLiteral("Lights"));
    XPage* popup = NewPage(QStringLiteral("Popup"), 32776);
    auto* a = static_cast<XButton*>(CreateElement(6));
    auto* b = static_cast<XButton*>(CreateElement(6));
    lobby->AddControl(a);
    lobby->AddControl(b);
    a->SetJumpTarget(lights);

    // Pages reorder among pages only; a sub-page is not moved.
    EXPECT_TRUE(frame->DropItem(lobby, lights));
    EXPECT_EQ(project->pages.indexOf(lobby), 1);
    EXPECT_FALSE(frame->DropItem(popup, lobby));
    EXPECT_FALSE(frame->DropItem(lights, popup));

    // A control onto a control of its page goes above it; onto its own page, nothing.
    EXPECT_TRUE(frame->DropItem(a, b));
    EXPECT_EQ(lobby->controls.indexOf(a), 1);
    EXPECT_FALSE(frame->DropItem(a, lobby));

    // Onto another page: a copy, one undo step there.
    EXPECT_FALSE(frame->DropItem(a, popup));
    ASSERT_EQ(popup->controls.size(), 1);
    EXPECT_EQ(popup->UndoCount(), 1);
    EXPECT_EQ(lobby->controls.size(), 2) << "the source stays";

    // Duplicating a page copies it with its controls and their tree items.
    frame->DuplicateItem(lobby);
    ASSERT_EQ(project->pages.size(), 4);
    XPage* copy = project->pages.back();
    EXPECT_EQ(copy->name, QStringLiteral("PAGE-0"));
    EXPECT_EQ(copy->controls.size(), 2);
    EXPECT_NE(frame->TreePane()->FindItem(copy), nullptr);
    EXPECT_NE(frame->TreePane()->FindItem(copy->controls[0]), nullptr);

    // Deleting a control can be undone; deleting a page drops the references to it.
    frame->DeleteItem(b);
    EXPECT_EQ(lobby->controls.size(), 1);
    lobby->Undo();
    EXPECT_EQ(lobby->controls.size(), 2);
    frame->ActivatePage(lights, true);
    frame->DeleteItem(lights);
    EXPECT_EQ(project->FindPage(QStringLiteral("Lights")), nullptr);
    EXPECT_EQ(frame->ChildFrameFor(lights), nullptr);
    EXPECT_TRUE(!frame->ActiveView() || frame->ActiveView()->GetPage() != lights);
    EXPECT_NE(frame->GetCurrentControl(), lights);
    EXPECT_EQ(a->JumpTargetName(), QStringLiteral("NONE"));
}
