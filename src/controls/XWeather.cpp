#include "XWeather.h"

#include "ImageCache.h"
#include "base/AppPaths.h"
#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

#include <QPainter>

XWeather::XWeather()
{
    text = QStringLiteral("WEATHER");
    weatherImagePath = AppPaths::GetAppPhotoFolder() + QStringLiteral("/weather.png");
    imageMode = 1;
    lineWidth = 0;
}

const FieldTable* XWeather::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XWeather>, {
        Field::Name(),
        Field::Bounds(),
        Field::Copied<&XWeather::text>("text"),
        Field::Copied<&XWeather::textColor>("textColor"),
        Field::Copied<&XWeather::fontSize>("fontSize"),
        Field::Copied<&XWeather::alignment>("alignment"),
    });
    return &table;
}

const PropertyTable* XWeather::Properties() const
{
    static const PropertyTable table({Prop::NameRows(), Prop::SizeRows()});
    return &table;
}

void XWeather::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    const IntRect b = Bounds();
    if (b.Width() == 0 && b.Height() == 0) {
        DrawSelectionMarks(dc);
        return;
    }
    const QRect view = mainDelegate->MapRect(b).ToQRect();
    const QSize natural = ImageCache::ImageSize(weatherImagePath);
    QImage scaled;
    if (natural.isValid() && !view.isEmpty())
        scaled = ImageCache::GetScaled(weatherImagePath, QRect(QPoint(0, 0), natural), view.size());
    if (!scaled.isNull())
        dc.drawImage(view.topLeft(), scaled);
    else if (!natural.isValid())
        DrawPlaceholder(dc, view, true);
    DrawSelectionMarks(dc);
}

void XWeather::CopyAppearance(const XControl& other)
{
    if (Fields()->IsInstance(other))
        TakeSizeOf(other);
}
