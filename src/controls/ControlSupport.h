#pragma once

#include <QString>
#include <QStringList>

#include "model/PropertyRows.h"

class CMFCMyPropertyGridProperty;
class PropertyGridModel;
class XControl;
class XPage;
class ControlProjectDataDelegate;
class XPhoto;

// Helpers shared by the control classes: the common rows of a property list, range
// checks with their messages, and the project look-ups controls need.
namespace ControlSupport {

inline const QString kNone = QStringLiteral("NONE");

// The range check, option index, translated option lists and row owners of the property
// rows, for the few rows written by hand.
using PropertyHelpers::AcceptInt;
using PropertyHelpers::ChosenIndex;
using PropertyHelpers::SetOwner;
using PropertyHelpers::Translated;

// True when name is an image file inside the project's image folder (a plain file name
// that exists there). Names that could reach outside the folder never count.
bool ProjectImageExists(const ControlProjectDataDelegate* project, const QString& name);
// The full path of a project image, or empty for "NONE", a name that is not a plain file
// name, or a control without project.
QString ProjectImagePath(const ControlProjectDataDelegate* project, const QString& name);
// "NONE" for a name the project does not hold as an image.
QString ImageOrNone(const ControlProjectDataDelegate* project, const QString& name);
// Lets the user pick a file with the control's image filter and takes it into the
// project: the name it is kept under, or empty when nothing was taken.
QString ChooseProjectImage(XPhoto& control);
// The same, then stores the name in the control's image field, recording the change for
// undo; the size stays as it is. False when nothing changed.
bool ChooseImageInto(XPhoto& control, void (*set)(XPhoto&, const QString&));

}

// A reference to a page or sub-page of the project, kept as a name (what the file stores)
// and the page's serial (what follows renames). Nothing here ever dereferences a page
// that may be gone: the page is looked up among the project's pages by serial, and a
// serial no page carries any more falls back to the name, so a snapshot taken before a
// page was deleted cannot bring that page back.
struct PageReference {
    QString name = QStringLiteral("NONE");
    quint64 serial = 0;

    // The page referred to, or null.
    XPage* Target(const ControlProjectDataDelegate* project) const;
    // The current name of the page referred to (it may have been renamed), else the kept name.
    QString CurrentName(const ControlProjectDataDelegate* project) const;
    bool IsNone() const { return name == ControlSupport::kNone && serial == 0; }
    void Set(const XPage* page);
    void Clear() { Set(nullptr); }
    // After loading: look the name up; a name that does not resolve is kept as it is.
    void Resolve(const ControlProjectDataDelegate* project);
    // After an undo: look the current name up again; a name that no longer resolves
    // becomes "NONE".
    void Refresh(const ControlProjectDataDelegate* project);
    // Takes the other's current name and resolves it in this project.
    void CopyFrom(const PageReference& other, const ControlProjectDataDelegate* otherProject,
                  const ControlProjectDataDelegate* project);
    // The page is being deleted: true when this referred to it and is now "NONE".
    bool Forget(const XPage* page);
    // A page row's edit: "NONE" or a page of the project; another name puts the present
    // one back into the row. True when the reference changed.
    bool Apply(const ControlProjectDataDelegate* project, CMFCMyPropertyGridProperty& property);
    // The options of a page row: "NONE" and the project's pages.
    static void FillOptions(const ControlProjectDataDelegate* project, CMFCMyPropertyGridProperty& property);
};
