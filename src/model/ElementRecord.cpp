#include "ElementRecord.h"

#include "MyFile.h"
#include "TypeRegistry.h"
#include "XControl.h"

XControl* ReadElementRecord(MyFile& file, const std::function<XControl*(int)>& create,
                            const std::function<void(XControl*)>& link)
{
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
    return element;
}
