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

bool Apply(XControl& c, PropertyKind kind, quint32 id, const QVariant& value, TActionCommands& step)
{
    std::unique_ptr<XControl> before(c.Clone(true));
    CMFCMyPropertyGridProperty row(kind, QString(), value, QString(), id);
    row.owner = &c;
    if (!before || !c.ApplyEdit(row))
        return false;
    step.Add(new TControlChangeCommand(before.release(), &c));
    return true;
}

}
