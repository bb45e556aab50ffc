#pragma once

#include "RowEdit.h"

#include <QList>

class PropertyGridModel;
class CMFCMyPropertyGridProperty;
class XControl;

// Editing several controls of one page at once through the property grid: the rows they
// all have, and an edit that reaches all of them or none.
namespace MultiEdit {

// The rows every control has (same row id, kind and choices), in the first control's
// order. A value that differs between them is shown empty. Left out: the name (names are
// unique on a page, so one name for all cannot be taken) and rows edited only through a
// control's own dialog; a list whose button opens a dialog keeps its list, without the
// button, except an image row, whose chooser serves all. The rows have no owner.
void FillCommon(const QList<XControl*>& controls, PropertyGridModel& grid);

// Applies the edited row to every control as one undo step on their page. When one of
// them refuses the value (it has shown its message, once, as the first refusal stops the
// edit), those already changed are put back and no step is recorded.
RowEdit::Result Apply(const QList<XControl*>& controls, const CMFCMyPropertyGridProperty& edited);

}
