#include "XSliderPhoto.h"

#include "ControlSupport.h"
#include "ImageCache.h"
#include "XSlider.h"
#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"
#include "model/XPage.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace ControlSupport;

namespace {
constexpr int kMinFrames = 2;
constexpr int kMaxFrames = 1000;
}

XSliderPhoto::XSliderPhoto()
{
    text = QStringLiteral("SLIDERPHOTO");
    imageMode = 1;
    imageFilter = QStringLiteral("(*.jpg)(*.png)(*.bmp)|*.jpg;*.png;*.bmp||");
}

// ---------------------------------------------------------------- the link

XSlider* XSliderPhoto::LinkedSlider() const
{
    if (!linkedSlider || linkLife.expired() || !page || !page->controls.contains(linkedSlider))
        return nullptr;
    return linkedSlider;
}

QString XSliderPhoto::LinkedSliderName() const
{
    if (linkedSlider) {
        const XSlider* slider = LinkedSlider();
        return slider ? slider->name : kNone;
    }
    return linkedSliderName;
}

void XSliderPhoto::SetLinkedSlider(XSlider* slider)
{
    linkedSlider = slider;
    linkLife = slider ? slider->LifeToken() : std::weak_ptr<const bool>();
    linkedSliderName = slider ? slider->name : kNone;
}

void XSliderPhoto::KeepLinkName(const QString& name)
{
    linkedSlider = nullptr;
    linkLife.reset();
    linkedSliderName = name;
}

void XSliderPhoto::ResolveReferences()
{
    if (linkedSliderName == kNone || !page)
        return;
    // A name that does not name a slider of the page is kept and followed by nothing.
    if (auto* slider = dynamic_cast<XSlider*>(page->FindControl(linkedSliderName)))
        SetLinkedSlider(slider);
}

void XSliderPhoto::RefreshReferences()
{
    if (linkedSlider && !linkLife.expired())
        return; // the very slider, on the page or waiting in the undo history
    const QString kept = linkedSlider ? kNone : linkedSliderName;
    KeepLinkName(kept);
    ResolveReferences();
    if (!linkedSlider)
        linkedSliderName = kNone;
}

// ---------------------------------------------------------------- fields and properties

const FieldTable* XSliderPhoto::Fields() const
{
    using namespace FieldFlag;
    FieldRow link = Field::Text(
        "linkedSliderName", [](const XControl& c) { return static_cast<const XSliderPhoto&>(c).LinkedSliderName(); },
        [](XControl& c, const QString& v) { static_cast<XSliderPhoto&>(c).KeepLinkName(v); }, Reference | Identity);
    // A copy with identity (an undo snapshot) follows the very same slider.
    link.copy = [](XControl& c, const XControl& o, bool) {
        auto& photo = static_cast<XSliderPhoto&>(c);
        const auto& other = static_cast<const XSliderPhoto&>(o);
        photo.linkedSlider = other.linkedSlider;
        photo.linkLife = other.linkLife;
        photo.linkedSliderName = other.linkedSliderName;
    };
    static const FieldTable table(0, 0, &IsA<XSliderPhoto>, {
        Field::Name(),
        Field::Bounds(),
        Field::String<&XSliderPhoto::imageFile>("imageFile", Image),
        Field::Word<&XSliderPhoto::frameCount>("frameCount", Look),
        Field::Word<&XSliderPhoto::currentFrame>("currentFrame", Look),
        link,
        Field::Copied<&XSliderPhoto::imageMode>("imageMode"),
        Field::Copied<&XSliderPhoto::text>("text"),
        Field::Copied<&XSliderPhoto::textColor>("textColor"),
        Field::Copied<&XSliderPhoto::fontSize>("fontSize"),
        Field::Copied<&XSliderPhoto::alignment>("alignment"),
    });
    return &table;
}

const PropertyTable* XSliderPhoto::Properties() const
{
    using namespace PropertyEffect;
    PropertyRow frames = Prop::Int<&XSliderPhoto::frameCount>(PropertyId::kFrameCount, "294", kMinFrames, kMaxFrames,
                                                              "160")
                             .Describe("157")
                             .Effects(Redraw | Reselect);
    // The shown frame stays within the strip.
    frames.setInt = [](XControl& c, qint64 v) {
        auto& photo = static_cast<XSliderPhoto&>(c);
        photo.frameCount = static_cast<int>(v);
        photo.currentFrame = std::clamp(photo.currentFrame, 1, photo.frameCount);
    };
    PropertyRow current = Prop::Special(
        PropertyId::kCurrentFrame, "295", PropertyKind::Options,
        [](XControl& c) -> QVariant { return QString::number(static_cast<XSliderPhoto&>(c).ShownFrame()); },
        [](XControl& c, CMFCMyPropertyGridProperty& p) {
            auto& photo = static_cast<XSliderPhoto&>(c);
            bool ok = false;
            int v = p.GetText().toInt(&ok);
            if (!ok || v < 1 || v > photo.FrameCount())
                v = 1; // a text that is not in the list
            p.SetValue(QString::number(v));
            if (v == photo.currentFrame)
                return false;
            photo.currentFrame = v;
            photo.InvalidatePageWindow();
            return true;
        },
        [](XControl& c, CMFCMyPropertyGridProperty& p) {
            for (int i = 1; i <= static_cast<XSliderPhoto&>(c).FrameCount(); ++i)
                p.AddOption(QString::number(i));
        });
    current.descriptionKey = "158";
    PropertyRow link = Prop::Special(
        PropertyId::kLinkedSlider, "296", PropertyKind::Options,
        [](XControl& c) -> QVariant { return static_cast<XSliderPhoto&>(c).LinkedSliderName(); },
        [](XControl& c, CMFCMyPropertyGridProperty& p) {
            auto& photo = static_cast<XSliderPhoto&>(c);
            const QString v = p.GetText();
            if (v == photo.LinkedSliderName())
                return false;
            auto* slider = photo.page ? dynamic_cast<XSlider*>(photo.page->FindControl(v)) : nullptr;
            if (v != kNone && !slider) {
                p.SetValue(photo.LinkedSliderName());
                return false;
            }
            photo.SetLinkedSlider(slider);
            return true;
        },
        [](XControl& c, CMFCMyPropertyGridProperty& p) {
            if (c.page)
                c.page->FillSliderOptions(p);
            else
                p.AddOption(kNone);
        });
    link.descriptionKey = "159";
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {
            Prop::Image<&XSliderPhoto::imageFile>(PropertyId::kImage, "277", "96")
                .Button([](XControl& c, CMFCMyPropertyGridProperty&) {
                    static_cast<XSliderPhoto&>(c).ChooseImage(false);
                }),
            frames,
            current,
            link,
        },
    });
    return &table;
}

// ---------------------------------------------------------------- frames and drawing

int XSliderPhoto::FrameCount() const
{
    // A count read from a file may be anything: drawing and the frame list stay bounded.
    return std::clamp(frameCount, 1, kMaxFrames);
}

int XSliderPhoto::ShownFrame() const
{
    return std::clamp(currentFrame, 1, FrameCount());
}

QRect XSliderPhoto::FrameRows(int imageWidth, int imageHeight) const
{
    const double frameHeight = static_cast<double>(imageHeight) / FrameCount();
    const int top = static_cast<int>(std::lround((ShownFrame() - 1) * frameHeight));
    const int bottom = static_cast<int>(std::lround(ShownFrame() * frameHeight));
    return QRect(0, top, imageWidth, bottom - top);
}

void XSliderPhoto::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const IntRect b = Bounds();
    const QRect view = mainDelegate->MapRect(b).ToQRect();
    const QString path = ProjectImagePath(projectData, imageFile);
    const QSize natural = path.isEmpty() ? QSize() : ImageCache::ImageSize(path);
    if (!natural.isValid()) {
        DrawPlaceholder(dc, view, true);
    } else if (!view.isEmpty()) {
        const QRect rows = FrameRows(natural.width(), natural.height());
        const QImage frame = rows.isEmpty() ? QImage() : ImageCache::GetScaled(path, rows, view.size());
        if (!frame.isNull())
            dc.drawImage(view.topLeft(), frame);
    }
    DrawSelectionMarks(dc);
}

void XSliderPhoto::OnDoubleClick(QPoint)
{
    ChooseImageInto(*this, [](XPhoto& c, const QString& name) {
        auto& photo = static_cast<XSliderPhoto&>(c);
        photo.imageFile = name;
        photo.frameCount = 1;
        photo.currentFrame = 1;
    });
}

void XSliderPhoto::CopyAppearance(const XControl& other)
{
    if (!Fields()->IsInstance(other))
        return;
    TakeSizeOf(other);
    XControl::CopyAppearance(other);
}
