#pragma once

#include <QList>
#include <QString>

#include <utility>

class ProjectData;
class XControl;

// Locking controls against the mouse in the design view, and the locks of a project by
// the names of their pages and controls, as they are kept beside the project.
namespace ControlLocks {

// A locked control: its page's name and its own.
using Name = std::pair<QString, QString>;

// Locks or unlocks the controls; a control that becomes locked is deselected. True when
// any of them changed.
bool Apply(const QList<XControl*>& controls, bool locked);
// The locked controls of every page of the project, in project and stacking order.
QList<Name> Collect(const ProjectData& project);
// Locks the named controls of the project; names that name nothing are passed over.
void Restore(ProjectData& project, const QList<Name>& names);

}
