#include "DialogShot.h"

#include <QDir>
#include <QTest>
#include <QWidget>

void SaveDialogShot(QWidget& dialog, const QString& name)
{
    const QString dir = qEnvironmentVariable("MVL_SHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    dialog.show();
    QTest::qWait(50);
    dialog.grab().save(dir + u'/' + name + QStringLiteral(".png"));
}
