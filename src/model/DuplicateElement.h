#pragma once

#include <functional>

class XControl;

// Makes the element of a type number; the registry's factory unless a caller (a test
// with its own control classes) brings another.
using ElementFactory = std::function<XControl*(int typeNumber)>;

// A new element of the source's type holding its contents. A page or sub-page is made
// by the source's project, under that project's next free name, which it keeps unless
// withIdentity (it is then already in the project's list; null without a project). Any
// other element is made by the factory and filled by CopyFrom; it belongs to no page yet.
// Null when the source is null or its type cannot be made.
XControl* DuplicateElement(XControl* element, bool withIdentity, const ElementFactory& create = {});
