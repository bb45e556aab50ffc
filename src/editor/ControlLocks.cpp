#include "ControlLocks.h"

#include "model/ProjectData.h"
#include "model/XPage.h"

#include <QHash>

namespace ControlLocks {

bool Apply(const QList<XControl*>& controls, bool locked)
{
    bool changed = false;
    for (XControl* c : controls) {
        if (!c || c->locked == locked)
            continue;
        c->locked = locked;
        if (locked)
            c->selected = false;
        changed = true;
    }
    return changed;
}

QList<Name> Collect(const ProjectData& project)
{
    QList<Name> names;
    for (const XPage* page : project.pages)
        for (const XControl* c : page->controls)
            if (c->locked)
                names.append({page->name, c->name});
    return names;
}

void Restore(ProjectData& project, const QList<Name>& names)
{
    // One look-up table per page instead of a walk of the page for every name.
    QHash<QString, QHash<QString, XControl*>> byPage;
    for (XPage* page : project.pages) {
        QHash<QString, XControl*>& controls = byPage[page->name];
        for (XControl* c : page->controls)
            controls.insert(c->name, c);
    }
    for (const Name& name : names) {
        const auto page = byPage.constFind(name.first);
        if (page == byPage.constEnd())
            continue;
        if (XControl* c = page->value(name.second))
            c->locked = true;
    }
}

}
