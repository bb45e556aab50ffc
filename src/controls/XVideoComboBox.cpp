#include "XVideoComboBox.h"

#include "ApplicationFont.h"
#include "ControlDialogRequests.h"
#include "TextDrawing.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"
#include "model/JsonFields.h"
#include "model/MyFile.h"
#include "model/PropertyRows.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
constexpr COLORREF kFill = MakeRgb(46, 63, 93);
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr int kNamePoints = 20;
constexpr int kCentred = 5;
// A channel is four strings, each at least its length word of four hex digits.
constexpr qint64 kMinChannelChars = 4 * 4;

bool GridSizeAllowed(int rows, int columns)
{
    return rows >= 1 && rows <= XVideoComboBox::kMaxRows && columns >= 1 && columns <= XVideoComboBox::kMaxColumns;
}

int RoundUpToMultiple(int length, int step)
{
    if (step <= 1 || length % step == 0)
        return length;
    return (length / step + 1) * step;
}
}

XVideoComboBox::XVideoComboBox()
{
    ResetChannels();
}

VideoChannelList XVideoComboBox::DefaultChannels(int count)
{
    VideoChannelList list;
    list.reserve(count);
    for (int k = 1; k <= count; ++k) {
        VideoChannel channel;
        channel.name = QString::asprintf("%d", k);
        channel.previewAddress = QString::asprintf("rtsp://192.168.1.%d:2554/352", 100 + k);
        channel.hdAddress = QString::asprintf("rtsp://192.168.1.%d:554/1080", 100 + k);
        list.append(channel);
    }
    return list;
}

void XVideoComboBox::ResetChannels()
{
    channels = DefaultChannels(rows * columns);
}

// ---------------------------------------------------------------- fields and properties

FieldRow XVideoComboBox::ChannelsField()
{
    // No count is stored: rows × columns records follow the ID.
    return Field::Custom(
        "channels",
        [](const XControl& c, MyFile& f) {
            const auto& box = static_cast<const XVideoComboBox&>(c);
            const int count = box.rows * box.columns;
            if (!GridSizeAllowed(box.rows, box.columns) || box.channels.size() != count)
                return false;
            for (const VideoChannel& ch : box.channels)
                if (!(f.WriteString(ch.name) && f.WriteString(ch.previewAddress) && f.WriteString(ch.hdAddress)
                      && f.WriteString(ch.uhdAddress)))
                    return false;
            return true;
        },
        [](XControl& c, MyFile& f, int) {
            auto& box = static_cast<XVideoComboBox&>(c);
            box.channels.clear();
            if (f.Failed())
                return;
            const qint64 count = qint64(box.rows) * box.columns;
            // Rows and columns are the property's 1 to 10, or the list cannot be right.
            if (!GridSizeAllowed(box.rows, box.columns) || count * kMinChannelChars > f.Remaining()) {
                f.FailCount(c.GetType(), count);
                return;
            }
            box.channels.reserve(count);
            for (qint64 i = 0; i < count && !f.Failed(); ++i) {
                VideoChannel ch;
                ch.name = f.ReadString();
                ch.previewAddress = f.ReadString();
                ch.hdAddress = f.ReadString();
                ch.uhdAddress = f.ReadString();
                box.channels.append(ch);
            }
        },
        [](const XControl& c, QJsonObject& out) {
            QJsonArray list;
            for (const VideoChannel& ch : static_cast<const XVideoComboBox&>(c).channels)
                list.append(QJsonObject{{QStringLiteral("name"), ch.name},
                                        {QStringLiteral("previewAddress"), ch.previewAddress},
                                        {QStringLiteral("hdAddress"), ch.hdAddress},
                                        {QStringLiteral("uhdAddress"), ch.uhdAddress}});
            out.insert(QStringLiteral("channels"), list);
        },
        [](XControl& c, const XControl& o, bool) {
            static_cast<XVideoComboBox&>(c).channels = static_cast<const XVideoComboBox&>(o).channels;
        })
        .Takes([](XControl& c, JsonFields& f) {
            auto& box = static_cast<XVideoComboBox&>(c);
            const QString key = QStringLiteral("channels");
            if (!f.Has(key)) {
                box.ResetChannels(); // as many fresh channels as rows and columns make
                return;
            }
            const qint64 count = qint64(box.rows) * box.columns;
            QJsonArray list;
            if (!f.List(key, kMaxRows * kMaxColumns, list))
                return;
            if (list.size() != count) {
                f.Refuse(key, TranslateFormat(QStringLiteral("2414"),
                                              {QString::number(list.size()), QString::number(count)}));
                return;
            }
            VideoChannelList channels;
            for (int i = 0; i < list.size(); ++i) {
                VideoChannel ch;
                if (!f.TextsAt(key, list, i, {{"name", &ch.name}, {"previewAddress", &ch.previewAddress},
                                             {"hdAddress", &ch.hdAddress}, {"uhdAddress", &ch.uhdAddress}}))
                    return;
                channels.append(ch);
            }
            box.channels = channels;
        });
}

const FieldTable* XVideoComboBox::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XVideoComboBox>, {
        Field::Name(),
        Field::Bounds(),
        Field::Word<&XVideoComboBox::rows>("rows"),
        Field::Word<&XVideoComboBox::columns>("columns"),
        Field::Word<&XVideoComboBox::id>("id"),
        ChannelsField(),
    });
    return &table;
}

const PropertyTable* XVideoComboBox::Properties() const
{
    using namespace PropertyEffect;
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(Refit | Reselect), // the size stays a whole number of cells
        {
            Prop::Int<&XVideoComboBox::rows>(PropertyId::kRows, "238", 1, kMaxRows, "240")
                .Effects(Redraw | Refit | Reselect),
            Prop::Int<&XVideoComboBox::columns>(PropertyId::kColumns, "239", 1, kMaxColumns, "241")
                .Effects(Redraw | Refit | Reselect),
            Prop::Int<&XVideoComboBox::id>(PropertyId::kComboBoxId, "ID", 0, kMaxId, "376").Describe("414").Effects(0),
        },
    });
    return &table;
}

bool XVideoComboBox::ApplyProperty(CMFCMyPropertyGridProperty& property)
{
    const int oldRows = rows;
    const int oldColumns = columns;
    if (!XControl::ApplyProperty(property))
        return false;
    if (rows != oldRows || columns != oldColumns) {
        // A new grid starts from the default channels; edited ones are dropped.
        ResetChannels();
        InvalidatePageWindow();
    }
    return true;
}

// ---------------------------------------------------------------- geometry and drawing

void XVideoComboBox::NormalizeBounds()
{
    SetBounds(Bounds());
    x2 = x1 + RoundUpToMultiple(x2 - x1, columns);
    y2 = y1 + RoundUpToMultiple(y2 - y1, rows);
}

void XVideoComboBox::Refresh()
{
    NormalizeBounds();
    InvalidatePageWindow();
}

int XVideoComboBox::CellAt(QPoint point) const
{
    const IntRect b = Bounds();
    if (b.Width() <= 0 || b.Height() <= 0 || rows <= 0 || columns <= 0)
        return -1;
    const double cellHeight = static_cast<double>(b.Height()) / rows;
    const double cellWidth = static_cast<double>(b.Width()) / columns;
    const double row = std::trunc((point.y() - b.top) / cellHeight);
    const double column = std::trunc((point.x() - b.left) / cellWidth);
    // The hit test reaches a little beyond the bounds; a point there is on no cell, not
    // on the first cell of the next row.
    if (row < 0 || row >= rows || column < 0 || column >= columns || point.x() < b.left || point.y() < b.top)
        return -1;
    const int index = columns * static_cast<int>(row) + static_cast<int>(column);
    return index < channels.size() ? index : -1;
}

void XVideoComboBox::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const QRect view = mainDelegate->MapRect(Bounds()).ToQRect();
    if (!view.isEmpty() && rows > 0 && columns > 0) {
        dc.fillRect(view, ToQColor(kFill));
        dc.save();
        dc.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(ToQColor(kWhite));
        pen.setWidth(1);
        pen.setCosmetic(true);
        dc.setPen(pen);
        const double cellWidth = static_cast<double>(view.width()) / columns;
        const double cellHeight = static_cast<double>(view.height()) / rows;
        for (int r = 1; r < rows; ++r) {
            const int y = view.top() + static_cast<int>(r * cellHeight);
            dc.drawLine(view.left(), y, view.right(), y);
        }
        for (int c = 1; c < columns; ++c) {
            const int x = view.left() + static_cast<int>(c * cellWidth);
            dc.drawLine(x, view.top(), x, view.bottom());
        }
        dc.restore();
        const TextFace face =
            MakeTextFace(IconTitleFontName(), std::max(1, mainDelegate->ScaleLength(kNamePoints)), 0);
        for (int i = 0; i < channels.size() && i < rows * columns; ++i) {
            const QRectF cell(view.left() + (i % columns) * cellWidth, view.top() + (i / columns) * cellHeight,
                              cellWidth, cellHeight);
            DrawTextInRect(dc, cell, face, channels[i].name, kWhite, kCentred, false, false);
        }
    }
    if (selected) {
        DrawSelectionFrame(dc);
        DrawEndHandles(dc);
    }
}

// ---------------------------------------------------------------- editing

bool XVideoComboBox::EditChannel(int index)
{
    if (index < 0 || index >= channels.size())
        return false;
    VideoChannel edited = channels[index];
    RtspInfoDialogRequest request;
    request.channel = &edited;
    if (Ui().RunDialog(RtspInfoDialogRequest::Name(), &request) != 1 || edited == channels[index])
        return false;
    std::unique_ptr<XControl> before(Clone(true));
    channels[index] = edited;
    InvalidatePageWindow();
    if (before)
        RecordChange(before.release());
    return true;
}

void XVideoComboBox::OnDoubleClick(QPoint point)
{
    EditChannel(CellAt(point));
}

void XVideoComboBox::CopyAppearance(const XControl& other)
{
    if (Fields()->IsInstance(other))
        TakeSizeOf(other);
}
