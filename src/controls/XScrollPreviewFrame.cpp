#include "XScrollPreviewFrame.h"

#include "ControlDialogRequests.h"
#include "ControlSupport.h"
#include "XVideoPreview.h"
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

using namespace ControlSupport;

namespace {
constexpr int kCaptionPoints = 20;
constexpr int kCentred = 5;
constexpr int kStretched = 1;
// A device is five strings, each at least its length word of four hex digits.
constexpr qint64 kMinDeviceChars = 5 * 4;

bool SameDevices(const DeviceInfoList& a, const DeviceInfoList& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const DeviceInfoItem& x = *a[i];
        const DeviceInfoItem& y = *b[i];
        if (x.id != y.id || x.name != y.name || x.previewAddress != y.previewAddress || x.hdAddress != y.hdAddress
            || x.uhdAddress != y.uhdAddress)
            return false;
    }
    return true;
}
}

XScrollPreviewFrame::XScrollPreviewFrame()
{
    text = QStringLiteral("SCROLLVIDEOPREVIEW");
}

XScrollPreviewFrame::~XScrollPreviewFrame()
{
    ClearDevices();
}

void XScrollPreviewFrame::ClearDevices()
{
    qDeleteAll(devices);
    devices.clear();
}

void XScrollPreviewFrame::SetDevices(const DeviceInfoList& others)
{
    if (&others == &devices)
        return;
    ClearDevices();
    devices.reserve(others.size());
    for (const DeviceInfoItem* item : others)
        devices.append(new DeviceInfoItem(*item));
}

// ---------------------------------------------------------------- fields and properties

FieldRow XScrollPreviewFrame::DevicesField()
{
    return Field::Custom(
        "devices",
        [](const XControl& c, MyFile& f) {
            const DeviceInfoList& list = static_cast<const XScrollPreviewFrame&>(c).devices;
            if (list.size() > kMaxDevices || !f.WriteWord(static_cast<int>(list.size())))
                return false;
            for (const DeviceInfoItem* d : list)
                if (!(f.WriteString(d->id) && f.WriteString(d->name) && f.WriteString(d->previewAddress)
                      && f.WriteString(d->hdAddress) && f.WriteString(d->uhdAddress)))
                    return false;
            return true;
        },
        [](XControl& c, MyFile& f, int) {
            auto& frame = static_cast<XScrollPreviewFrame&>(c);
            frame.ClearDevices();
            const int count = f.ReadWord();
            if (f.Failed())
                return;
            // The count is checked against what is left before a single device is made.
            if (count * kMinDeviceChars > f.Remaining()) {
                f.FailCount(c.GetType(), count);
                return;
            }
            for (int i = 0; i < count && !f.Failed(); ++i) {
                auto item = std::make_unique<DeviceInfoItem>();
                item->id = f.ReadString();
                item->name = f.ReadString();
                item->previewAddress = f.ReadString();
                item->hdAddress = f.ReadString();
                item->uhdAddress = f.ReadString();
                if (!f.Failed())
                    frame.devices.append(item.release());
            }
        },
        [](const XControl& c, QJsonObject& out) {
            QJsonArray list;
            for (const DeviceInfoItem* d : static_cast<const XScrollPreviewFrame&>(c).devices)
                list.append(QJsonObject{{QStringLiteral("id"), d->id},
                                        {QStringLiteral("name"), d->name},
                                        {QStringLiteral("previewAddress"), d->previewAddress},
                                        {QStringLiteral("hdAddress"), d->hdAddress},
                                        {QStringLiteral("uhdAddress"), d->uhdAddress}});
            out.insert(QStringLiteral("devices"), list);
        },
        [](XControl& c, const XControl& o, bool) {
            static_cast<XScrollPreviewFrame&>(c).SetDevices(static_cast<const XScrollPreviewFrame&>(o).devices);
        })
        .Takes([](XControl& c, JsonFields& f) {
            const QString key = QStringLiteral("devices");
            QJsonArray list;
            if (!f.List(key, kMaxDevices, list))
                return;
            DeviceInfoList devices;
            for (int i = 0; i < list.size(); ++i) {
                auto d = std::make_unique<DeviceInfoItem>();
                if (!f.TextsAt(key, list, i, {{"id", &d->id}, {"name", &d->name}, {"previewAddress", &d->previewAddress},
                                             {"hdAddress", &d->hdAddress}, {"uhdAddress", &d->uhdAddress}}))
                    break;
                devices.append(d.release());
            }
            if (!f.Failed())
                static_cast<XScrollPreviewFrame&>(c).SetDevices(devices);
            qDeleteAll(devices);
        });
}

const FieldTable* XScrollPreviewFrame::Fields() const
{
    using namespace FieldFlag;
    using C = XScrollPreviewFrame;
    static const FieldTable table(0, 0, &IsA<XScrollPreviewFrame>, {
        Field::Name(),
        Field::Bounds(),
        Field::Word<&C::rows>("rows"),
        Field::Word<&C::columns>("columns"),
        Field::Word<&C::direction>("direction", Look),
        Field::Word<&C::flag1>("flag1", Look),
        Field::Word<&C::flag2>("flag2", Look),
        Field::Word<&C::flag3>("flag3", Look),
        Field::Word<&C::captionSize>("captionSize", Look),
        Field::Colour<&C::captionColor>("captionColor", Look),
        Field::Word<&C::setting1>("setting1", Look),
        Field::Word<&C::setting2>("setting2", Look),
        Field::Colour<&C::background>("background", Look),
        Field::String<&C::imageFile>("imageFile", Image | Look),
        Field::Word<&C::setting3>("setting3", Look),
        DevicesField(),
    });
    return &table;
}

const PropertyTable* XScrollPreviewFrame::Properties() const
{
    using C = XScrollPreviewFrame;
    static const PropertyRow deviceRow =
        Prop::Special(
            PropertyId::kDeviceList, "340", PropertyKind::Text,
            [](XControl& c) -> QVariant {
                return TranslateFormat("1210", {QString::number(static_cast<C&>(c).devices.size())});
            },
            [](XControl& c, CMFCMyPropertyGridProperty& p) {
                // The list is edited in its dialog only; a typed text is put back.
                p.SetValue(TranslateFormat("1210", {QString::number(static_cast<C&>(c).devices.size())}));
                return false;
            })
            .Describe("1211")
            .Button([](XControl& c, CMFCMyPropertyGridProperty&) {
                static_cast<C&>(c).EditDevices();
            });
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {
            Prop::Image<&C::imageFile>(PropertyId::kImage, "277", "96")
                .Button([](XControl& c, CMFCMyPropertyGridProperty&) {
                    static_cast<C&>(c).ChooseImage(false);
                }),
            Prop::Int<&C::rows>(PropertyId::kRows, "238", 1, kMaxRows, "240"),
            Prop::Int<&C::columns>(PropertyId::kColumns, "239", 1, kMaxColumns, "241"),
            Prop::YesNo<&C::flag1>(PropertyId::kScrollFlag1, "1201").Describe("1209").Effects(0),
            Prop::YesNo<&C::flag2>(PropertyId::kScrollFlag2, "1202").Describe("1209").Effects(0),
            Prop::YesNo<&C::flag3>(PropertyId::kScrollFlag3, "1203").Describe("1209").Effects(0),
            Prop::Colour<&C::captionColor>(PropertyId::kTextColour, "1214").Effects(0),
            Prop::Int<&C::captionSize>(PropertyId::kFontSize, "1215", 1, 500, "117").Effects(0),
            Prop::Int<&C::setting1>(PropertyId::kScrollSetting1, "1204", 1, 100, "366").Describe("1209").Effects(0),
            Prop::Int<&C::setting2>(PropertyId::kScrollSetting2, "1205", 1, 100, "1207").Describe("1209").Effects(0),
            Prop::Choice<&C::direction>(PropertyId::kSliderDirection, "130", {"131", "132"}).Effects(0),
            // A word in the record: anything beyond it would be written as another number.
            Prop::Int<&C::setting3>(PropertyId::kScrollSetting3, "1206", 0, 0xFFFF, "1208").Describe("1209").Effects(0),
            Prop::Colour<&C::background>(PropertyId::kBackgroundColour, "139"),
            deviceRow,
        },
    });
    return &table;
}

// ---------------------------------------------------------------- the device list

bool XScrollPreviewFrame::EditDevices()
{
    std::unique_ptr<XControl> before(Clone(true));
    DeviceInfoDialogRequest request;
    request.owner = this;
    Ui().RunDialog(DeviceInfoDialogRequest::Name(), &request);
    // The dialog works on the list in place and keeps every change, even on Cancel.
    if (!before || SameDevices(static_cast<XScrollPreviewFrame&>(*before).devices, devices))
        return false;
    RecordChange(before.release());
    if (mainDelegate)
        mainDelegate->SelectElement(this);
    return true;
}

void XScrollPreviewFrame::OnDoubleClick(QPoint)
{
    EditDevices();
}

// ---------------------------------------------------------------- geometry and drawing

void XScrollPreviewFrame::NormalizeBounds()
{
    SetBounds(Bounds()); // the image is stretched over the frame, whatever its size
}

void XScrollPreviewFrame::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const QRect view = mainDelegate->MapRect(Bounds()).ToQRect();
    if (!view.isEmpty()) {
        dc.fillRect(view, ToQColor(background));
        if (imageFile != kNone)
            DrawImage(dc, imageFile, view, kStretched);
        // The caption has one size of its own, whatever captionSize says.
        const int points = std::max(1, mainDelegate->ScaleLength(kCaptionPoints));
        DrawTextInRect(dc, QRectF(view), Face(points), VideoGridCaption(GetTypeKey(), rows, columns), textColor,
                       kCentred, false, false);
    }
    DrawSelectionMarks(dc);
}

void XScrollPreviewFrame::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
}

void XScrollPreviewFrame::CopyAppearance(const XControl& other)
{
    if (!Fields()->IsInstance(other))
        return;
    TakeSizeOf(other);
    XControl::CopyAppearance(other); // everything but rows, columns and the devices
}
