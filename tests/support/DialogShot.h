#pragma once

#include <QString>

class QWidget;

// With MVL_SHOT_DIR set, shows a dialog and saves its picture there as NAME.png, for
// looking at dialogs that tests drive offscreen; without it, does nothing.
void SaveDialogShot(QWidget& dialog, const QString& name);
