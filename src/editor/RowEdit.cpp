#include "RowEdit.h"

#include "model/TActionCommand.h"
#include "model/XControl.h"

#include <memory>

namespace RowEdit {

const PropertyRow* Find(const XControl& c, quint32 id, PropertyRowKind kind)
{
    const PropertyTable* table = c.Properties();
    const PropertyRow* row = table ? table->Find(id) : nullptr;
    return row && row->kind == kind ? row : nullptr;
}

Result Try(XControl& c, PropertyKind kind, quint32 id, const QVariant& value, TActionCommands& step)
{
    // A text is compared as the element keeps it, or trimming it would look like a refusal.
    QVariant asked = value;
    const PropertyTable* table = c.Properties();
    if (const PropertyRow* declared = table ? table->Find(id) : nullptr; declared && declared->normalise)
        asked = declared->normalise(value.toString());
    std::unique_ptr<XControl> before(c.Clone(true));
    if (!before)
        return Result::Refused;
    CMFCMyPropertyGridProperty row(kind, QString(), asked, QString(), id);
    row.owner = &c;
    if (c.ApplyEdit(row)) {
        step.Add(new TControlChangeCommand(before.release(), &c));
        return Result::Changed;
    }
    // An element that refuses puts the value it keeps back into the row.
    return row.GetValue().toString() == asked.toString() ? Result::Unchanged : Result::Refused;
}

bool Apply(XControl& c, PropertyKind kind, quint32 id, const QVariant& value, TActionCommands& step)
{
    return Try(c, kind, id, value, step) == Result::Changed;
}

}
