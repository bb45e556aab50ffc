#pragma once

#include <QString>

#include <functional>

// Dialogs of the ui/ folders that code without widgets opens by name through
// Ui().RunDialog(name, data). Each ui folder registers its dialogs at start-up; the
// runner returns the dialog's result code (1 for OK).
using DialogRunner = std::function<int(void* data)>;

namespace DialogRegistry {
void Register(const QString& name, DialogRunner runner);
// Null when no dialog of that name is registered.
DialogRunner Find(const QString& name);
}
