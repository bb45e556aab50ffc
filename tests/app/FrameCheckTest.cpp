#include "FrameFixture.h"

#include "app/Commands.h"
#include "controls/XButton.h"
#include "editor/ui/CProjectCheckPane.h"
#include "model/ElementTypes.h"
#include "model/FieldTable.h"
#include "model/TypeRegistry.h"

#include <QAction>
#include <QTreeWidget>

namespace {

class FrameCheck : public FrameFixture {
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        NewProject(work.Path(QStringLiteral("Hall")), 1024, 600);
        lobby = NewPage(QStringLiteral("Lobby"));
        second = NewPage(QStringLiteral("Second"));
        ASSERT_NE(lobby, nullptr);
        button = static_cast<XButton*>(CreateElement(ElementType::kButton));
        lobby->AddControl(button);
        button->SetBounds({10, 10, 110, 50});
        // A jump to a page that is not there.
        button->Fields()->Find("jumpTargetName")->setText(*button, QStringLiteral("Nowhere"));
        frame->ActivatePage(second, true);
    }

    XPage* lobby = nullptr;
    XPage* second = nullptr;
    XButton* button = nullptr;
};

} // namespace

TEST_F(FrameCheck, TheCommandFillsThePaneAndAFindingLeadsToItsElement)
{
    frame->UpdateCommandUI();
    QAction* check = frame->Action(Cmd::CheckProject);
    ASSERT_NE(check, nullptr);
    ASSERT_TRUE(check->isEnabled());
    check->trigger();
    QTreeWidget* list = frame->CheckPane()->List();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(2), button->name);

    QApplication::processEvents();
    const QRect rect = list->visualItemRect(list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(frame->GetCurrentControl(), button);
    EXPECT_NE(frame->ChildFrameFor(lobby), nullptr) << "the finding's page is opened";

    // A finding whose control was deleted since leads only to its page.
    lobby->RemoveControl(button);
    frame->ClearCurrentControl();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(frame->GetCurrentControl(), lobby);
    delete button;
}

TEST_F(FrameCheck, SendingAProjectWithErrorsAsksFirst)
{
    frame->OnCommand(Cmd::SaveProject); // what is sent is what is saved
    ui.messages.clear();
    ui.answers.push_back(kIdNo);
    frame->OnCommand(Cmd::Transmit);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].buttonSet, kButtonsNoYes);
    EXPECT_TRUE(ui.messages[0].text.contains(u'1')) << ui.messages[0].text.toStdString();
    EXPECT_EQ(frame->CheckPane()->List()->topLevelItemCount(), 1);
}
