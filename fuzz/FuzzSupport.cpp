#include "FuzzSupport.h"

#include "base/AppPaths.h"
#include "base/Translation.h"
#include "base/UiSeam.h"
#include "controls/ApplicationFont.h"
#include "controls/ControlClasses.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <memory>

namespace {

class SilentUi : public UiSeam {
public:
    int ShowMessage(const QString&, const QString&, int, MessageIcon) override { return 0; }
    QString ChooseOpenFile(const QString&, const QString&) override { return {}; }
    QString ChooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    bool ChooseColor(COLORREF, COLORREF&) override { return false; }
    bool ChooseFont(const FontDesc&, FontDesc&) override { return false; }
    int RunDialog(const QString&, void*) override { return 0; }
};

int argcKeep = 1;
char argv0[] = "mvlfuzz";
char* argvKeep[] = {argv0, nullptr};

} // namespace

void FuzzInit()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The process lives as long as the fuzzer runs; the application is never destroyed.
    new QGuiApplication(argcKeep, argvKeep);
    AppPaths::SetAppFolder(QStringLiteral(MVL_BIN_DIR));
    Translation::SetLanguage(0);
    RegisterControlClasses();
    RegisterApplicationFont();
    static SilentUi ui;
    SetUi(&ui);
}

QString FuzzScratchFolder()
{
    static std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>();
    return dir->path();
}
