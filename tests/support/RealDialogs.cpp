#ifdef MVL_HAVE_UI
#include "RealDialogs.h"

#include "app/WidgetUi.h"
#include "base/DialogRegistry.h"
#include "controls/ui/ControlDialogs.h"
#include "model/ui/ModelDialogs.h"

#include <QApplication>

RealDialogs::RealDialogs(QWidget* mainWindow) : ui(std::make_unique<WidgetUi>()), previous(&Ui())
{
    ui->SetMainWindow(mainWindow);
    SetUi(ui.get());
    // As the application does at start-up; registering again replaces the same runners.
    RegisterModelDialogs();
    RegisterControlDialogs([](const QString& name, DialogRunner runner) { DialogRegistry::Register(name, std::move(runner)); },
                           [] { return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                                         : QApplication::activeWindow(); });
}

RealDialogs::~RealDialogs()
{
    SetUi(previous);
}
#endif
