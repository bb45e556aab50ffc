#pragma once

#include "base/Colorref.h"

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

// Fonts, measuring and drawing shared by the text-bearing controls.
//
// Sizes given in points follow the panel's convention of 96 dots per inch (20 points are
// 26⅔ pixels), whatever the device: the design view, the text images and the measured
// control sizes agree at every zoom.

// A text control's font: the family when it is installed (or mapped to an installed one,
// like the application font), else the generic sans-serif family; style 0 regular,
// 1 bold, 2 italic, 3 bold italic.
QFont MakeTextFont(const QString& family, double points, int style);
// The application font whose character cell (ascent + descent) is cellHeight pixels
// high: the height a positive font height asks for.
QFont MakeApplicationFont(int cellHeight, int style = 0);

// The exact size the text takes when drawn at a top-left corner: every line's advance
// including its trailing blanks, widened where a glyph's ink reaches further (italics),
// and the height of all lines; an empty text is one empty line (zero wide, one line
// high). Vertical text stands its characters upright one below the other, with further
// lines as further columns to the left.
QSizeF MeasureText(const QFont& font, const QString& text, bool vertical);
// MeasureText rounded up to whole pixels, so that no glyph pixel falls outside.
void MeasureTextPixels(const QFont& font, const QString& text, bool vertical, int& width, int& height);

// Draws the text with its measured box at topLeft (anti-aliased, opaque colour).
void DrawTextAt(QPainter& painter, QPointF topLeft, const QFont& font, const QString& text,
                COLORREF colour, bool vertical);
// Draws the text inside a rectangle at an alignment 1..9 (1..3 left, 4..6 centre, 7..9
// right column; top, middle, bottom within each), clipped to the rectangle; wrap breaks
// long lines at word boundaries, otherwise the text stays on one line. A rectangle
// without area gets no text.
void DrawTextInRect(QPainter& painter, const QRectF& rect, const QFont& font, const QString& text,
                    COLORREF colour, int alignment, bool vertical, bool wrap);
Qt::Alignment AlignmentFlags(int alignment);

// Forgets cached font look-ups and layouts (after fonts were added or removed).
void ClearTextCaches();

// The file name of a text image: page name, "_", control name, suffix, ".png". A path
// separator or NUL in either name becomes "_", so the image always lands directly in the
// text-image folder whatever the names hold.
QString TextImageFileName(const QString& pageName, const QString& controlName,
                          const QString& suffix = QString());
