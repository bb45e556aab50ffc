#include "XPhoto.h"

#include "ControlSupport.h"
#include "ImageCache.h"
#include "model/WorkLimits.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "model/ControlMainDelegate.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/MyFile.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

#include <QFileInfo>
#include <QJsonObject>
#include <QPainter>

#include <memory>

using namespace ControlSupport;

XPhoto::XPhoto()
{
    text = QStringLiteral("PHOTO");
    textColor = 0xFFFFFF;
    lineWidth = 0;
}

// ---------------------------------------------------------------- fields and properties

const FieldTable* XPhoto::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XPhoto>, {
        Field::Name(),
        Field::Bounds(),
        Field::String<&XPhoto::imageFile>("imageFile", FieldFlag::Image),
        Field::Word<&XPhoto::imageMode>("imageMode", FieldFlag::Look),
        // What the placeholder shows.
        Field::Copied<&XPhoto::text>("text"),
        Field::Copied<&XPhoto::textColor>("textColor"),
        Field::Copied<&XPhoto::fontSize>("fontSize"),
        Field::Copied<&XPhoto::alignment>("alignment"),
    });
    return &table;
}

const PropertyTable* XPhoto::Properties() const
{
    using namespace PropertyEffect;
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(Refit), // an image shown at its own size keeps that size
        {
            Prop::Image<&XPhoto::imageFile>(PropertyId::kImage, "277", "96")
                .Effects(Redraw | Refit)
                .Button([](XControl& c, CMFCMyPropertyGridProperty&) {
                    static_cast<XPhoto&>(c).ChooseImage(false);
                }),
            Prop::Choice<&XPhoto::imageMode>(PropertyId::kImageMode, "278", {"99", "100", "118"})
                .Describe("98")
                .Effects(Redraw | Refit),
        },
    });
    return &table;
}

void XPhoto::OnDoubleClick(QPoint)
{
    ChooseImage(false);
}

void XPhoto::SetImageName(bool, const QString& image)
{
    imageFile = image;
}

bool XPhoto::ChooseImage(bool pressed)
{
    const QString path = Ui().ChooseOpenFile(Translate("146"), imageFilter);
    if (path.isEmpty() || !projectData)
        return false;
    const QString stored = QFileInfo(path).fileName();
    if (!projectData->AddImage(path, stored))
        return false;
    std::unique_ptr<XControl> before(Clone(true));
    SetImageName(pressed, stored);
    if (imageMode == 2)
        NormalizeBounds();
    if (ShowsState(pressed))
        InvalidatePageWindow();
    if (mainDelegate)
        mainDelegate->SelectElement(this);
    RecordChange(before.release());
    return true;
}

// ---------------------------------------------------------------- geometry and drawing

QSize XPhoto::ImageSize(const QString& image) const
{
    return ImageCache::ImageSize(ProjectImagePath(projectData, image));
}

void XPhoto::NormalizeBounds()
{
    SetBounds(Bounds());
    if (imageFile == kNone || imageMode != 2)
        return;
    const QSize size = ImageSize(imageFile);
    if (!size.isValid())
        return;
    x2 = x1 + size.width();
    y2 = y1 + size.height();
}

bool XPhoto::DrawImage(QPainter& dc, const QString& image, const QRect& viewRect, int mode) const
{
    const QString path = ProjectImagePath(projectData, image);
    if (path.isEmpty() || !mainDelegate)
        return false;
    const QSize natural = ImageCache::ImageSize(path);
    if (!natural.isValid())
        return false;
    if (mode == 0) {
        const IntRect b = Bounds();
        const QRect part(0, 0, std::min(natural.width(), b.Width()), std::min(natural.height(), b.Height()));
        if (part.isEmpty())
            return true;
        const QSize target(mainDelegate->ScaleLength(part.width()), mainDelegate->ScaleLength(part.height()));
        const QImage scaled = ImageCache::GetScaled(path, part, target);
        if (!scaled.isNull())
            dc.drawImage(viewRect.topLeft(), scaled);
        return true;
    }
    if (viewRect.isEmpty())
        return true;
    if (qint64(viewRect.width()) * viewRect.height() > WorkLimits::kMaxScaledPixels) {
        // Far bigger than any page: a scaled copy would not fit in memory, so the painter
        // scales while it draws and only the pixels on the device cost anything.
        const QImage original = ImageCache::Get(path);
        if (!original.isNull())
            dc.drawImage(QRectF(viewRect), original, QRectF(original.rect()));
        return true;
    }
    const QImage scaled = ImageCache::GetScaled(path, QRect(QPoint(0, 0), natural), viewRect.size());
    if (!scaled.isNull())
        dc.drawImage(viewRect.topLeft(), scaled);
    return true;
}

void XPhoto::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const IntRect b = Bounds();
    const QRect view = mainDelegate->MapRect(b).ToQRect();
    if (imageFile == kNone) {
        DrawPlaceholder(dc, view, true);
    } else if (b.Width() != 0 || b.Height() != 0) {
        if (!DrawImage(dc, imageFile, view, imageMode))
            DrawPlaceholder(dc, view, true);
    }
    DrawSelectionMarks(dc);
}

// ---------------------------------------------------------------- copies and brushes

void XPhoto::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
    if (imageFile != kNone)
        imageMode = 1; // the image follows the scaled control
}

void XPhoto::CopyAppearance(const XControl& other)
{
    if (!Fields()->IsInstance(other))
        return;
    XControl::CopyAppearance(other);
    if (imageFile != kNone && imageMode == 2) {
        NormalizeBounds();
        return;
    }
    TakeSizeOf(other);
}
