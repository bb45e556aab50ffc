#include "TextDrawing.h"

#include "ApplicationFont.h"
#include "model/WorkLimits.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QStaticText>
#include <QTextLayout>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

namespace {

constexpr int kReferenceDpi = 96;
constexpr int kCacheLimit = 8192;

// Measuring happens on a device of the reference resolution, so sizes never depend on
// the screen the editor happens to run on.
const QPaintDevice& ReferenceDevice()
{
    static thread_local const QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    return device;
}

int DeviceDpi(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    const int dpi = device ? device->logicalDpiY() : kReferenceDpi;
    return dpi > 0 ? dpi : kReferenceDpi;
}

// ---------------------------------------------------------------- fonts

// Every thread keeps its own caches; forgetting them reaches the other threads through
// this count, which each compares with the one its caches were made under.
std::atomic<unsigned> cacheGeneration{0};
void ForgetThisThreadsCaches();

void KeepCachesFresh()
{
    static thread_local unsigned madeUnder = cacheGeneration.load();
    const unsigned now = cacheGeneration.load();
    if (madeUnder != now) {
        madeUnder = now;
        ForgetThisThreadsCaches();
    }
}

QHash<QString, bool>& FamilyCache()
{
    KeepCachesFresh();
    static thread_local QHash<QString, bool> cache;
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

struct DeviceFaceKey {
    TextFace face;
    int dpi;
    bool operator==(const DeviceFaceKey& o) const { return dpi == o.dpi && face == o.face; }
};
size_t qHash(const DeviceFaceKey& k, size_t seed)
{
    return qHashMulti(seed, k.face, k.dpi);
}

QHash<DeviceFaceKey, QFont>& FontCache()
{
    KeepCachesFresh();
    static thread_local QHash<DeviceFaceKey, QFont> cache;
    return cache;
}

// The font for a face on a device of the given resolution: the pixel size stays that of
// the reference resolution.
const QFont& FontFor(const TextFace& face, int dpi)
{
    auto& cache = FontCache();
    const DeviceFaceKey key{face, dpi};
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QFont font;
    if (FamilyAvailable(face.family)) {
        font.setFamily(face.family);
    } else {
        font.setFamily(QStringLiteral("Sans Serif"));
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSizeF(std::max(face.points, 0.25) * kReferenceDpi / dpi);
    font.setBold((face.style & 1) != 0);
    font.setItalic((face.style & 2) != 0);
    font.setStyleStrategy(QFont::PreferAntialias);
    if (cache.size() > kCacheLimit)
        cache.clear();
    return *cache.insert(key, font);
}

double& ApplicationCellRatio()
{
    KeepCachesFresh();
    static thread_local double ratio = 0.0; // (ascent + descent) / em of the application font
    return ratio;
}

QHash<TextFace, QString>& ResolvedFamilyCache()
{
    KeepCachesFresh();
    static thread_local QHash<TextFace, QString> cache;
    return cache;
}

// ---------------------------------------------------------------- shaped texts

struct Run {
    QStaticText text;
    QPointF topLeft; // from the top-left corner of the block
};

struct Block {
    QSizeF size;          // the measured box
    bool overflows = false; // reaches outside its rectangle (rectangle layouts only)
    std::vector<Run> runs;
};

struct BlockKey {
    TextFace face;
    QString text;
    int dpi = kReferenceDpi;
    bool vertical = false;
    // Rectangle layouts only: size, alignment and wrapping (alignment 0 = a free text).
    int width = 0;
    int height = 0;
    int alignment = 0;
    bool wrap = false;
    bool operator==(const BlockKey& o) const
    {
        return dpi == o.dpi && vertical == o.vertical && width == o.width && height == o.height
            && alignment == o.alignment && wrap == o.wrap && face == o.face && text == o.text;
    }
};
size_t qHash(const BlockKey& k, size_t seed)
{
    return qHashMulti(seed, k.face, k.text, k.dpi, k.vertical, k.width, k.height, k.alignment, k.wrap);
}

QHash<BlockKey, Block>& BlockCache()
{
    KeepCachesFresh();
    static thread_local QHash<BlockKey, Block> cache;
    return cache;
}

Run MakeRun(const QString& text, QPointF topLeft, const QFont& deviceFont)
{
    Run run;
    run.text.setTextFormat(Qt::PlainText);
    run.text.setText(text);
    run.text.prepare(QTransform(), deviceFont);
    run.topLeft = topLeft;
    return run;
}

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

Block LayoutHorizontal(const TextFace& face, const QString& text, int dpi)
{
    const QFontMetricsF fm(FontFor(face, kReferenceDpi), &ReferenceDevice());
    const QFont& deviceFont = FontFor(face, dpi);
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
    Block block;
    const double shift = -minLeft; // a glyph reaching left of its origin stays inside
    block.size = QSizeF(maxRight + shift, bottom);
    for (int i = 0; i < lines.size(); ++i)
        if (!lines[i].isEmpty())
            block.runs.push_back(MakeRun(lines[i], QPointF(shift, i * spacing), deviceFont));
    return block;
}

Block LayoutVertical(const TextFace& face, const QString& text, int dpi)
{
    const QFontMetricsF fm(FontFor(face, kReferenceDpi), &ReferenceDevice());
    const QFont& deviceFont = FontFor(face, dpi);
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
    Block block;
    const int count = static_cast<int>(columns.size());
    block.size = QSizeF(columnWidth * count, longest == 0 ? fm.height() : fm.height() + (longest - 1) * spacing);
    for (int j = 0; j < count; ++j) {
        const double left = (count - 1 - j) * columnWidth; // the first line on the right
        for (int k = 0; k < columns[j].size(); ++k) {
            const QString& c = columns[j][k];
            const double x = left + (columnWidth - fm.horizontalAdvance(c)) / 2.0;
            block.runs.push_back(MakeRun(c, QPointF(x, k * spacing), deviceFont));
        }
    }
    return block;
}

const Block& FreeBlock(const TextFace& face, const QString& text, bool vertical, int dpi)
{
    auto& cache = BlockCache();
    BlockKey key;
    key.face = face;
    key.text = text;
    key.dpi = dpi;
    key.vertical = vertical;
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    if (cache.size() > kCacheLimit)
        cache.clear();
    return *cache.insert(key, vertical ? LayoutVertical(face, text, dpi) : LayoutHorizontal(face, text, dpi));
}

// Lines laid out in a rectangle of the given size, each placed by the alignment.
Block LayoutInRect(const TextFace& face, const QString& text, QSizeF size, int alignment, bool wrap, int dpi)
{
    const QFont& reference = FontFor(face, kReferenceDpi);
    const QFont& deviceFont = FontFor(face, dpi);
    const Qt::Alignment align = AlignmentFlags(alignment);
    const double horizontal = (align & Qt::AlignHCenter) ? 0.5 : (align & Qt::AlignRight) ? 1.0 : 0.0;
    const double verticalShare = (align & Qt::AlignVCenter) ? 0.5 : (align & Qt::AlignBottom) ? 1.0 : 0.0;

    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(u'\r', u'\n');
    if (!wrap)
        shown.replace(u'\n', u' ');
    shown.replace(u'\n', QChar::LineSeparator);

    QTextLayout layout(shown, reference, const_cast<QPaintDevice*>(&ReferenceDevice()));
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    struct Line {
        QString text;
        double width;
        double y;
    };
    std::vector<Line> lines;
    double y = 0.0;
    double widest = 0.0;
    while (true) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(wrap ? size.width() : 1e7);
        line.setPosition(QPointF(0, y));
        QString part = shown.mid(line.textStart(), line.textLength());
        while (!part.isEmpty() && (part.back() == QChar::LineSeparator || part.back().isSpace()))
            part.chop(1);
        const double width = line.naturalTextWidth();
        lines.push_back({part, width, y});
        widest = std::max(widest, width);
        y += line.height();
    }
    layout.endLayout();

    Block block;
    block.size = QSizeF(widest, y);
    const double top = (size.height() - y) * verticalShare;
    for (const Line& line : lines) {
        if (line.text.isEmpty())
            continue;
        const double left = (size.width() - line.width) * horizontal;
        block.runs.push_back(MakeRun(line.text, QPointF(left, top + line.y), deviceFont));
    }
    block.overflows = widest > size.width() + 0.5 || y > size.height() + 0.5;
    return block;
}

const Block& RectBlock(const TextFace& face, const QString& text, QSizeF size, int alignment, bool vertical,
                       bool wrap, int dpi)
{
    auto& cache = BlockCache();
    BlockKey key;
    key.face = face;
    key.text = text;
    key.dpi = dpi;
    key.vertical = vertical;
    key.width = qRound(size.width() * 8);
    key.height = qRound(size.height() * 8);
    key.alignment = alignment;
    key.wrap = wrap;
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    Block block;
    if (vertical) {
        // Upright characters in columns, the whole block placed by the alignment.
        block = FreeBlock(face, text, true, dpi);
        const Qt::Alignment align = AlignmentFlags(alignment);
        const double dx = (align & Qt::AlignHCenter) ? (size.width() - block.size.width()) / 2.0
            : (align & Qt::AlignRight)               ? size.width() - block.size.width()
                                                     : 0.0;
        const double dy = (align & Qt::AlignVCenter) ? (size.height() - block.size.height()) / 2.0
            : (align & Qt::AlignBottom)              ? size.height() - block.size.height()
                                                     : 0.0;
        for (Run& run : block.runs)
            run.topLeft += QPointF(dx, dy);
        block.overflows = block.size.width() > size.width() || block.size.height() > size.height();
    } else {
        block = LayoutInRect(face, text, size, alignment, wrap, dpi);
    }
    if (cache.size() > kCacheLimit)
        cache.clear();
    return *cache.insert(key, block);
}

void DrawBlock(QPainter& painter, const Block& block, QPointF origin, const TextFace& face, COLORREF colour,
               int dpi)
{
    painter.setFont(FontFor(face, dpi));
    painter.setPen(ToQColor(colour)); // always opaque
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const Run& run : block.runs)
        painter.drawStaticText(origin + run.topLeft, run.text);
}

} // namespace

size_t qHash(const TextFace& face, size_t seed)
{
    return qHashMulti(seed, face.family, face.points, face.style);
}

TextFace MakeTextFace(const QString& family, double points, int style)
{
    // Beyond the biggest page a glyph cannot be shown, and shaping and measuring at such
    // sizes costs far more than any text the panel can display.
    return TextFace{family, std::clamp(points, 0.25, WorkLimits::kMaxFacePoints), style};
}

QFont ToQFont(const TextFace& face)
{
    return FontFor(face, kReferenceDpi);
}

QString ResolvedFamily(const TextFace& face)
{
    auto& cache = ResolvedFamilyCache();
    const auto it = cache.constFind(face);
    if (it != cache.constEnd())
        return *it;
    if (cache.size() > kCacheLimit)
        cache.clear();
    return *cache.insert(face, QFontInfo(FontFor(face, kReferenceDpi)).family());
}

TextFace ApplicationFace(int cellHeight, int style)
{
    double& ratio = ApplicationCellRatio();
    if (ratio <= 0.0) {
        const QFontMetricsF fm(FontFor(MakeTextFace(ApplicationFontName(), 75.0, 0), kReferenceDpi),
                               &ReferenceDevice()); // 100 pixels per em
        ratio = fm.height() > 0 ? fm.height() / 100.0 : 1.0;
    }
    const double emPixels = std::max(1, cellHeight) / ratio;
    return MakeTextFace(ApplicationFontName(), emPixels * 72.0 / kReferenceDpi, style);
}

QSizeF MeasureText(const TextFace& face, const QString& text, bool vertical)
{
    return FreeBlock(face, text, vertical, kReferenceDpi).size;
}

void MeasureTextPixels(const TextFace& face, const QString& text, bool vertical, int& width, int& height)
{
    const QSizeF size = MeasureText(face, text, vertical);
    // A hair of rounding noise must not add a whole empty pixel column.
    width = static_cast<int>(std::ceil(size.width() - 1e-3));
    height = static_cast<int>(std::ceil(size.height() - 1e-3));
}

void DrawTextAt(QPainter& painter, QPointF topLeft, const TextFace& face, const QString& text,
                COLORREF colour, bool vertical)
{
    if (text.isEmpty())
        return;
    const int dpi = DeviceDpi(painter);
    const Block& block = FreeBlock(face, text, vertical, dpi);
    painter.save();
    DrawBlock(painter, block, topLeft, face, colour, dpi);
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

void DrawTextInRect(QPainter& painter, const QRectF& rect, const TextFace& face, const QString& text,
                    COLORREF colour, int alignment, bool vertical, bool wrap)
{
    if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0)
        return;
    const int dpi = DeviceDpi(painter);
    const Block& block = RectBlock(face, text, rect.size(), alignment, vertical, wrap, dpi);
    painter.save();
    if (block.overflows)
        painter.setClipRect(rect, Qt::IntersectClip);
    DrawBlock(painter, block, rect.topLeft(), face, colour, dpi);
    painter.restore();
}

void ClearTextCaches()
{
    ++cacheGeneration;
}

namespace {
void ForgetThisThreadsCaches()
{
    FamilyCache().clear();
    FontCache().clear();
    ResolvedFamilyCache().clear();
    BlockCache().clear();
    ApplicationCellRatio() = 0.0;
}
} // namespace

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
