#pragma once

#include "model/PropertyGridModel.h"
#include "model/PropertyRows.h"

#include <QVariant>

class TActionCommands;
class XControl;

// Edits made outside the property pane that go through an element's property rows all the
// same, so that each element checks and applies the value as it does for the pane.
namespace RowEdit {

// The element's row of that identifier when it is of that kind; null otherwise.
const PropertyRow* Find(const XControl& c, quint32 id, PropertyRowKind kind);
// Applies the value to the row and adds the change to the undo step; false when the element
// refused it or nothing changed (the step is then left as it was).
bool Apply(XControl& c, PropertyKind kind, quint32 id, const QVariant& value, TActionCommands& step);

}
