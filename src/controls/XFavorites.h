#pragma once

#include "XFontButton.h"

// A favourites button: the look of a font button (its label written as the two text
// images on save) without the button's actions, which the panel runtime supplies.
class XFavorites : public XFontButton {
public:
    XFavorites();

    int GetType() const override { return ElementType::kFavorites; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;

protected:
    void DrawBadge(QPainter&, const QRect&) override {} // no send code to show
    static std::vector<FieldRow> FavoriteFields();
    static std::vector<PropertyRow> FavoriteRows();
};

// Recalls a saved mode: the favourites look and the mode's data.
class XModeOpen : public XFavorites {
public:
    XModeOpen();

    int GetType() const override { return ElementType::kModeOpen; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;

    QString modeData;
};

// Saves a mode: the favourites look, the mode's data (a button command string) and a flag.
class XModeSave : public XFavorites {
public:
    XModeSave();

    int GetType() const override { return ElementType::kModeSave; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;

    QString modeData;
    int modeFlag = 0;
};
