#pragma once

#include <QString>

// The folder chosen for a new project, checked alike by the new-project dialog and by
// `mvltool new`. A project is named after its folder and its data file after the
// project, so the folder's last component must give a name that packing keeps: not
// empty ("/", "x/.mvl") and not hidden ("x/.backup", "x/..a").
namespace NewProjectFolder {

// The absolute, clean folder of a typed path; empty when it names no project.
QString Resolve(const QString& typed);
// The data file a new project in folder would write over, or empty when none is there.
QString ExistingDataFile(const QString& folder);

} // namespace NewProjectFolder
