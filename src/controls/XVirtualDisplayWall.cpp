#include "XVirtualDisplayWall.h"

#include "DisplayWallDialogRequests.h"
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
#include <memory>

namespace {

using W = XVirtualDisplayWall;

constexpr int kFirstHostNumber = 100;
constexpr int kLabelPoints = 20;
constexpr int kCentred = 5;
constexpr int kMaxStoredCount = 0xFFFF;
// A stored string is at least its length word.
constexpr int kMinStringChars = 4;
const QString kSansSerif = QStringLiteral("sans-serif");
const QColor kFill(46, 63, 93);

int RoundUp(int value, int step)
{
    if (step < 1)
        return value;
    return (value + step - 1) / step * step;
}

// The option texts of a row whose stored values are not the option indexes.
struct ValueOptions {
    QStringList texts;
    std::vector<int> values;

    QString Shown(int value) const
    {
        const auto it = std::find(values.begin(), values.end(), value);
        return it == values.end() ? QString::number(value) : texts.value(static_cast<int>(it - values.begin()));
    }
    // The field takes the chosen option's value; another text puts the present one back.
    bool Apply(int& field, CMFCMyPropertyGridProperty& property) const
    {
        const int index = static_cast<int>(texts.indexOf(property.GetText()));
        if (index < 0) {
            property.SetValue(Shown(field));
            return false;
        }
        if (values[static_cast<size_t>(index)] == field)
            return false;
        field = values[static_cast<size_t>(index)];
        return true;
    }
    void Fill(CMFCMyPropertyGridProperty& property) const
    {
        for (const QString& t : texts)
            property.AddOption(t);
    }
};

ValueOptions VersionOptions()
{
    const QString prefix = Translate(QStringLiteral("314"));
    return {{prefix + u'1', prefix + u'2'}, {1, 2}};
}

ValueOptions GenerationOptions()
{
    return {{Translate(QStringLiteral("327")), Translate(QStringLiteral("328"))}, {2, 3}};
}

QJsonObject DescribeScreen(const DisplayWallScreen& s)
{
    QJsonObject o;
    o.insert(QStringLiteral("ipAddress"), s.ipAddress);
    o.insert(QStringLiteral("horizontalResolution"), s.horizontalResolution);
    o.insert(QStringLiteral("verticalResolution"), s.verticalResolution);
    o.insert(QStringLiteral("row"), s.row);
    o.insert(QStringLiteral("column"), s.column);
    o.insert(QStringLiteral("ipGroup"), QJsonArray::fromStringList(s.ipGroup));
    return o;
}

} // namespace

XVirtualDisplayWall::XVirtualDisplayWall()
{
    recordVersion = 6;
    color = 0xFFFFFF;
    lineWidth = 0;
    BuildScreens();
}

// ---------------------------------------------------------------- file

const FieldTable* XVirtualDisplayWall::Fields() const
{
    static const FieldTable table(0, 6, &IsA<XVirtualDisplayWall>, {
        Field::Name(),
        Field::Bounds(),
        Field::Colour<&W::color>("color", FieldFlag::Look).Since(6),
        Field::Word<&W::rows>("rows"),
        Field::Word<&W::columns>("columns"),
        Field::String<&W::wallText1>("wallText1"),
        Field::Word<&W::wallFlag1>("wallFlag1"),
        Field::Word<&W::wallFlag2>("wallFlag2").Since(1),
        Field::Word<&W::wallFlag3>("wallFlag3").Since(2).OlderDefault(1),
        Field::String<&W::wallText2>("wallText2").Since(2),
        Field::Word<&W::wallVersion>("wallVersion").Since(3).OlderDefault(1),
        Field::Word<&W::deviceGeneration>("deviceGeneration").Since(4),
        Field::Custom(
            "screens", [](const XControl& c, MyFile& f) { return static_cast<const W&>(c).SaveScreens(f); },
            [](XControl& c, MyFile& f, int version) { static_cast<W&>(c).LoadScreens(f, version); },
            [](const XControl& c, QJsonObject& out) {
                QJsonArray list;
                for (const DisplayWallScreen& s : static_cast<const W&>(c).screens)
                    list.append(DescribeScreen(s));
                out.insert(QStringLiteral("screens"), list);
            },
            [](XControl& c, const XControl& o, bool) { static_cast<W&>(c).screens = static_cast<const W&>(o).screens; })
            .Takes([](XControl& c, JsonFields& f) { static_cast<W&>(c).TakeScreens(f); }),
    });
    return &table;
}

bool XVirtualDisplayWall::SaveScreens(MyFile& file) const
{
    // The loader reads exactly rows × columns screens and nothing says how many follow.
    if (static_cast<qint64>(screens.size()) != qint64(rows) * columns)
        return false;
    for (const DisplayWallScreen& s : screens) {
        if (s.ipGroup.size() > kMaxStoredCount)
            return false;
        if (!file.WriteString(s.ipAddress) || !file.WriteWord(s.horizontalResolution)
            || !file.WriteWord(s.verticalResolution) || !file.WriteWord(static_cast<int>(s.ipGroup.size())))
            return false;
        for (const QString& address : s.ipGroup)
            if (!file.WriteString(address))
                return false;
    }
    return true;
}

void XVirtualDisplayWall::LoadScreens(MyFile& file, int version)
{
    screens.clear();
    // No count is stored: rows and columns say how many screens follow, so they must be
    // what the wall can have before anything is read for them.
    for (const auto& [value, key] : {std::pair{rows, "238"}, std::pair{columns, "239"}}) {
        if (value < kMinCount || value > kMaxCount) {
            file.FailValue(GetType(), Translate(QString::fromLatin1(key)), value, kMinCount, kMaxCount);
            return;
        }
    }
    const bool withGroups = version >= 5;
    screens.reserve(static_cast<size_t>(rows * columns));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            DisplayWallScreen s;
            s.ipAddress = file.ReadString();
            s.horizontalResolution = file.ReadWord();
            s.verticalResolution = file.ReadWord();
            s.row = r;
            s.column = c;
            if (withGroups) {
                const int count = file.ReadWord();
                if (!file.CanRead(qint64(count) * kMinStringChars))
                    return;
                for (int i = 0; i < count && !file.Failed(); ++i)
                    s.ipGroup << file.ReadString();
            }
            if (file.Failed())
                return;
            screens.push_back(std::move(s));
        }
    }
}

void XVirtualDisplayWall::TakeScreens(JsonFields& fields)
{
    const QString key = QStringLiteral("screens");
    if (!fields.Has(key)) {
        BuildScreens(); // fresh screens for the rows and columns read before
        return;
    }
    // Rows and columns have been read within 1 to 20 each.
    const qint64 count = qint64(rows) * columns;
    QJsonArray list;
    if (!fields.List(key, qint64(kMaxCount) * kMaxCount, list))
        return;
    if (list.size() != count) {
        fields.Refuse(key, TranslateFormat(QStringLiteral("2414"), {QString::number(list.size()), QString::number(count)}));
        return;
    }
    std::vector<DisplayWallScreen> taken;
    for (int i = 0; i < list.size(); ++i) {
        if (!fields.IsObjectAt(key, list, i))
            return;
        JsonFields entry = fields.Entry(key, list, i);
        DisplayWallScreen s;
        s.row = i / columns;
        s.column = i % columns;
        qint64 v = 0;
        entry.Text(QStringLiteral("ipAddress"), s.ipAddress);
        if (entry.Number(QStringLiteral("horizontalResolution"), 0, kMaxStoredCount, v))
            s.horizontalResolution = static_cast<int>(v);
        if (entry.Number(QStringLiteral("verticalResolution"), 0, kMaxStoredCount, v))
            s.verticalResolution = static_cast<int>(v);
        // The place of a screen is its place in the list, row by row.
        entry.Number(QStringLiteral("row"), s.row, s.row, v);
        entry.Number(QStringLiteral("column"), s.column, s.column, v);
        const QString groupKey = QStringLiteral("ipGroup");
        QJsonArray group;
        if (entry.List(groupKey, kMaxStoredCount, group)) {
            for (int g = 0; g < group.size(); ++g) {
                QString address;
                if (!entry.TextAt(groupKey, group, g, address))
                    break;
                s.ipGroup << address;
            }
        }
        if (!entry.Finish())
            return;
        taken.push_back(std::move(s));
    }
    screens = std::move(taken);
}

// ---------------------------------------------------------------- properties

const PropertyTable* XVirtualDisplayWall::Properties() const
{
    static const PropertyTable table = MakeProperties();
    return &table;
}

PropertyTable XVirtualDisplayWall::MakeProperties()
{
    using namespace PropertyEffect;
    PropertyRow version = Prop::Special(
        PropertyId::kWallVersion, "1230", PropertyKind::Options,
        [](XControl& c) -> QVariant { return VersionOptions().Shown(static_cast<W&>(c).wallVersion); },
        [](XControl& c, CMFCMyPropertyGridProperty& p) { return VersionOptions().Apply(static_cast<W&>(c).wallVersion, p); },
        [](XControl&, CMFCMyPropertyGridProperty& p) { VersionOptions().Fill(p); });
    PropertyRow generation = Prop::Special(
        PropertyId::kDeviceGeneration, "1231", PropertyKind::Options,
        [](XControl& c) -> QVariant { return GenerationOptions().Shown(static_cast<W&>(c).deviceGeneration); },
        [](XControl& c, CMFCMyPropertyGridProperty& p) {
            return GenerationOptions().Apply(static_cast<W&>(c).deviceGeneration, p);
        },
        [](XControl&, CMFCMyPropertyGridProperty& p) { GenerationOptions().Fill(p); });
    return PropertyTable({
        Prop::NameRows(),
        Prop::SizeRows(Refit | Reselect),
        {
            Prop::Int<&W::rows>(PropertyId::kRows, "238", kMinCount, kMaxCount, "240").Describe("1233"),
            Prop::Int<&W::columns>(PropertyId::kColumns, "239", kMinCount, kMaxCount, "241").Describe("1233"),
            Prop::YesNo<&W::wallFlag1>(PropertyId::kWallFlag1, "1225").Effects(Redraw | Refit | Reselect),
            Prop::YesNo<&W::wallFlag2>(PropertyId::kWallFlag2, "1226").Effects(0),
            Prop::YesNo<&W::wallFlag3>(PropertyId::kWallFlag3, "1227").Effects(Redraw | Refit | Reselect),
            Prop::Text<&W::wallText1>(PropertyId::kWallText1, "1228").Effects(Redraw | Refit | Reselect),
            Prop::Text<&W::wallText2>(PropertyId::kWallText2, "1229").Effects(0),
            version,
            generation,
        },
    });
}

bool XVirtualDisplayWall::ApplyProperty(CMFCMyPropertyGridProperty& property)
{
    if (!XControl::ApplyProperty(property))
        return false;
    // A new grid starts again from fresh screens.
    if (property.data == PropertyId::kRows || property.data == PropertyId::kColumns)
        BuildScreens();
    return true;
}

// ---------------------------------------------------------------- screens

void XVirtualDisplayWall::BuildScreens()
{
    screens.clear();
    int k = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            DisplayWallScreen s;
            // The last byte wraps from 255 to 0 as the address brush counts: a big wall
            // must not get addresses such as 192.168.1.256.
            s.ipAddress = QStringLiteral("192.168.1.%1").arg((kFirstHostNumber + k++) % 256);
            s.row = r;
            s.column = c;
            screens.push_back(s);
        }
    }
}

int XVirtualDisplayWall::ScreenIndexAt(QPoint point) const
{
    const IntRect b = Bounds();
    // The hit margin around the wall holds no screen: a point right of the last column
    // must not count as the first screen of the next row.
    if (rows < 1 || columns < 1 || !b.Contains(point.x(), point.y()))
        return -1;
    const double cellHeight = static_cast<double>(b.Height()) / rows;
    const double cellWidth = static_cast<double>(b.Width()) / columns;
    const int row = std::min(rows - 1, static_cast<int>((point.y() - b.top) / cellHeight));
    const int column = std::min(columns - 1, static_cast<int>((point.x() - b.left) / cellWidth));
    const int index = columns * row + column;
    return index < static_cast<int>(screens.size()) ? index : -1;
}

bool XVirtualDisplayWall::ApplyScreenEdit(int index, const DisplayWallScreen& edited)
{
    if (index < 0 || index >= static_cast<int>(screens.size()))
        return false;
    DisplayWallScreen& screen = screens[static_cast<size_t>(index)];
    bool changed = false;
    // Screens of one column share their width, screens of one row their height.
    if (edited.horizontalResolution != screen.horizontalResolution) {
        for (DisplayWallScreen& s : screens)
            if (s.column == screen.column)
                s.horizontalResolution = edited.horizontalResolution;
        changed = true;
    }
    if (edited.verticalResolution != screen.verticalResolution) {
        for (DisplayWallScreen& s : screens)
            if (s.row == screen.row)
                s.verticalResolution = edited.verticalResolution;
        changed = true;
    }
    if (edited.ipAddress != screen.ipAddress) {
        screen.ipAddress = edited.ipAddress;
        changed = true;
    }
    if (edited.ipGroup != screen.ipGroup) {
        screen.ipGroup = edited.ipGroup;
        changed = true;
    }
    return changed;
}

bool XVirtualDisplayWall::SetScreenAddressAt(QPoint point, const QString& address)
{
    const int index = ScreenIndexAt(point);
    if (index < 0 || screens[static_cast<size_t>(index)].ipAddress == address)
        return false;
    screens[static_cast<size_t>(index)].ipAddress = address;
    InvalidatePageWindow();
    return true;
}

void XVirtualDisplayWall::OnDoubleClick(QPoint point)
{
    const int index = ScreenIndexAt(point);
    if (index < 0)
        return;
    const DisplayWallScreen& screen = screens[static_cast<size_t>(index)];
    DisplayWallScreenDialogRequest request{screen.ipAddress, screen.horizontalResolution, screen.verticalResolution,
                                           screen.ipGroup};
    if (Ui().RunDialog(DisplayWallScreenDialogRequest::Name(), &request) != kIdOk)
        return;
    DisplayWallScreen edited = screen;
    edited.ipAddress = request.ipAddress;
    edited.horizontalResolution = request.horizontalResolution;
    edited.verticalResolution = request.verticalResolution;
    edited.ipGroup = request.ipGroup;
    std::unique_ptr<XControl> before(Clone(true));
    if (!ApplyScreenEdit(index, edited))
        return;
    // One undo step, so that undoing an earlier change cannot take this one along.
    RecordChange(before.release());
    InvalidatePageWindow();
}

// ---------------------------------------------------------------- geometry, drawing

bool XVirtualDisplayWall::HasBand() const
{
    return wallFlag1 != 0 || wallFlag3 != 0 || !wallText1.isEmpty();
}

void XVirtualDisplayWall::NormalizeBounds()
{
    const IntRect b = Bounds();
    const int width = RoundUp(std::max(b.Width(), kMinSide), columns);
    const int band = HasBand() ? kBand : 0;
    const int height = RoundUp(std::max(b.Height(), kMinSide) - band, rows) + band;
    SetBounds({b.left, b.top, b.left + width, b.top + height});
}

void XVirtualDisplayWall::Refresh()
{
    NormalizeBounds();
    InvalidatePageWindow();
}

void XVirtualDisplayWall::CopyAppearance(const XControl& other)
{
    if (!Fields()->IsInstance(other))
        return;
    TakeSizeOf(other);
    XControl::CopyAppearance(other); // the colour of the grid
    NormalizeBounds();               // the size fits this wall's own grid
}

void XVirtualDisplayWall::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const QRect r = mainDelegate->MapRect(Bounds()).ToQRect();
    if (r.width() > 0 && r.height() > 0 && rows >= 1 && columns >= 1) {
        dc.fillRect(r, kFill);
        const double cellWidth = static_cast<double>(r.width()) / columns;
        const double cellHeight = static_cast<double>(r.height()) / rows;
        dc.save();
        QPen pen(ToQColor(color));
        pen.setWidth(1);
        pen.setCosmetic(true);
        dc.setPen(pen);
        dc.setRenderHint(QPainter::Antialiasing, false);
        for (int i = 1; i < rows; ++i) {
            const int y = r.top() + static_cast<int>(i * cellHeight);
            dc.drawLine(r.left(), y, r.right(), y);
        }
        for (int i = 1; i < columns; ++i) {
            const int x = r.left() + static_cast<int>(i * cellWidth);
            dc.drawLine(x, r.top(), x, r.bottom());
        }
        dc.restore();

        const TextFace face = MakeTextFace(kSansSerif, std::max(1, mainDelegate->ScaleLength(kLabelPoints)), 0);
        const int count = std::min(static_cast<int>(screens.size()), rows * columns);
        for (int i = 0; i < count; ++i) {
            const DisplayWallScreen& s = screens[static_cast<size_t>(i)];
            const QRectF cell(r.left() + (i % columns) * cellWidth, r.top() + (i / columns) * cellHeight, cellWidth,
                              cellHeight);
            const QString label = QStringLiteral("IP : %1\nH : %2\nV : %3")
                                      .arg(s.ipAddress)
                                      .arg(s.horizontalResolution)
                                      .arg(s.verticalResolution);
            DrawTextInRect(dc, cell, face, label, MakeRgb(255, 255, 255), kCentred, false, true);
        }
    }
    if (selected) {
        DrawSelectionFrame(dc);
        DrawEndHandles(dc);
    }
}
