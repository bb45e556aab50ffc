#pragma once

#include <QString>

#include <functional>

class XControl;

// Type numbers 0 to 37 with their keys and classes. A class joins the factory when its
// family registers it; until then CreateElement returns null for its number.
namespace TypeRegistry {

inline constexpr int kTypeCount = 38;
inline constexpr int kPage = 0;
inline constexpr int kSubPage = 1;
inline const QString kCustomKey = QStringLiteral("CUSTOM");

using Creator = XControl* (*)();
void RegisterElementType(int typeNumber, Creator creator);
bool HasClass(int typeNumber);
// Menu command that creates elements of a type, 0 for types without one.
int MenuCommandForType(int typeNumber);
// Type number a control-creation command selects, -1 for other commands.
int TypeForMenuCommand(int commandId);

}

XControl* CreateElement(int typeNumber);
QString GetTypeKey(int typeNumber);
// The first "KEY-n" (n = 0, 1, ...) for which exists returns false.
QString MakeUniqueName(int typeNumber, const std::function<bool(const QString&)>& exists);
