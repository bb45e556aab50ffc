#include "XWebCamera.h"

#include "model/ControlMainDelegate.h"
#include "model/FieldTable.h"
#include "model/PropertyRows.h"

XWebCamera::XWebCamera()
{
    text = QStringLiteral("WEBCAMERA");
    textColor = 0xFFFFFF;
    lineWidth = 0;
}

const FieldTable* XWebCamera::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XWebCamera>, {
        Field::Name(),
        Field::Bounds(),
        Field::String<&XWebCamera::cameraAddress>("cameraAddress"),
        Field::String<&XWebCamera::userName>("userName"),
        Field::String<&XWebCamera::password>("password"),
    });
    return &table;
}

const PropertyTable* XWebCamera::Properties() const
{
    // The panel runtime reads the three settings as they are typed.
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {
            Prop::Text<&XWebCamera::cameraAddress>(PropertyId::kCameraAddress, "291").Describe("162").Effects(0),
            Prop::Text<&XWebCamera::userName>(PropertyId::kUserName, "292").Describe("163").Effects(0),
            Prop::Text<&XWebCamera::password>(PropertyId::kPassword, "293").Describe("164").Effects(0),
        },
    });
    return &table;
}

void XWebCamera::NormalizeBounds()
{
    SetBounds(Bounds()); // the size is the user's; the text only labels it
}

void XWebCamera::Draw(QPainter& dc)
{
    if (!mainDelegate)
        return;
    DrawPlaceholder(dc, mainDelegate->MapRect(Bounds()).ToQRect(), true);
    DrawSelectionMarks(dc);
}

void XWebCamera::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    // Its font is not stored, so only the bounds follow a new project size.
    XControl::Scale(newWidth, oldWidth, newHeight, oldHeight);
}

void XWebCamera::CopyAppearance(const XControl& other)
{
    if (Fields()->IsInstance(other))
        TakeSizeOf(other);
}
