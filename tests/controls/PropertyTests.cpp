// Property lists, the range checks that guard stored values, normalisation, undo of
// property edits, and the brushes' setters.

#include "ControlFixture.h"

#include "base/Translation.h"
#include "controls/ControlDialogRequests.h"
#include "controls/TextDrawing.h"
#include "controls/XButton.h"
#include "controls/XFontButton.h"
#include "controls/XFontText.h"
#include "controls/XPageContainer.h"
#include "controls/XPhoto.h"
#include "controls/XRectangle.h"
#include "model/PropertyGridModel.h"
#include "model/TypeRegistry.h"

#include <QFileInfo>

class PropertyTest : public ControlFixture {};

TEST_F(PropertyTest, RowsComeInTheirOrder)
{
    auto* button = Add<XButton>();
    EXPECT_EQ(RowIds(*button).join(u' '),
              QStringLiteral("23 0 6 7 1 2 4 5 22 12 11 21 14 15 13 19 17 20 18 24 26 27 28 25 52"));
    auto* fontButton = Add<XFontButton>();
    EXPECT_EQ(RowIds(*fontButton).join(u' '),
              QStringLiteral("23 0 6 7 1 2 4 5 22 12 11 21 14 42 15 13 19 41 17 20 18 24 26 27 28 25 52"));
    EXPECT_EQ(RowIds(*Add<XFontText>()).join(u' '), QStringLiteral("0 6 7 14 42 15 13 16 41"));
    EXPECT_EQ(RowIds(*Add<XPhoto>()).join(u' '), QStringLiteral("0 6 7 1 2 17 18"));
    EXPECT_EQ(RowIds(*Add<XRectangle>()).join(u' '), QStringLiteral("0 6 7 1 2 4 5 12 11"));
    EXPECT_EQ(RowIds(*Add<XPageContainer>()).join(u' '), QStringLiteral("0 6 7 1 2 29 56"));

    fontButton->FillProperties(grid);
    EXPECT_TRUE(grid.FindByData(17)->hasButton);
    EXPECT_TRUE(grid.FindByData(28)->hasButton);
    EXPECT_FALSE(grid.FindByData(24)->allowEdit);
    EXPECT_EQ(grid.FindByData(18)->options.size(), 2); // buttons offer clip and stretch only
    EXPECT_EQ(grid.FindByData(6)->caption, QStringLiteral("X1"));
    EXPECT_EQ(grid.FindByData(6)->description, Translate("107"));
    EXPECT_FALSE(grid.FindByData(42)->options.contains(QStringLiteral("@")));
    for (const QString& family : grid.FindByData(42)->options)
        EXPECT_FALSE(family.contains(u'@'));
    EXPECT_EQ(grid.FindByData(42)->GetText(), fontButton->fontName);
    EXPECT_FALSE(fontButton->fontName.isEmpty()); // substituted when first needed
}

TEST_F(PropertyTest, RangeChecksRefuseWithTheirMessageAndKeepTheOldValue)
{
    struct Case {
        XControl* control;
        quint32 id;
        int low;
        int high;
        const char* key;
    };
    auto* button = Add<XButton>();
    auto* text = Add<XFontText>();
    auto* rect = Add<XRectangle>();
    auto* photo = Add<XPhoto>();
    const Case cases[] = {
        {button, 26, 0, 4000, "113"}, {button, 25, 0, 60, "112"},   {button, 4, 0, 200, "111"},
        {button, 15, 1, 500, "117"},  {text, 15, 1, 500, "117"},    {rect, 4, 0, 200, "111"},
        {photo, 1, 0, 5000, "115"},   {photo, 2, 0, 5000, "116"},   {button, 6, -5000, 5000, "114"},
        {text, 7, -5000, 5000, "114"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("row ") + std::to_string(c.id) + " key " + c.key);
        c.control->FillProperties(grid); // an empty font name is settled here
        const QByteArray before = Record(*c.control);
        const int undo = page->UndoCount();
        for (const int bad : {c.low - 1, c.high + 1}) {
            ui.messages.clear();
            EXPECT_FALSE(Edit(*c.control, c.id, bad));
            ASSERT_EQ(ui.messages.size(), 1);
            EXPECT_EQ(ui.messages[0].text, TranslateFormat(QString::fromLatin1(c.key), RangeArgs(c.low, c.high)));
            EXPECT_EQ(ui.messages[0].caption, Translate("70"));
            EXPECT_NE(last->GetInt(), bad); // the old value is back in the grid
        }
        EXPECT_EQ(Record(*c.control), before);
        EXPECT_EQ(page->UndoCount(), undo);
        ui.messages.clear();
        for (const int good : {c.low, c.high})
            Edit(*c.control, c.id, good);
        EXPECT_TRUE(ui.messages.isEmpty());
    }
    EXPECT_EQ(button->sendCode, 4000);
    EXPECT_EQ(text->fontSize, 500);
    EXPECT_EQ(photo->Bounds().Width(), 5000);
}

TEST_F(PropertyTest, PositionEditsMoveWithoutResizing)
{
    auto* rect = Add<XRectangle>(10, 20, 100, 40);
    ASSERT_TRUE(Edit(*rect, 6, -300));
    EXPECT_EQ(rect->Bounds(), (IntRect{-300, 20, -200, 60}));
    ASSERT_TRUE(Edit(*rect, 7, 5000));
    EXPECT_EQ(rect->Bounds(), (IntRect{-300, 5000, -200, 5040}));
}

TEST_F(PropertyTest, CommandStringIsNormalised)
{
    EXPECT_EQ(XButton::NormalizeCommandString(QStringLiteral("  LIGHT ON；DOOR OPEN；  ")),
              QStringLiteral("LIGHT ON;DOOR OPEN"));
    EXPECT_EQ(XButton::NormalizeCommandString(QStringLiteral("A;;")), QStringLiteral("A;"));
    EXPECT_EQ(XButton::NormalizeCommandString(QStringLiteral(" ； ")), QString());
    EXPECT_EQ(XButton::NormalizeCommandString(QStringLiteral("A；B")), QStringLiteral("A;B"));

    auto* button = Add<XButton>();
    ASSERT_TRUE(Edit(*button, 52, QStringLiteral(" PLAY；STOP； ")));
    EXPECT_EQ(button->commandString, QStringLiteral("PLAY;STOP"));
    EXPECT_EQ(last->GetText(), QStringLiteral("PLAY;STOP"));
    const int steps = page->UndoCount();
    EXPECT_FALSE(Edit(*button, 52, QStringLiteral("PLAY;STOP;")));
    EXPECT_EQ(last->GetText(), QStringLiteral("PLAY;STOP")); // shown normalised, no new step
    EXPECT_EQ(page->UndoCount(), steps);
}

TEST_F(PropertyTest, UndoOfAPropertyChangeRestoresTheOldState)
{
    page->AddGroup(QStringLiteral("G"));
    auto* button = Add<XFontButton>();
    button->FillProperties(grid);
    const QByteArray original = Record(*button);
    ASSERT_TRUE(Edit(*button, 14, QStringLiteral("Open")));
    ASSERT_TRUE(Edit(*button, 28, QStringLiteral("G")));
    ASSERT_TRUE(Edit(*button, 41, Translate("122")));
    ASSERT_TRUE(Edit(*button, 21, QVariant::fromValue<uint>(MakeRgb(9, 9, 9))));
    EXPECT_EQ(button->buttonKind, 1);
    const QByteArray edited = Record(*button);
    for (int i = 0; i < 4; ++i)
        page->Undo();
    EXPECT_EQ(Record(*button), original);
    for (int i = 0; i < 4; ++i)
        page->Redo();
    EXPECT_EQ(Record(*button), edited);
    EXPECT_EQ(button->InterlockGroup(), page->FindGroup(QStringLiteral("G")));

    auto* text = Add<XFontText>();
    text->NormalizeBounds();
    const IntRect small = text->Bounds();
    ASSERT_TRUE(Edit(*text, 15, 60));
    EXPECT_GT(text->Bounds().Width(), small.Width());
    page->Undo();
    EXPECT_EQ(text->fontSize, 20);
    EXPECT_EQ(text->Bounds(), small);
}

TEST_F(PropertyTest, FontTextTextRules)
{
    auto* text = Add<XFontText>();
    EXPECT_FALSE(Edit(*text, 14, QString())); // refused silently
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(text->text, QStringLiteral("FONTTEXT"));
    EXPECT_EQ(last->GetText(), QStringLiteral("FONTTEXT"));

    ASSERT_TRUE(Edit(*text, 16, Translate("132")));
    EXPECT_EQ(text->vertical, 1);
    EXPECT_GT(text->Bounds().Height(), text->Bounds().Width());
    ASSERT_TRUE(Edit(*text, 16, Translate("131")));
    EXPECT_EQ(text->vertical, 0);

    // A content kind replaces the text with its sample and locks the text row.
    XControl* c = text;
    c->FillProperties(grid);
    auto* kind = grid.FindByData(36);
    EXPECT_EQ(kind, nullptr); // not offered in the list
    CMFCMyPropertyGridProperty row(PropertyKind::Options, QString(), Translate("203"), QString(), 36);
    ASSERT_TRUE(text->OnPropertyChanged(row));
    EXPECT_EQ(text->contentKind, 8);
    EXPECT_EQ(text->text, QStringLiteral("100%"));
    text->FillProperties(grid);
    EXPECT_FALSE(grid.FindByData(14)->enabled);
    EXPECT_FALSE(Edit(*text, 14, QStringLiteral("typed")));
    EXPECT_EQ(text->text, QStringLiteral("100%"));
    EXPECT_EQ(XFontText::SampleText(7, QString()), QString(26, u'-'));
    EXPECT_EQ(XFontText::SampleText(1, QString()).size(), 10);
}

TEST_F(PropertyTest, ButtonLabelMayBeEmptyAndIsNotMeasured)
{
    auto* button = Add<XButton>(0, 0, 150, 50);
    ASSERT_TRUE(Edit(*button, 14, QString()));
    EXPECT_TRUE(button->text.isEmpty());
    EXPECT_EQ(button->Bounds(), (IntRect{0, 0, 150, 50}));
    EXPECT_TRUE(button->SetText(QStringLiteral("A much longer label than fits")));
    EXPECT_EQ(button->Bounds(), (IntRect{0, 0, 150, 50}));
}

TEST_F(PropertyTest, NewControlsHaveTheirDefaults)
{
    auto* button = Add<XButton>();
    EXPECT_EQ(button->text, QStringLiteral("BUTTON"));
    EXPECT_EQ(button->lineWidth, 1);
    EXPECT_EQ(button->color, 0u);
    EXPECT_EQ(button->hollow, 1);
    EXPECT_EQ(button->pressedLineColor, 255u);
    EXPECT_EQ(button->pressedTextColor, 255u);
    EXPECT_EQ(button->sendCode, 0);
    EXPECT_EQ(button->recordVersion, 1);
    EXPECT_EQ(button->JumpTargetName(), QStringLiteral("NONE"));
    EXPECT_EQ(button->fontName, QStringLiteral("迷你简特细等线"));
    EXPECT_EQ(Add<XFontButton>()->text, QStringLiteral("FONTBTN"));
    auto* photo = Add<XPhoto>();
    EXPECT_EQ(photo->text, QStringLiteral("PHOTO"));
    EXPECT_EQ(photo->textColor, 0xFFFFFFu);
    EXPECT_EQ(photo->imageMode, 1);
    auto* container = Add<XPageContainer>();
    EXPECT_EQ(container->text, QStringLiteral("PAGECONTAINER"));
    EXPECT_EQ(container->recordVersion, 1);

    auto* text = Add<XFontText>(5, 6, 0, 0);
    text->NormalizeBounds();
    EXPECT_EQ(text->text, QStringLiteral("FONTTEXT"));
    EXPECT_EQ(text->fontSize, 20);
    EXPECT_EQ(text->fontStyle, 0);
    EXPECT_EQ(text->textColor, 0u);
    EXPECT_FALSE(text->fontName.isEmpty());
    int w = 0;
    int h = 0;
    MeasureTextPixels(MakeTextFace(text->fontName, 20, 0), QStringLiteral("FONTTEXT"), false, w, h);
    EXPECT_EQ(text->Bounds(), (IntRect{5, 6, 5 + w, 6 + h}));
    EXPECT_GT(w, 60);
    EXPECT_GT(h, 20);
}

TEST_F(PropertyTest, MeasuringCountsTrailingBlanksAndLines)
{
    const TextFace font = MakeTextFace(QStringLiteral("迷你简特细等线"), 20, 0);
    const QSizeF plain = MeasureText(font, QStringLiteral("Hall"), false);
    const QSizeF blanks = MeasureText(font, QStringLiteral("Hall   "), false);
    const QSizeF lines = MeasureText(font, QStringLiteral("Hall\nHall"), false);
    const QSizeF empty = MeasureText(font, QString(), false);
    EXPECT_GT(blanks.width(), plain.width() + 5);
    EXPECT_DOUBLE_EQ(lines.width(), plain.width());
    EXPECT_GT(lines.height(), plain.height() * 1.8);
    EXPECT_EQ(empty.width(), 0.0);
    EXPECT_GT(empty.height(), 0.0); // one empty line
    const QSizeF bold = MeasureText(MakeTextFace(QStringLiteral("迷你简特细等线"), 20, 1), QStringLiteral("Hall"), false);
    EXPECT_GT(bold.width(), plain.width());
}

TEST_F(PropertyTest, ScalingFollowsTheHorizontalRatio)
{
    auto* text = Add<XFontText>(100, 100, 0, 0);
    text->NormalizeBounds();
    const int width = text->Bounds().Width();
    text->Scale(2000, 1000, 300, 600);
    EXPECT_EQ(text->fontSize, 40);
    EXPECT_EQ(text->x1, 200);
    EXPECT_EQ(text->y1, 50);
    EXPECT_GT(text->Bounds().Width(), width * 3 / 2); // refitted to the larger size
    text->Scale(1, 1000, 1, 1000);
    EXPECT_EQ(text->fontSize, 1); // never below what can be measured

    auto* button = Add<XButton>(1000, 700, 20, 20);
    button->imageMode = 0;
    button->Scale(800, 1024, 600, 768);
    EXPECT_EQ(button->x1, 781);
    EXPECT_EQ(button->y1, 546);
    EXPECT_EQ(button->fontSize, 15);
    EXPECT_EQ(button->imageMode, 1);

    AddProjectImage(QStringLiteral("p.png"), 10, 10);
    auto* photo = Add<XPhoto>();
    photo->imageMode = 0;
    photo->Scale(2, 1, 2, 1);
    EXPECT_EQ(photo->imageMode, 0); // no image: the mode stays
    photo->imageFile = QStringLiteral("p.png");
    photo->Scale(2, 1, 2, 1);
    EXPECT_EQ(photo->imageMode, 1);
}

TEST_F(PropertyTest, BrushSettersReportChanges)
{
    auto* button = Add<XButton>();
    EXPECT_TRUE(button->SetValue(4000));
    EXPECT_FALSE(button->SetValue(4000));
    EXPECT_FALSE(button->SetValue(4001));
    EXPECT_FALSE(button->SetValue(-1));
    EXPECT_EQ(button->sendCode, 4000);
    EXPECT_TRUE(button->SetTextColor(MakeRgb(1, 2, 3)));
    EXPECT_EQ(button->textColor, MakeRgb(1, 2, 3));
    button->showPressed = 1;
    EXPECT_TRUE(button->SetTextColor(MakeRgb(4, 5, 6)));
    EXPECT_EQ(button->pressedTextColor, MakeRgb(4, 5, 6));
    EXPECT_EQ(button->textColor, MakeRgb(1, 2, 3));

    auto* fontButton = Add<XFontButton>(0, 0, 120, 40);
    EXPECT_TRUE(fontButton->SetFont({QStringLiteral("Serif"), 30, 2}));
    EXPECT_FALSE(fontButton->SetFont({QString(), 30, 2})); // empty name keeps the family
    EXPECT_EQ(fontButton->fontName, QStringLiteral("Serif"));
    EXPECT_EQ(fontButton->Bounds(), (IntRect{0, 0, 120, 40}));

    auto* text = Add<XFontText>();
    text->NormalizeBounds();
    const int before = text->Bounds().Width();
    EXPECT_TRUE(text->SetFont({QString(), 40, 1}));
    EXPECT_GT(text->Bounds().Width(), before);
    EXPECT_TRUE(text->SetText(QStringLiteral("X")));
    EXPECT_LT(text->Bounds().Width(), before);
    EXPECT_FALSE(text->SetText(QStringLiteral("X")));
}

TEST_F(PropertyTest, ActivationIsTheShownPressedState)
{
    auto* a = Add<XButton>();
    auto* b = Add<XFontButton>();
    auto* r = Add<XRectangle>();
    a->selected = b->selected = r->selected = true;
    EXPECT_EQ(a->GetActiveFlag(), 0);
    EXPECT_EQ(r->GetActiveFlag(), -1);
    ASSERT_TRUE(page->SetSelectionActive(1));
    EXPECT_EQ(a->showPressed, 1);
    EXPECT_EQ(b->showPressed, 1);
    EXPECT_FALSE(page->SetSelectionActive(1));
    page->Undo();
    EXPECT_EQ(a->showPressed, 0);
    EXPECT_EQ(b->showPressed, 0);
}

TEST_F(PropertyTest, CopyAppearanceDropsImagesTheProjectLacks)
{
    AddProjectImage(QStringLiteral("here.png"), 4, 4);
    auto* source = Add<XButton>(0, 0, 70, 30);
    source->imageFile = QStringLiteral("here.png");
    source->pressedImageFile = QStringLiteral("elsewhere.png");
    source->sendCode = 9;
    source->fillColor = MakeRgb(1, 1, 1);
    auto* target = Add<XButton>(300, 300, 10, 10);
    target->CopyAppearance(*source);
    EXPECT_EQ(target->Bounds(), (IntRect{300, 300, 370, 330}));
    EXPECT_EQ(target->imageFile, QStringLiteral("here.png"));
    EXPECT_EQ(target->pressedImageFile, QStringLiteral("NONE"));
    EXPECT_EQ(target->fillColor, MakeRgb(1, 1, 1));
    EXPECT_EQ(target->sendCode, 0); // actions are not appearance
}

TEST_F(PropertyTest, ImageChoiceTakesTheFileIntoTheProject)
{
    TestFolder elsewhere;
    ASSERT_TRUE(WriteTestPng(elsewhere.Path(QStringLiteral("logo.png")), 30, 20));
    auto* photo = Add<XPhoto>(0, 0, 5, 5);
    photo->imageMode = 2;
    ui.files.push_back(elsewhere.Path(QStringLiteral("logo.png")));
    XControl* c = photo;
    c->OnDoubleClick({});
    EXPECT_EQ(photo->imageFile, QStringLiteral("logo.png"));
    EXPECT_TRUE(QFileInfo::exists(ImagePath(QStringLiteral("logo.png"))));
    EXPECT_TRUE(project.HasImage(QStringLiteral("logo.png")));
    EXPECT_EQ(photo->Bounds(), (IntRect{0, 0, 30, 20})); // mode 2 takes the image's size
    page->Undo();
    EXPECT_EQ(photo->imageFile, QStringLiteral("NONE"));

    // Cancelling changes nothing, yet the row took its button (the grid must not step
    // the list instead); the pressed image of a button has its own chooser.
    auto* button = Add<XButton>();
    photo->FillProperties(grid);
    EXPECT_EQ(photo->OnPropertyButton(*grid.FindByData(17)), 1);
    EXPECT_EQ(photo->imageFile, QStringLiteral("NONE"));
    ui.files.push_back(elsewhere.Path(QStringLiteral("logo.png")));
    button->FillProperties(grid);
    EXPECT_EQ(button->OnPropertyButton(*grid.FindByData(20)), 1);
    EXPECT_EQ(button->pressedImageFile, QStringLiteral("logo.png"));
    EXPECT_EQ(button->imageFile, QStringLiteral("NONE"));
}

TEST_F(PropertyTest, InterlockButtonRunsTheDialogForThePage)
{
    auto* button = Add<XButton>();
    XPage* seen = nullptr;
    ui.dialogs[InterlockDialogRequest::Name()] = [&](void* data) {
        seen = static_cast<InterlockDialogRequest*>(data)->page;
        return 0;
    };
    button->FillProperties(grid);
    button->OnPropertyButton(*grid.FindByData(28));
    EXPECT_EQ(seen, page);
    EXPECT_EQ(delegate.propertyElement, button);
}

TEST_F(PropertyTest, PageRuntimeValueIsGuardedToAWord)
{
    ASSERT_TRUE(Edit(*page, 43, 65535));
    EXPECT_FALSE(Edit(*page, 43, 65536));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, TranslateFormat("960", RangeArgs(0, 65535)));
    EXPECT_EQ(page->runtimeValue, 65535);
}
