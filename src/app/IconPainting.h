#pragma once

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QString>

#include <functional>

// The drawing kit of the editor's icons. Every icon is drawn on a 16 × 16 grid and
// rendered at two sizes, so tool bars and the tree get sharp pixels on normal and
// high-density screens.
namespace IconPaint {

inline const QColor kInk(0x33, 0x3a, 0x45);
inline const QColor kBlue(0x2f, 0x7d, 0xd1);
inline const QColor kLightBlue(0xcf, 0xe3, 0xf7);
inline const QColor kGreen(0x3c, 0xa5, 0x5c);
inline const QColor kOrange(0xe8, 0x8a, 0x1a);
inline const QColor kRed(0xd6, 0x3b, 0x3b);
inline const QColor kYellow(0xf2, 0xc1, 0x2e);
inline const QColor kPaper(0xfd, 0xfd, 0xfb);
inline const QColor kGrey(0x9a, 0xa3, 0xad);
inline const QColor kPurple(0x8a, 0x5c, 0xc7);

using Painter = std::function<void(QPainter&)>;

QIcon Render(const Painter& paint);
QPen InkPen(const QColor& c = kInk, qreal w = 1.0);

void Sheet(QPainter& p, const QColor& fill = kPaper);
void Folder(QPainter& p);
void Disk(QPainter& p);
void Cross(QPainter& p, qreal x, qreal y, qreal r, const QColor& c);
void Star(QPainter& p, qreal cx, qreal cy, qreal r, const QColor& fill);
void Letter(QPainter& p, const QRectF& r, const QString& text, const QColor& c, qreal size, bool bold = true);
void Badge(QPainter& p, const QString& text, const QColor& c);
void Screen(QPainter& p, const QRectF& r, const QColor& fill = kLightBlue);
void PlayTriangle(QPainter& p, QPointF c, qreal s, const QColor& col);
void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c);
void Person(QPainter& p, qreal cx, const QColor& c);
// A guide line: vertical along the rectangle's left edge, else along its top edge.
void Bars(QPainter& p, const QRectF& guide, bool vertical);
void Slider(QPainter& p, qreal y, qreal knob, const QColor& c);

// The pictures of the element types by family; each returns false for a type that is
// not of its family. 100 (the project) is drawn with the pages.
bool PaintPageAndBasicIcon(QPainter& p, int type);
bool PaintButtonAndSliderIcon(QPainter& p, int type);
bool PaintVideoAndWallIcon(QPainter& p, int type);
bool PaintPlatformIcon(QPainter& p, int type);
// Any element type; a plain frame for a number without a picture.
void PaintTypeIcon(QPainter& p, int type);
// Any command of the menus and tool bars; nothing for a command without a picture.
void PaintCommandIcon(QPainter& p, int commandId);
// The grid, snapping, zoom and edit commands; false for any other.
bool PaintLayoutIcon(QPainter& p, int commandId);
// A padlock: a control locked against the mouse.
void PaintLock(QPainter& p);

} // namespace IconPaint
