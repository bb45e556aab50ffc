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
enum class Result { Changed, Unchanged, Refused };
// Applies the value to the row and adds the change to the undo step. Unchanged: the element
// had the value already; Refused: it would not take it (its message, if any, has been
// shown). The step is left as it was unless the element changed.
Result Try(XControl& c, PropertyKind kind, quint32 id, const QVariant& value, TActionCommands& step);
// Try; false when the element refused the value or nothing changed.
bool Apply(XControl& c, PropertyKind kind, quint32 id, const QVariant& value, TActionCommands& step);

}
