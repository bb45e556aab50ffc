#pragma once

#include "base/Colorref.h"

#include <QIcon>
#include <QString>

// A 14 × 14 square of a colour with a grey border, for colour rows and lists.
QIcon ColourSwatch(COLORREF colour);
// "R, G, B" as colour rows show it.
QString ColourText(COLORREF colour);
