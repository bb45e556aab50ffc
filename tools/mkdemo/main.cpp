// mkdemo: writes the demo project that the README opens, from code, so that it always
// matches the current file format. Usage: mkdemo FOLDER
#include "DemoProject.h"

#include "base/AppPaths.h"
#include "base/Translation.h"
#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    RegisterControlClasses();
    RegisterApplicationFont();
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: mkdemo FOLDER\n");
        return 1;
    }
    QString error;
    if (!WriteDemoProject(QDir::current().absoluteFilePath(args[1]), error)) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 1;
    }
    return 0;
}
