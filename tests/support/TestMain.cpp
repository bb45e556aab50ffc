#include "base/AppPaths.h"
#include "base/Translation.h"
#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

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
    // Recovery copies and other cache files of frames under test stay out of the user's
    // cache folder; a test that wants its own sets this before it builds a frame.
    QTemporaryDir cache;
    if (qEnvironmentVariableIsEmpty("MVL_TEST_KEEP_CACHE") && cache.isValid())
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    TestApplication app(argc, argv);
    // The build's application folder: its DATA holds the translations and the font.
    AppPaths::SetAppFolder(QStringLiteral(MVL_BIN_DIR));
    Translation::SetLanguage(0);
    RegisterControlClasses();
    RegisterApplicationFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
