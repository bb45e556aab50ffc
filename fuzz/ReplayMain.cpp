// Runs a harness on every file of its corpus folders, without libFuzzer: the corpus and
// every crash input kept in it stay fixed in the ordinary test suite. A fault aborts the
// program (under the sanitizers with their report), which fails the test.

#include "FuzzSupport.h"

#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    FuzzInit();
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        QStringList paths;
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(arg).isDir()) {
            QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                paths << it.next();
            paths.sort();
        } else {
            paths << arg;
        }
        for (const QString& path : paths) {
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray bytes = f.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(QFileInfo(path).fileName()));
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   static_cast<size_t>(bytes.size()));
            ++files;
        }
    }
    std::printf("%d inputs replayed\n", files);
    return files > 0 ? 0 : 1;
}
