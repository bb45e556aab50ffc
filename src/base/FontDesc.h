#pragma once

#include <QString>

// A font as the editor's text controls and the font brush exchange it.
struct FontDesc {
    QString name;      // family name; empty keeps the receiver's current family
    int size = 20;     // points
    int style = 0;     // 0 regular, 1 bold, 2 italic, 3 bold italic
};
