// The simulator's package unpacker on any archive a sender could transfer.

#include "FuzzSupport.h"

#include "panelsim/PackageUnpacker.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInit();
    const QString root = FuzzScratchFolder();
    const QString zip = root + QStringLiteral("/package.zip");
    const QString out = root + QStringLiteral("/unpacked");
    QDir(out).removeRecursively();
    {
        QFile f(zip);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    UnpackPackage(zip, out);
    return 0;
}
