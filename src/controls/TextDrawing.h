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
// control sizes agree at every zoom. Texts are shaped once and kept, ready to draw, for
// as long as they are asked for: a repaint of a page only blits glyphs. Every thread keeps
// its own fonts and shaped texts, so text images can be rendered beside the editor.

// A text control's font as the controls describe it.
struct TextFace {
    QString family;
    double points = 20.0;
    int style = 0; // 0 regular, 1 bold, 2 italic, 3 bold italic

    bool operator==(const TextFace& o) const
    {
        return points == o.points && style == o.style && family == o.family;
    }
};
size_t qHash(const TextFace& face, size_t seed = 0);

// A face of the family at a size in points (at least a quarter point).
TextFace MakeTextFace(const QString& family, double points, int style);
// The application font whose character cell (ascent + descent) is cellHeight pixels
// high: the height a positive font height asks for.
TextFace ApplicationFace(int cellHeight, int style = 0);
// The font for a face: the family when it is installed (or mapped to an installed one,
// like the application font), else the generic sans-serif family.
QFont ToQFont(const TextFace& face);
// The family the font for a face actually draws with on this system.
QString ResolvedFamily(const TextFace& face);

// The exact size the text takes when drawn at a top-left corner: every line's advance
// including its trailing blanks, widened where a glyph's ink reaches further (italics),
// and the height of all lines; an empty text is one empty line (zero wide, one line
// high). Vertical text stands its characters upright one below the other, with further
// lines as further columns to the left.
QSizeF MeasureText(const TextFace& face, const QString& text, bool vertical);
// MeasureText rounded up to whole pixels, so that no glyph pixel falls outside.
void MeasureTextPixels(const TextFace& face, const QString& text, bool vertical, int& width, int& height);

// Draws the text with its measured box at topLeft (anti-aliased, opaque colour).
void DrawTextAt(QPainter& painter, QPointF topLeft, const TextFace& face, const QString& text,
                COLORREF colour, bool vertical);
// Draws the text inside a rectangle at an alignment 1..9 (1..3 left, 4..6 centre, 7..9
// right column; top, middle, bottom within each), clipped to the rectangle; wrap breaks
// lines at word boundaries (inside a word only when it is wider than the rectangle),
// otherwise the text stays on one line. A rectangle without area gets no text.
void DrawTextInRect(QPainter& painter, const QRectF& rect, const TextFace& face, const QString& text,
                    COLORREF colour, int alignment, bool vertical, bool wrap);
Qt::Alignment AlignmentFlags(int alignment);

// Forgets the cached fonts and shaped texts of every thread (after fonts were added or
// removed).
void ClearTextCaches();

// The file name of a text image: page name, "_", control name, suffix, ".png". A path
// separator or NUL in either name becomes "_", so the image always lands directly in the
// text-image folder whatever the names hold.
QString TextImageFileName(const QString& pageName, const QString& controlName,
                          const QString& suffix = QString());
