#include "ScreenTypeList.h"

#include "base/IniFile.h"

#include <algorithm>

QList<ScreenType> LoadScreenTypes(const QString& path)
{
    QList<ScreenType> list;
    // A corrupt count must not make the editor spin through millions of empty look-ups.
    const int count = std::min(Profile::ReadInt(path, QStringLiteral("DATA"), QStringLiteral("Count"), 0), 4096);
    for (int i = 0; i < count; ++i) {
        const QString section = QString::number(i);
        ScreenType type;
        type.name = Profile::ReadString(path, section, QStringLiteral("Name"), QString(), 260);
        type.width = Profile::ReadInt(path, section, QStringLiteral("Width"), 0);
        type.height = Profile::ReadInt(path, section, QStringLiteral("Height"), 0);
        if (type.name.isEmpty() || type.width == 0 || type.height == 0)
            continue;
        list.append(type);
    }
    return list;
}
