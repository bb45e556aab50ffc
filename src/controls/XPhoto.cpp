#include "XPhoto.h"

#include "ControlSupport.h"
#include "ImageCache.h"
#include "model/WorkLimits.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "model/ControlMainDelegate.h"
#include "model/ControlProjectDataDelegate.h"
#include "model/MyFile.h"
#include "model/PropertyGridModel.h"

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

// ---------------------------------------------------------------- properties

QStringList XPhoto::ModeOptions(int modes)
{
    QStringList options = Translated({"99", "100"});
    if (modes > 2)
        options << Translate("118");
    return options;
}

void XPhoto::FillProperties(PropertyGridModel& grid)
{
    grid.RemoveAll();
    auto* group = grid.AddGroup(Translate("20"));
    AddNameRows(*group, *this);
    const IntRect b = Bounds();
    group->AddInt(Translate("83"), b.Width(), QString(), 1);
    group->AddInt(Translate("84"), b.Height(), QString(), 2);
    auto* image = group->AddOptions(Translate("277"), imageFile, {}, false, Translate("96"), 17);
    if (projectData)
        projectData->FillImageOptions(*image);
    image->hasButton = true;
    const QStringList modes = ModeOptions(3);
    group->AddOptions(Translate("278"), modes.value(imageMode), modes, false, Translate("98"), 18);
    SetOwner(grid, this);
}

bool XPhoto::ApplyProperty(CMFCMyPropertyGridProperty& property)
{
    bool handled = false;
    bool changed = ApplyPlacementProperty(property, handled);
    if (handled) {
        const bool resized = property.data == 1 || property.data == 2;
        if (changed && resized && imageFile != kNone && imageMode == 2)
            NormalizeBounds(); // the image's own size wins
        return changed;
    }
    changed = ApplyImageProperty(property, handled, 3);
    if (handled)
        return changed;
    return XFontText::ApplyProperty(property);
}

bool XPhoto::ApplyImageProperty(CMFCMyPropertyGridProperty& property, bool& handled, int modes)
{
    handled = true;
    switch (property.data) {
    case 17: {
        const QString v = property.GetText();
        if (v != kNone && !(projectData && projectData->HasImage(v))) {
            property.SetValue(imageFile);
            return false;
        }
        if (v == imageFile)
            return false;
        imageFile = v;
        if (imageMode == 2)
            NormalizeBounds();
        InvalidatePageWindow();
        return true;
    }
    case 18: {
        const int v = ChosenIndex(property, ModeOptions(modes));
        if (v < 0) {
            property.SetValue(ModeOptions(modes).value(imageMode));
            return false;
        }
        if (v == imageMode)
            return false;
        imageMode = v;
        if (imageMode == 2)
            NormalizeBounds();
        InvalidatePageWindow();
        return true;
    }
    default:
        handled = false;
        return false;
    }
}

int XPhoto::OnPropertyButton(CMFCMyPropertyGridProperty& property)
{
    if (property.data == 17)
        return ChooseImage(false) ? 1 : 0;
    return 0;
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

// ---------------------------------------------------------------- file

bool XPhoto::Save(MyFile& file)
{
    return WriteRecordVersion(file) && WriteType(file) && WriteName(file) && WriteBounds(file)
        && file.WriteString(imageFile) && file.WriteWord(imageMode);
}

bool XPhoto::Load(MyFile& file, int version)
{
    if (version != 0)
        return false;
    recordVersion = 0;
    ReadName(file);
    ReadBounds(file);
    imageFile = file.ReadString();
    imageMode = file.ReadWord();
    if (imageFile != kNone && !ProjectImageExists(projectData, imageFile))
        imageFile = kNone;
    return !file.Failed();
}

void XPhoto::DescribeFields(QJsonObject& out) const
{
    XControl::DescribeFields(out);
    out.insert(QStringLiteral("imageFile"), imageFile);
    out.insert(QStringLiteral("imageMode"), imageMode);
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

void XPhoto::CopyFrom(const XControl& other, bool withIdentity)
{
    XFontText::CopyFrom(other, withIdentity);
    if (const auto* o = dynamic_cast<const XPhoto*>(&other)) {
        imageFile = o->imageFile;
        imageMode = o->imageMode;
    }
}

void XPhoto::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
    if (imageFile != kNone)
        imageMode = 1; // the image follows the scaled control
}

void XPhoto::CopyAppearance(const XControl& other)
{
    const auto* o = dynamic_cast<const XPhoto*>(&other);
    if (!o)
        return;
    imageMode = o->imageMode;
    if (imageFile != kNone && imageMode == 2) {
        NormalizeBounds();
        return;
    }
    TakeSizeOf(*o);
}
