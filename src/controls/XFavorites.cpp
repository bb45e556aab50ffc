#include "XFavorites.h"

#include "XPlaceholder.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

XFavorites::XFavorites()
{
    recordVersion = 0;
    text = QStringLiteral("FAVORITES");
}

XModeOpen::XModeOpen()
{
    text = QStringLiteral("MODEOPEN");
}

XModeSave::XModeSave()
{
    recordVersion = 1;
    text = QStringLiteral("MODESAVE");
}

std::vector<FieldRow> XFavorites::FavoriteFields()
{
    using namespace FieldFlag;
    using C = XFavorites;
    return {
        Field::Name(),
        Field::Bounds(),
        Field::Word<&C::lineWidth>("lineWidth", Look),
        Field::Colour<&C::color>("color", Look),
        Field::Colour<&C::pressedLineColor>("pressedLineColor", Look),
        Field::Word<&C::hollow>("hollow", Look),
        Field::Colour<&C::fillColor>("fillColor", Look),
        Field::Colour<&C::pressedFillColor>("pressedFillColor", Look),
        Field::String<&C::imageFile>("imageFile", Image | Look),
        Field::String<&C::pressedImageFile>("pressedImageFile", Image | Look),
        Field::String<&C::text>("text"),
        Field::Word<&C::fontSize>("fontSize", Look),
        Field::Colour<&C::textColor>("textColor", Look),
        Field::Colour<&C::pressedTextColor>("pressedTextColor", Look),
        Field::Word<&C::fontStyle>("fontStyle", Look),
        Field::String<&C::fontName>("fontName", Look),
        Field::Word<&C::showPressed>("showPressed"),
    };
}

const FieldTable* XFavorites::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XFavorites>, {FavoriteFields()});
    return &table;
}

std::vector<PropertyRow> XFavorites::FavoriteRows()
{
    using namespace PropertyEffect;
    using C = XFavorites;
    std::vector<PropertyRow> rows = AppearanceRows();
    rows.push_back(FontNameRow(Redraw));
    rows.push_back(Prop::Int<&C::fontSize>(PropertyId::kFontSize, "93", 1, 500, "117"));
    for (const PropertyRow& row : LabelColourRows())
        rows.push_back(row);
    rows.push_back(StyleRow(Redraw));
    rows.push_back(Prop::Image<&C::imageFile>(PropertyId::kImage, "277", "96")
                       .Button([](XControl& c, CMFCMyPropertyGridProperty&) {
                           static_cast<C&>(c).ChooseImage(false);
                       }));
    rows.push_back(Prop::Image<&C::pressedImageFile>(PropertyId::kPressedImage, "277", "97")
                       .Button([](XControl& c, CMFCMyPropertyGridProperty&) {
                           static_cast<C&>(c).ChooseImage(true);
                       }));
    return rows;
}

const PropertyTable* XFavorites::Properties() const
{
    static const PropertyTable table({FavoriteRows()});
    return &table;
}

const FieldTable* XModeOpen::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XModeOpen>, {
        FavoriteFields(),
        {Field::String<&XModeOpen::modeData>("modeData")},
    });
    return &table;
}

const PropertyTable* XModeOpen::Properties() const
{
    static const PropertyTable table({
        FavoriteRows(),
        {Prop::Text<&XModeOpen::modeData>(PropertyId::kModeOpenData, "303")
             .Describe("261")
             .Normalise(&XPlaceholder::Trimmed)},
    });
    return &table;
}

const FieldTable* XModeSave::Fields() const
{
    // Version 0 records end after the mode data, as a mode-open record does.
    static const FieldTable table(0, 1, &IsA<XModeSave>, {
        FavoriteFields(),
        {
            Field::String<&XModeSave::modeData>("modeData"),
            Field::Word<&XModeSave::modeFlag>("modeFlag").Since(1),
        },
    });
    return &table;
}

const PropertyTable* XModeSave::Properties() const
{
    static const PropertyTable table({
        FavoriteRows(),
        {
            Prop::YesNo<&XModeSave::modeFlag>(PropertyId::kModeFlag, "357").Describe("356"),
            Prop::Text<&XModeSave::modeData>(PropertyId::kModeSaveData, "302")
                .Describe("262")
                .Normalise(&XButton::NormalizeCommandString),
        },
    });
    return &table;
}
