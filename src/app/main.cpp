#include "CMarvolentaApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    CMarvolentaApp app;
    if (!app.InitInstance(QApplication::arguments()))
        return 1;
    return app.ExitInstance(QApplication::exec());
}
