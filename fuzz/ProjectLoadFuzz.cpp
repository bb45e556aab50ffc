// A project data file as a damaged or hand-edited copy would arrive: loaded, then saved
// with its text images into a fresh folder. The save must finish in the time of a
// normal save whatever the file held.

#include "FuzzSupport.h"

#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInit();
    const QString root = FuzzScratchFolder();
    const QString in = root + QStringLiteral("/In");
    const QString out = root + QStringLiteral("/Out");
    QDir(in).removeRecursively();
    QDir(out).removeRecursively();
    QDir().mkpath(in);
    const QString path = in + QStringLiteral("/In.mvl");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    HeadlessMainDelegate delegate;
    ProjectData project;
    project.mainDelegate = &delegate;
    QString message;
    if (!project.LoadProjectFile(path, message))
        return 0;
    project.folder = out;
    project.loadedFile.clear();
    QDir().mkpath(out);
    project.SaveProjectFile();
    return 0;
}
