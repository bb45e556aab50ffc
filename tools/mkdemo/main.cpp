// mkdemo: writes the demo project that the README opens, from code, so that it always
// matches the current file format. Usage: mkdemo FOLDER
// mkdemo --weather-image FILE writes the editor's weather picture (DATA/PHOTO/weather.png).
#include "DemoArt.h"
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
    if (args.size() == 3 && args[1] == QLatin1String("--weather-image"))
        return DemoArt::Weather(160, 120).save(args[2], "PNG") ? 0 : 1;
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
