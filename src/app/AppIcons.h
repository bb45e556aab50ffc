#pragma once

#include <QIcon>

// The editor's own icons, painted in code: one per command of the menus and tool bars,
// one per element type (and the project) for the project tree, and the application icon.
namespace AppIcons {
QIcon ForCommand(int commandId);
QIcon ForType(int typeNumber); // 100 is the project itself
QIcon Application();
QIcon Lock();
}
