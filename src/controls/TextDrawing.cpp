#include "TextDrawing.h"

#include "ApplicationFont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kReferenceDpi = 96.0;

// Measuring happens on a device of the reference resolution, so sizes never depend on
// the screen the editor happens to run on.
const QPaintDevice& ReferenceDevice()
{
    static const QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    return device;
}

QHash<QString, bool>& FamilyCache()
{
    static QHash<QString, bool> cache;
    return cache;
}

bool FamilyAvailable(const QString& family)
{
    if (family.isEmpty())
        return false;
    auto& cache = FamilyCache();
    const auto it = cache.constFind(family);
    if (it != cache.constEnd())
        return *it;
    const bool available = QFontDatabase::hasFamily(family) || !QFont::substitutes(family).isEmpty();
    cache.insert(family, available);
    return available;
}

double& ApplicationCellRatio()
{
    static double ratio = 0.0; // (ascent + descent) / em, measured once
    return ratio;
}

struct TextRun {
    QString text;
    QPointF baseline; // from the top-left corner of the block
};

struct TextBlock {
    QSizeF size;
    std::vector<TextRun> runs;
};

QStringList SplitLines(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    return t.split(u'\n');
}

QStringList SplitCharacters(const QString& line)
{
    QStringList chars;
    for (int i = 0; i < line.size(); ++i) {
        // A surrogate pair is one character.
        const int n = line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate() ? 2 : 1;
        chars << line.mid(i, n);
        i += n - 1;
    }
    return chars;
}

TextBlock LayoutHorizontal(const QFont& font, const QString& text)
{
    const QFontMetricsF fm(font, &ReferenceDevice());
    const QStringList lines = SplitLines(text);
    const double ascent = fm.ascent();
    const double spacing = fm.lineSpacing();
    double minLeft = 0.0;
    double maxRight = 0.0;
    double bottom = fm.height() + (lines.size() - 1) * spacing;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        maxRight = std::max(maxRight, fm.horizontalAdvance(line));
        if (line.trimmed().isEmpty())
            continue;
        const QRectF ink = fm.tightBoundingRect(line);
        minLeft = std::min(minLeft, ink.left());
        maxRight = std::max(maxRight, ink.right());
        bottom = std::max(bottom, ascent + i * spacing + ink.bottom());
    }
    TextBlock block;
    const double shift = -minLeft; // a glyph reaching left of its origin stays inside
    block.size = QSizeF(maxRight + shift, bottom);
    for (int i = 0; i < lines.size(); ++i)
        if (!lines[i].isEmpty())
            block.runs.push_back({lines[i], QPointF(shift, ascent + i * spacing)});
    return block;
}

TextBlock LayoutVertical(const QFont& font, const QString& text)
{
    const QFontMetricsF fm(font, &ReferenceDevice());
    const QStringList lines = SplitLines(text);
    std::vector<QStringList> columns;
    double columnWidth = 0.0;
    int longest = 0;
    for (const QString& line : lines) {
        columns.push_back(SplitCharacters(line));
        longest = std::max(longest, static_cast<int>(columns.back().size()));
        for (const QString& c : columns.back())
            columnWidth = std::max(columnWidth, fm.horizontalAdvance(c));
    }
    const double spacing = fm.lineSpacing();
    TextBlock block;
    const int count = static_cast<int>(columns.size());
    block.size = QSizeF(columnWidth * count,
                        longest == 0 ? fm.height() : fm.height() + (longest - 1) * spacing);
    for (int j = 0; j < count; ++j) {
        const double left = (count - 1 - j) * columnWidth; // first line on the right
        for (int k = 0; k < columns[j].size(); ++k) {
            const QString& c = columns[j][k];
            const double x = left + (columnWidth - fm.horizontalAdvance(c)) / 2.0;
            block.runs.push_back({c, QPointF(x, fm.ascent() + k * spacing)});
        }
    }
    return block;
}

// Layouts are asked for on every paint; the cache keeps them for texts seen recently.
QHash<QString, TextBlock>& LayoutCache()
{
    static QHash<QString, TextBlock> cache;
    return cache;
}

const TextBlock& Layout(const QFont& font, const QString& text, bool vertical)
{
    auto& cache = LayoutCache();
    QString key = font.key();
    key += vertical ? u'V' : u'H';
    key += text;
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    if (cache.size() > 4096)
        cache.clear();
    return *cache.insert(key, vertical ? LayoutVertical(font, text) : LayoutHorizontal(font, text));
}

// The font as the painter's device needs it for the reference resolution.
QFont ForDevice(const QFont& font, const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    const int dpi = device ? device->logicalDpiY() : static_cast<int>(kReferenceDpi);
    if (dpi <= 0 || dpi == static_cast<int>(kReferenceDpi) || font.pointSizeF() <= 0)
        return font;
    QFont adjusted = font;
    adjusted.setPointSizeF(font.pointSizeF() * kReferenceDpi / dpi);
    return adjusted;
}

void PreparePainter(QPainter& painter, const QFont& font, COLORREF colour)
{
    painter.setFont(ForDevice(font, painter));
    painter.setPen(ToQColor(colour)); // always opaque
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::Antialiasing, true);
}

} // namespace

QFont MakeTextFont(const QString& family, double points, int style)
{
    QFont font;
    if (FamilyAvailable(family)) {
        font.setFamily(family);
    } else {
        font.setFamily(QStringLiteral("Sans Serif"));
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSizeF(std::max(points, 0.25));
    font.setBold((style & 1) != 0);
    font.setItalic((style & 2) != 0);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setKerning(true);
    return font;
}

QFont MakeApplicationFont(int cellHeight, int style)
{
    double& ratio = ApplicationCellRatio();
    if (ratio <= 0.0) {
        QFont probe = MakeTextFont(ApplicationFontName(), 75.0, 0); // 100 pixels per em
        const QFontMetricsF fm(probe, &ReferenceDevice());
        ratio = fm.height() > 0 ? fm.height() / 100.0 : 1.0;
    }
    const double emPixels = std::max(1, cellHeight) / ratio;
    return MakeTextFont(ApplicationFontName(), emPixels * 72.0 / kReferenceDpi, style);
}

QSizeF MeasureText(const QFont& font, const QString& text, bool vertical)
{
    return Layout(font, text, vertical).size;
}

void MeasureTextPixels(const QFont& font, const QString& text, bool vertical, int& width, int& height)
{
    const QSizeF size = MeasureText(font, text, vertical);
    // A hair of rounding noise must not add a whole empty pixel column.
    width = static_cast<int>(std::ceil(size.width() - 1e-3));
    height = static_cast<int>(std::ceil(size.height() - 1e-3));
}

void DrawTextAt(QPainter& painter, QPointF topLeft, const QFont& font, const QString& text,
                COLORREF colour, bool vertical)
{
    if (text.isEmpty())
        return;
    const TextBlock& block = Layout(font, text, vertical);
    painter.save();
    PreparePainter(painter, font, colour);
    for (const TextRun& run : block.runs)
        painter.drawText(topLeft + run.baseline, run.text);
    painter.restore();
}

Qt::Alignment AlignmentFlags(int alignment)
{
    if (alignment < 1 || alignment > 9)
        alignment = 5;
    const int column = (alignment - 1) / 3;
    const int row = (alignment - 1) % 3;
    const Qt::Alignment h = column == 0 ? Qt::AlignLeft : column == 1 ? Qt::AlignHCenter : Qt::AlignRight;
    const Qt::Alignment v = row == 0 ? Qt::AlignTop : row == 1 ? Qt::AlignVCenter : Qt::AlignBottom;
    return h | v;
}

void DrawTextInRect(QPainter& painter, const QRectF& rect, const QFont& font, const QString& text,
                    COLORREF colour, int alignment, bool vertical, bool wrap)
{
    if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    const Qt::Alignment align = AlignmentFlags(alignment);
    if (vertical) {
        // Upright characters in columns, the whole block placed by the alignment.
        const QSizeF size = MeasureText(font, text, true);
        double x = rect.left();
        double y = rect.top();
        if (align & Qt::AlignHCenter)
            x += (rect.width() - size.width()) / 2.0;
        else if (align & Qt::AlignRight)
            x += rect.width() - size.width();
        if (align & Qt::AlignVCenter)
            y += (rect.height() - size.height()) / 2.0;
        else if (align & Qt::AlignBottom)
            y += rect.height() - size.height();
        DrawTextAt(painter, QPointF(x, y), font, text, colour, true);
    } else {
        PreparePainter(painter, font, colour);
        QString shown = text;
        int flags = static_cast<int>(align);
        if (wrap) {
            flags |= Qt::TextWordWrap;
        } else {
            shown.replace(u'\n', u' ');
            flags |= Qt::TextSingleLine;
        }
        painter.drawText(rect, flags, shown);
    }
    painter.restore();
}

void ClearTextCaches()
{
    FamilyCache().clear();
    LayoutCache().clear();
    ApplicationCellRatio() = 0.0;
}

QString TextImageFileName(const QString& pageName, const QString& controlName, const QString& suffix)
{
    auto safe = [](QString name) {
        for (QChar& c : name)
            if (c == u'/' || c == u'\\' || c == QChar(0))
                c = u'_';
        return name;
    };
    return safe(pageName) + u'_' + safe(controlName) + suffix + QStringLiteral(".png");
}
