#include "DialogRegistry.h"

#include <QHash>

namespace {
QHash<QString, DialogRunner>& Table()
{
    static QHash<QString, DialogRunner> table;
    return table;
}
}

namespace DialogRegistry {

void Register(const QString& name, DialogRunner runner)
{
    Table().insert(name, std::move(runner));
}

DialogRunner Find(const QString& name)
{
    return Table().value(name);
}

}
