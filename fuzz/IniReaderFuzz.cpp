// The INI reader on any settings, screen-type or translation file, and writing one key
// back into it.

#include "FuzzSupport.h"

#include "base/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniFile ini(text);
    for (const QString& section : {QStringLiteral("Info"), QStringLiteral("SCREENTYPE"), QString()}) {
        for (const QString& key : ini.Keys(section)) {
            ini.GetString(section, key, QString(), 64);
            ini.GetInt(section, key, -1);
        }
    }
    IniFile::ParseProfileInt(text);
    ini.SetString(QStringLiteral("Info"), QStringLiteral("Translation"), QStringLiteral("2"));
    IniFile again(ini.Serialize());
    // A key just written reads back as written.
    if (again.GetString(QStringLiteral("Info"), QStringLiteral("Translation")) != QLatin1String("2"))
        __builtin_trap();
    return 0;
}
