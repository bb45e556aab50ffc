#pragma once

#include "ElementTypes.h"

#include <QString>

#include <functional>
#include <vector>

class XControl;

// Where a type's creation command sits besides the controls menu.
enum class ToolBarSlot { None, Controls, Platform };

// The brushes of the design view that may apply to an element of a type.
namespace BrushSet {
enum : unsigned {
    SendCode = 1u << 0,
    Colour = 1u << 1,
    Font = 1u << 2,
    Text = 1u << 3,
    Interlock = 1u << 4,
    Address = 1u << 5,
    Stream = 1u << 6,
};
}

// Everything the editor knows of one element type: the type number and key of the file,
// the command that creates it (which is also the design view's creation tool: the type
// number becomes the tool mode), its menu and tool-tip text keys, its tool bar and the
// brushes that apply to it, all listed whether or not the class is built; the class is
// what the family's registration adds. The tree and tool-bar icon of a type is painted
// by the application under the same type number.
struct ElementTypeInfo {
    using Creator = XControl* (*)();

    int type = -1;
    const char* key = "";
    int menuCommand = 0;           // 0: no command
    const char* menuKey = nullptr; // null: no item in the controls menu
    const char* tipKey = nullptr;  // tool tip of its button
    ToolBarSlot bar = ToolBarSlot::None;
    Creator create = nullptr;      // null until the family registers the class
    unsigned brushes = 0;          // BrushSet flags
};

// What a control family registers for one of its classes.
struct ElementClassRegistration {
    int type;
    ElementTypeInfo::Creator create;
};

// The element types 0 to 37, in the order of the controls menu.
namespace TypeRegistry {

inline constexpr int kTypeCount = ElementType::kCount;
inline constexpr int kPage = ElementType::kPage;
inline constexpr int kSubPage = ElementType::kSubPage;
inline const QString kCustomKey = QStringLiteral("CUSTOM");

using Creator = ElementTypeInfo::Creator;

// Gives a type its class; false outside 0 to 37.
bool Register(const ElementClassRegistration& registration);
bool HasClass(int typeNumber);
// The entry of a type, null outside 0 to 37.
const ElementTypeInfo* Info(int typeNumber);
// Every entry, in the order of the controls menu.
const std::vector<ElementTypeInfo>& All();
// Menu command that creates elements of a type, 0 for types without one.
int MenuCommandForType(int typeNumber);
// Type number a control-creation command selects, -1 for other commands.
int TypeForMenuCommand(int commandId);
bool BrushApplies(int typeNumber, unsigned brush);

}

XControl* CreateElement(int typeNumber);
QString GetTypeKey(int typeNumber);
// The first "KEY-n" (n = 0, 1, ...) for which exists returns false.
QString MakeUniqueName(int typeNumber, const std::function<bool(const QString&)>& exists);
