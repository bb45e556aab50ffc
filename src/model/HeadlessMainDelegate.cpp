#include "HeadlessMainDelegate.h"

#include "DuplicateElement.h"
#include "TypeRegistry.h"
#include "XPage.h"

#include <cmath>

XControl* HeadlessMainDelegate::CreateElement(int typeNumber)
{
    return ::CreateElement(typeNumber);
}

int HeadlessMainDelegate::ScaleLength(int n) const
{
    return static_cast<int>(std::trunc(n * zoom));
}

QPoint HeadlessMainDelegate::MapPoint(int x, int y) const
{
    return {ScaleLength(x), ScaleLength(y)};
}

IntRect HeadlessMainDelegate::MapRect(int left, int top, int right, int bottom) const
{
    return {ScaleLength(left), ScaleLength(top), ScaleLength(right), ScaleLength(bottom)};
}

void HeadlessMainDelegate::SelectElement(XControl* element)
{
    if (propertyElement && propertyElement != element && propertyElement->page
        && propertyElement->page != propertyElement && propertyElement->page != element->page)
        propertyElement->selected = false;
    propertyElement = element;
    if (element->page && element->page != element)
        element->page->SelectOnly(element);
}

XControl* HeadlessMainDelegate::DuplicateElement(XControl* element, bool withIdentity)
{
    return ::DuplicateElement(element, withIdentity);
}
