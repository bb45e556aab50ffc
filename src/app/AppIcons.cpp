#include "AppIcons.h"

#include "Commands.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace {

// Every icon is drawn on a 16 × 16 grid and rendered at two sizes, so tool bars and the
// tree get sharp pixels on normal and high-density screens.
using Painter = std::function<void(QPainter&)>;

const QColor kInk(0x33, 0x3a, 0x45);
const QColor kBlue(0x2f, 0x7d, 0xd1);
const QColor kLightBlue(0xcf, 0xe3, 0xf7);
const QColor kGreen(0x3c, 0xa5, 0x5c);
const QColor kOrange(0xe8, 0x8a, 0x1a);
const QColor kRed(0xd6, 0x3b, 0x3b);
const QColor kYellow(0xf2, 0xc1, 0x2e);
const QColor kPaper(0xfd, 0xfd, 0xfb);
const QColor kGrey(0x9a, 0xa3, 0xad);
const QColor kPurple(0x8a, 0x5c, 0xc7);

QPen InkPen(const QColor& c = kInk, qreal w = 1.0)
{
    QPen pen(c, w);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QIcon Render(const Painter& paint)
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        paint(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void Sheet(QPainter& p, const QColor& fill = kPaper)
{
    QPainterPath path;
    path.moveTo(3.5, 1.5);
    path.lineTo(10, 1.5);
    path.lineTo(13.5, 5);
    path.lineTo(13.5, 14.5);
    path.lineTo(3.5, 14.5);
    path.closeSubpath();
    p.setPen(InkPen());
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(10, 1.5), QPointF(10, 5));
    p.drawLine(QPointF(10, 5), QPointF(13.5, 5));
}

void Folder(QPainter& p)
{
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setPen(InkPen());
    p.setBrush(kYellow.darker(115));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(1.5, 13.5);
    front.lineTo(3.5, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(13.5, 13.5);
    front.closeSubpath();
    p.setBrush(kYellow);
    p.drawPath(front);
}

void Disk(QPainter& p)
{
    p.setPen(InkPen());
    p.setBrush(kBlue);
    QPainterPath body;
    body.moveTo(1.5, 1.5);
    body.lineTo(12.5, 1.5);
    body.lineTo(14.5, 3.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(1.5, 14.5);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 1.5, 7.5, 4.5));
    p.drawRect(QRectF(3.5, 9, 9, 5.5));
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(9, 2.5, 1.5, 2.5));
}

void Cross(QPainter& p, qreal x, qreal y, qreal r, const QColor& c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(x, y), r, r);
    p.setPen(InkPen(Qt::white, 1.3));
    const qreal d = r * 0.45;
    p.drawLine(QPointF(x - d, y - d), QPointF(x + d, y + d));
    p.drawLine(QPointF(x - d, y + d), QPointF(x + d, y - d));
}

void Star(QPainter& p, qreal cx, qreal cy, qreal r, const QColor& fill)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const qreal rr = (i % 2) ? r * 0.45 : r;
        const QPointF pt(cx + rr * std::cos(a), cy + rr * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    p.setPen(InkPen(fill.darker(140), 0.8));
    p.setBrush(fill);
    p.drawPath(path);
}

void Letter(QPainter& p, const QRectF& r, const QString& text, const QColor& c, qreal size,
            bool bold = true)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qMax(1, qRound(size * 1.35)));
    f.setBold(bold);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

void Badge(QPainter& p, const QString& text, const QColor& c)
{
    p.setPen(InkPen(c.darker(140)));
    p.setBrush(c);
    p.drawRoundedRect(QRectF(0.5, 3.5, 15, 9), 2, 2);
    Letter(p, QRectF(0.5, 3.5, 15, 9), text, Qt::white, text.size() > 2 ? 3.6 : 5.0);
}

void Screen(QPainter& p, const QRectF& r, const QColor& fill = kLightBlue)
{
    p.setPen(InkPen());
    p.setBrush(fill);
    p.drawRoundedRect(r, 1, 1);
}

void PlayTriangle(QPainter& p, QPointF c, qreal s, const QColor& col)
{
    QPainterPath t;
    t.moveTo(c.x() - s * 0.5, c.y() - s * 0.6);
    t.lineTo(c.x() + s * 0.6, c.y());
    t.lineTo(c.x() - s * 0.5, c.y() + s * 0.6);
    t.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPath(t);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c)
{
    p.setPen(InkPen(c, 1.4));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const qreal len = std::hypot(d.x(), d.y());
    if (len <= 0)
        return;
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    p.drawLine(to, to - u * 3 + n * 2.2);
    p.drawLine(to, to - u * 3 - n * 2.2);
}

void Person(QPainter& p, qreal cx, const QColor& c)
{
    p.setPen(InkPen(c.darker(140)));
    p.setBrush(c);
    p.drawEllipse(QPointF(cx, 5), 2.6, 2.6);
    QPainterPath body;
    body.moveTo(cx - 5, 14.5);
    body.cubicTo(cx - 5, 9, cx + 5, 9, cx + 5, 14.5);
    body.closeSubpath();
    p.drawPath(body);
}

void Bars(QPainter& p, const QRectF& guide, bool vertical)
{
    p.setPen(InkPen(kRed, 1.2));
    if (vertical)
        p.drawLine(guide.topLeft(), guide.bottomLeft());
    else
        p.drawLine(guide.topLeft(), guide.topRight());
}

// Alignment icons: two blocks and the guide they align to.
void AlignIcon(QPainter& p, int command)
{
    p.setBrush(kLightBlue);
    p.setPen(InkPen(kBlue));
    switch (command) {
    case Cmd::AlignLeft:
        p.drawRect(QRectF(3, 3, 10, 3.5));
        p.drawRect(QRectF(3, 9.5, 6, 3.5));
        Bars(p, QRectF(1.5, 1, 0, 14), true);
        break;
    case Cmd::AlignRight:
        p.drawRect(QRectF(3, 3, 10, 3.5));
        p.drawRect(QRectF(7, 9.5, 6, 3.5));
        Bars(p, QRectF(14.5, 1, 0, 14), true);
        break;
    case Cmd::AlignTop:
        p.drawRect(QRectF(3, 3, 3.5, 10));
        p.drawRect(QRectF(9.5, 3, 3.5, 6));
        Bars(p, QRectF(1, 1.5, 14, 0), false);
        break;
    case Cmd::AlignBottom:
        p.drawRect(QRectF(3, 3, 3.5, 10));
        p.drawRect(QRectF(9.5, 7, 3.5, 6));
        Bars(p, QRectF(1, 14.5, 14, 0), false);
        break;
    case Cmd::CenterHorizontally:
        p.setBrush(Qt::NoBrush);
        p.setPen(InkPen(kGrey));
        p.drawRect(QRectF(0.5, 2.5, 15, 11));
        p.setBrush(kLightBlue);
        p.setPen(InkPen(kBlue));
        p.drawRect(QRectF(5, 5.5, 6, 5));
        Arrow(p, QPointF(1.5, 8), QPointF(4.5, 8), kRed);
        Arrow(p, QPointF(14.5, 8), QPointF(11.5, 8), kRed);
        break;
    case Cmd::CenterVertically:
        p.setBrush(Qt::NoBrush);
        p.setPen(InkPen(kGrey));
        p.drawRect(QRectF(2.5, 0.5, 11, 15));
        p.setBrush(kLightBlue);
        p.setPen(InkPen(kBlue));
        p.drawRect(QRectF(5.5, 5, 5, 6));
        Arrow(p, QPointF(8, 1.5), QPointF(8, 4.5), kRed);
        Arrow(p, QPointF(8, 14.5), QPointF(8, 11.5), kRed);
        break;
    case Cmd::DistributeHorizontally:
        p.drawRect(QRectF(1, 4, 3, 8));
        p.drawRect(QRectF(6.5, 4, 3, 8));
        p.drawRect(QRectF(12, 4, 3, 8));
        p.setPen(InkPen(kRed, 1));
        p.drawLine(QPointF(4, 14), QPointF(6.5, 14));
        p.drawLine(QPointF(9.5, 14), QPointF(12, 14));
        break;
    case Cmd::DistributeVertically:
        p.drawRect(QRectF(4, 1, 8, 3));
        p.drawRect(QRectF(4, 6.5, 8, 3));
        p.drawRect(QRectF(4, 12, 8, 3));
        p.setPen(InkPen(kRed, 1));
        p.drawLine(QPointF(14, 4), QPointF(14, 6.5));
        p.drawLine(QPointF(14, 9.5), QPointF(14, 12));
        break;
    case Cmd::AlignMiddles:
        p.drawRect(QRectF(2, 2, 4, 12));
        p.drawRect(QRectF(9.5, 5, 4, 6));
        Bars(p, QRectF(0.5, 8, 15, 0), false);
        break;
    case Cmd::AlignCentres:
        p.drawRect(QRectF(2, 2, 12, 4));
        p.drawRect(QRectF(5, 9.5, 6, 4));
        Bars(p, QRectF(8, 0.5, 0, 15), true);
        break;
    default:
        break;
    }
}

void Slider(QPainter& p, qreal y, qreal knob, const QColor& c)
{
    p.setPen(InkPen(kInk, 1.6));
    p.drawLine(QPointF(2, y), QPointF(14, y));
    p.setPen(InkPen(c.darker(140)));
    p.setBrush(c);
    p.drawRoundedRect(QRectF(knob - 1.8, y - 3.5, 3.6, 7), 1, 1);
}

// The picture of each element type; the same pictures serve the tool bars.
void PaintType(QPainter& p, int type)
{
    switch (type) {
    case 100: // project
        Folder(p);
        p.setPen(InkPen(kBlue, 1.2));
        p.drawRect(QRectF(6, 8.8, 6, 3.4));
        break;
    case 0: // page
        Screen(p, QRectF(1.5, 2.5, 13, 11), kPaper);
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRect(QRectF(2, 3, 12, 2.5));
        break;
    case 1: // sub-page
        Screen(p, QRectF(1.5, 2.5, 13, 11), kPaper);
        p.setBrush(kLightBlue);
        p.setPen(InkPen(kBlue));
        p.drawRect(QRectF(5, 6, 7, 5.5));
        break;
    case 2: // line
        p.setPen(InkPen(kInk, 1.6));
        p.drawLine(QPointF(2.5, 13.5), QPointF(13.5, 2.5));
        p.setBrush(kBlue);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(2.5, 13.5), 1.8, 1.8);
        p.drawEllipse(QPointF(13.5, 2.5), 1.8, 1.8);
        break;
    case 3: // text
        Letter(p, QRectF(0, 0, 16, 16), QStringLiteral("T"), kInk, 10);
        break;
    case 4: // rectangle
        p.setPen(InkPen(kInk, 1.4));
        p.setBrush(kLightBlue);
        p.drawRect(QRectF(2, 3.5, 12, 9));
        break;
    case 5: { // picture
        p.setPen(InkPen());
        p.setBrush(QColor(0xe4, 0xf1, 0xfb));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        QPainterPath hills;
        hills.moveTo(2, 13);
        hills.lineTo(6, 7.5);
        hills.lineTo(9, 11);
        hills.lineTo(11, 9);
        hills.lineTo(14, 13);
        hills.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawPath(hills);
        p.setBrush(kOrange);
        p.drawEllipse(QPointF(11, 5.5), 1.6, 1.6);
        break;
    }
    case 6: // button
        p.setPen(InkPen(kBlue.darker(130)));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(1, 4, 14, 8), 3, 3);
        p.setPen(InkPen(Qt::white, 1.2));
        p.drawLine(QPointF(5, 8), QPointF(11, 8));
        break;
    case 7: // page container
        Screen(p, QRectF(1.5, 1.5, 13, 13), kPaper);
        p.setPen(QPen(kBlue, 1, Qt::DashLine));
        p.setBrush(kLightBlue);
        p.drawRect(QRectF(4, 4, 8, 8));
        break;
    case 8: // slider
        Slider(p, 8, 10, kBlue);
        break;
    case 9: // picker
        p.setPen(InkPen());
        p.setBrush(kPaper);
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.setBrush(kLightBlue);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(3, 6, 10, 4));
        p.setPen(InkPen(kInk, 0.8));
        for (qreal y : {3.5, 8.0, 12.5})
            p.drawLine(QPointF(5, y), QPointF(11, y));
        break;
    case 10: // web camera
        p.setPen(InkPen());
        p.setBrush(kGrey.lighter(130));
        p.drawEllipse(QPointF(8, 7), 5.5, 5.5);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(8, 7), 2.5, 2.5);
        p.setBrush(kBlue);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(8, 7), 1.2, 1.2);
        p.setPen(InkPen());
        p.drawLine(QPointF(5, 15), QPointF(11, 15));
        break;
    case 11: // weather
        p.setPen(Qt::NoPen);
        p.setBrush(kYellow);
        p.drawEllipse(QPointF(6, 6), 3.6, 3.6);
        p.setBrush(QColor(0xe6, 0xea, 0xef));
        p.setPen(InkPen(kGrey.darker(120)));
        {
            QPainterPath cloud;
            cloud.addEllipse(QPointF(8, 11), 3, 2.6);
            cloud.addEllipse(QPointF(11.5, 10), 3, 3);
            cloud.addRoundedRect(QRectF(5, 10, 10, 4), 2, 2);
            p.drawPath(cloud.simplified());
        }
        break;
    case 12: // slider picture
        p.setPen(InkPen());
        p.setBrush(QColor(0xe4, 0xf1, 0xfb));
        p.drawRect(QRectF(1.5, 1.5, 13, 7));
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawRect(QRectF(2, 5, 12, 3));
        Slider(p, 12.5, 6, kOrange);
        break;
    case 13: // sensor
        p.setPen(InkPen());
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(6, 1.5, 4, 10), 2, 2);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(8, 12.5), 2.8, 2.8);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(7.2, 5, 1.6, 6));
        break;
    case 14: // font text
        Letter(p, QRectF(0, 0, 16, 16), QStringLiteral("A"), kPurple, 10);
        p.setPen(InkPen(kPurple, 1.2));
        p.drawLine(QPointF(3, 14.5), QPointF(13, 14.5));
        break;
    case 15: // font button
        p.setPen(InkPen(kPurple.darker(130)));
        p.setBrush(kPurple);
        p.drawRoundedRect(QRectF(1, 3.5, 14, 9), 3, 3);
        Letter(p, QRectF(1, 3.5, 14, 9), QStringLiteral("A"), Qt::white, 6);
        break;
    case 16: // login
        Person(p, 6, kBlue);
        p.setPen(InkPen(kOrange, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12, 9), 2, 2);
        p.drawLine(QPointF(12, 11), QPointF(12, 15));
        p.drawLine(QPointF(12, 13.5), QPointF(13.5, 13.5));
        break;
    case 17: // video preview
        Screen(p, QRectF(1, 2.5, 14, 10), kInk);
        PlayTriangle(p, QPointF(8, 7.5), 5, Qt::white);
        break;
    case 18:   // display wall
    case 20: { // synchronised display wall
        p.setPen(InkPen());
        p.setBrush(type == 20 ? kLightBlue : kPaper);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c)
                p.drawRect(QRectF(1 + c * 4.8, 3 + r * 5, 4.4, 4.6));
        if (type == 20) {
            p.setPen(InkPen(kGreen, 1.4));
            p.drawLine(QPointF(3, 14.5), QPointF(13, 14.5));
        }
        break;
    }
    case 19: // hyperlink
        p.setPen(InkPen(kBlue, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(1.5, 5.5, 7, 5), 2.5, 2.5);
        p.drawRoundedRect(QRectF(7.5, 5.5, 7, 5), 2.5, 2.5);
        break;
    case 21: // video preview frame
        Screen(p, QRectF(1, 2, 14, 11), kInk);
        p.setPen(InkPen(kOrange, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(3, 4, 10, 7));
        PlayTriangle(p, QPointF(8, 7.5), 3.5, Qt::white);
        break;
    case 22: // mode save
        Disk(p);
        Star(p, 12, 12, 3.5, kYellow);
        break;
    case 23: // mode recall
        Folder(p);
        Star(p, 12, 11, 3.5, kYellow);
        break;
    case 24: // scrolling video preview
        for (int i = 0; i < 3; ++i)
            Screen(p, QRectF(0.5 + i * 5.2, 4, 4.6, 6), kInk);
        Arrow(p, QPointF(3, 13.5), QPointF(13, 13.5), kBlue);
        break;
    case 25: // recording
        p.setPen(InkPen(kRed.darker(140)));
        p.setBrush(kRed);
        p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(8, 8), 2, 2);
        break;
    case 26:
        Badge(p, QStringLiteral("E8"), kGreen);
        break;
    case 27:
        Badge(p, QStringLiteral("RVS"), kOrange);
        break;
    case 28: // host
        p.setPen(InkPen());
        p.setBrush(kGrey.lighter(140));
        p.drawRect(QRectF(3.5, 1.5, 9, 4));
        p.drawRect(QRectF(3.5, 6, 9, 4));
        p.drawRect(QRectF(3.5, 10.5, 9, 4));
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        for (qreal y : {3.5, 8.0, 12.5})
            p.drawEllipse(QPointF(10.5, y), 0.9, 0.9);
        break;
    case 29:
        Badge(p, QStringLiteral("IVMS"), kRed);
        break;
    case 30:   // volume bar
    case 37: { // network-audio volume bar
        const QColor c = type == 37 ? kPurple : kGreen;
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 6; ++i) {
            p.setBrush(i < 4 ? c : kGrey.lighter(130));
            const qreal h = 3 + i * 1.8;
            p.drawRect(QRectF(1.5 + i * 2.3, 14 - h, 1.7, h));
        }
        break;
    }
    case 31: // video combo box
        Screen(p, QRectF(1, 1.5, 14, 8), kInk);
        PlayTriangle(p, QPointF(8, 5.5), 3.5, Qt::white);
        p.setPen(InkPen());
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 11, 13, 4));
        p.setBrush(kInk);
        p.setPen(Qt::NoPen);
        {
            QPainterPath t;
            t.moveTo(10.5, 12.3);
            t.lineTo(13.5, 12.3);
            t.lineTo(12, 14);
            t.closeSubpath();
            p.drawPath(t);
        }
        break;
    case 32:
        Badge(p, QStringLiteral("DH"), kBlue);
        break;
    case 33: // search
        p.setPen(InkPen(kInk, 1.6));
        p.setBrush(kLightBlue);
        p.drawEllipse(QPointF(6.5, 6.5), 4.2, 4.2);
        p.drawLine(QPointF(9.6, 9.6), QPointF(14, 14));
        break;
    case 34: // favourites
        Star(p, 8, 8.5, 7, kYellow);
        break;
    case 35: // account
        Person(p, 8, kGreen);
        break;
    case 36: // devices
        Screen(p, QRectF(1.5, 2, 13, 9), kLightBlue);
        p.setPen(InkPen());
        p.drawLine(QPointF(8, 11), QPointF(8, 13.5));
        p.drawLine(QPointF(4.5, 14), QPointF(11.5, 14));
        break;
    default:
        p.setPen(InkPen(kGrey));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        break;
    }
}

void PaintCommand(QPainter& p, int id)
{
    for (const ControlCommand& c : kControlCommands) {
        if (c.id == id) {
            PaintType(p, c.type);
            return;
        }
    }
    if (id >= Cmd::AlignLeft && id <= Cmd::DistributeVertically) {
        AlignIcon(p, id);
        return;
    }
    switch (id) {
    case Cmd::NewProject:
        Sheet(p);
        Star(p, 12, 12, 3.6, kYellow);
        break;
    case Cmd::OpenProject:
        Folder(p);
        break;
    case Cmd::SaveProject:
        Disk(p);
        break;
    case Cmd::CloseProject:
        Sheet(p);
        Cross(p, 11.5, 11.5, 3.8, kRed);
        break;
    case Cmd::SaveAs:
        Disk(p);
        Star(p, 12.5, 12.5, 3.2, kYellow);
        break;
    case Cmd::Select: {
        QPainterPath arrow;
        arrow.moveTo(4, 1.5);
        arrow.lineTo(4, 13);
        arrow.lineTo(6.8, 10.2);
        arrow.lineTo(9, 14.5);
        arrow.lineTo(10.8, 13.6);
        arrow.lineTo(8.7, 9.4);
        arrow.lineTo(12.5, 9.4);
        arrow.closeSubpath();
        p.setPen(InkPen());
        p.setBrush(Qt::white);
        p.drawPath(arrow);
        break;
    }
    case Cmd::Undo:
    case Cmd::Redo: {
        const bool undo = id == Cmd::Undo;
        p.setPen(InkPen(kBlue, 1.8));
        p.setBrush(Qt::NoBrush);
        QPainterPath curve;
        if (undo) {
            curve.moveTo(4, 6);
            curve.cubicTo(9, 3, 15, 6, 12, 13);
        } else {
            curve.moveTo(12, 6);
            curve.cubicTo(7, 3, 1, 6, 4, 13);
        }
        p.drawPath(curve);
        QPainterPath head;
        const qreal x = undo ? 4 : 12;
        const qreal s = undo ? 1 : -1;
        head.moveTo(x - s * 2.5, 6);
        head.lineTo(x + s * 2.5, 2.5);
        head.lineTo(x + s * 2.5, 9.5);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawPath(head);
        break;
    }
    case Cmd::SendCodeBrush:
        Badge(p, QStringLiteral("#1"), kBlue);
        break;
    case Cmd::ColorBrush: {
        p.setPen(InkPen());
        p.setBrush(QColor(0xf3, 0xe2, 0xc4));
        QPainterPath palette;
        palette.addEllipse(QRectF(1, 2, 14, 12));
        QPainterPath hole;
        hole.addEllipse(QPointF(10, 10.5), 1.6, 1.6);
        p.drawPath(palette.subtracted(hole));
        p.setPen(Qt::NoPen);
        const QColor colours[] = {kRed, kYellow, kGreen, kBlue};
        const QPointF spots[] = {{4.5, 7}, {7.5, 4.6}, {11, 5}, {5, 10.6}};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(colours[i]);
            p.drawEllipse(spots[i], 1.5, 1.5);
        }
        break;
    }
    case Cmd::FontBrush:
        Letter(p, QRectF(0, 0, 11, 14), QStringLiteral("A"), kInk, 8);
        Letter(p, QRectF(7, 4, 9, 12), QStringLiteral("a"), kPurple, 6, false);
        break;
    case Cmd::TextBrush:
        p.setPen(InkPen());
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        Letter(p, QRectF(1.5, 3.5, 8, 9), QStringLiteral("ab"), kInk, 5, false);
        p.setPen(InkPen(kBlue, 1.2));
        p.drawLine(QPointF(11, 5), QPointF(11, 11));
        break;
    case Cmd::InterlockBrush:
        p.setPen(InkPen(kOrange, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(5.5, 8), 3.5, 3.5);
        p.drawEllipse(QPointF(10.5, 8), 3.5, 3.5);
        break;
    case Cmd::AddressBrush:
        Badge(p, QStringLiteral("IP"), kGreen);
        break;
    case Cmd::FormatPainter:
        p.setPen(InkPen());
        p.setBrush(kYellow);
        p.drawRoundedRect(QRectF(2, 1.5, 11, 4.5), 1, 1);
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(13, 3.5), QPointF(14.5, 3.5));
        p.drawLine(QPointF(14.5, 3.5), QPointF(14.5, 7.5));
        p.drawLine(QPointF(14.5, 7.5), QPointF(8, 7.5));
        p.drawLine(QPointF(8, 7.5), QPointF(8, 9));
        p.setBrush(kInk);
        p.drawRect(QRectF(6.8, 9, 2.4, 6));
        break;
    case Cmd::StreamBrush:
        Screen(p, QRectF(1, 1.5, 14, 9), kInk);
        PlayTriangle(p, QPointF(8, 6), 3.5, Qt::white);
        Letter(p, QRectF(0, 10, 16, 6), QStringLiteral("RTSP"), kBlue, 3.4);
        break;
    case Cmd::Transmit:
        Screen(p, QRectF(6.5, 4.5, 9, 7), kLightBlue);
        Arrow(p, QPointF(0.5, 8), QPointF(6, 8), kGreen);
        break;
    case Cmd::ProjectSize:
        p.setPen(InkPen(kGrey));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        Arrow(p, QPointF(4, 12), QPointF(12.5, 3.5), kBlue);
        break;
    case Cmd::About:
        p.setPen(InkPen(kBlue.darker(130)));
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(8, 8), 7, 7);
        Letter(p, QRectF(0, 0, 16, 16), QStringLiteral("i"), Qt::white, 8);
        break;
    default:
        break;
    }
}

} // namespace

namespace AppIcons {

QIcon ForCommand(int commandId)
{
    static QHash<int, QIcon> cache;
    auto it = cache.find(commandId);
    if (it == cache.end())
        it = cache.insert(commandId, Render([commandId](QPainter& p) { PaintCommand(p, commandId); }));
    return *it;
}

QIcon ForType(int typeNumber)
{
    static QHash<int, QIcon> cache;
    auto it = cache.find(typeNumber);
    if (it == cache.end())
        it = cache.insert(typeNumber, Render([typeNumber](QPainter& p) { PaintType(p, typeNumber); }));
    return *it;
}

QIcon Application()
{
    static const QIcon icon = Render([](QPainter& p) {
        p.setPen(InkPen(kBlue.darker(150)));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
        p.setBrush(kPaper);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(3, 3.5, 10, 6.5), 1, 1);
        p.setBrush(kOrange);
        p.drawRoundedRect(QRectF(4, 11.5, 3.5, 2), 0.8, 0.8);
        p.setBrush(kGreen);
        p.drawRoundedRect(QRectF(8.5, 11.5, 3.5, 2), 0.8, 0.8);
        p.setPen(InkPen(kBlue, 1.2));
        p.drawLine(QPointF(4.5, 8), QPointF(7, 5.5));
        p.drawLine(QPointF(7, 5.5), QPointF(9, 7.5));
        p.drawLine(QPointF(9, 7.5), QPointF(11.5, 5));
    });
    return icon;
}

} // namespace AppIcons
