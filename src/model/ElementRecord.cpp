#include "ElementRecord.h"

#include "MyFile.h"
#include "TypeRegistry.h"
#include "WorkLimits.h"
#include "XControl.h"

XControl* ReadElementRecord(MyFile& file, const std::function<XControl*(int)>& create,
                            const std::function<void(XControl*)>& link)
{
    const qint64 start = file.Position();
    const int version = file.ReadByte();
    const int type = file.ReadByte();
    if (file.Failed())
        return nullptr;
    XControl* element = create(type);
    if (!element) {
        file.FailElement(type, version, false);
        return nullptr;
    }
    link(element);
    if (!element->Load(file, version) || file.Failed()) {
        if (!file.Failed())
            file.FailElement(type, version, true);
        delete element;
        return nullptr;
    }
    // Refused here rather than clamped: a changed position would be saved back, and the
    // panel would show the element somewhere else than the file says.
    for (const qint64 v : {qint64(element->x1), qint64(element->y1), qint64(element->x2), qint64(element->y2)}) {
        if (!WorkLimits::CoordinateInRange(v)) {
            file.FailRange(type, start);
            delete element;
            return nullptr;
        }
    }
    return element;
}
