#include "base/AppPaths.h"
#include "base/Translation.h"
#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"

#include <gtest/gtest.h>

#ifdef MVL_HAVE_UI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    // The build's application folder: its DATA holds the translations and the font.
    AppPaths::SetAppFolder(QStringLiteral(MVL_BIN_DIR));
    Translation::SetLanguage(0);
    RegisterControlClasses();
    RegisterApplicationFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
