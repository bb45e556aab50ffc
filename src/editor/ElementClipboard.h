#pragma once

#include "model/DuplicateElement.h"

#include <QString>

#include <memory>
#include <vector>

class ProjectData;
class XControl;
class XPage;

// The editor's internal clipboard: copies of controls, each with the project it came
// from, pasted as one undo step onto any page of any open project. A paste into another
// project carries the images the copy shows into that project's image folder and cuts
// its references, which name pages and controls that the other project does not have.
class ElementClipboard {
public:
    explicit ElementClipboard(ElementFactory create = {});
    ~ElementClipboard();
    ElementClipboard(const ElementClipboard&) = delete;
    ElementClipboard& operator=(const ElementClipboard&) = delete;

    // Replaces the contents by copies (without identity) of the page's selected
    // controls, in stacking order.
    void Copy(XPage* page);
    // Adds a copy of every entry on top of the page at the entries' coordinates, as one
    // undo step: each keeps the name it was copied under where the page has no control
    // of that name, else takes the first free one. The copies are left selected, alone.
    // The clipboard keeps its entries. False when nothing was added (the caller repaints
    // otherwise).
    bool Paste(XPage* page);
    int Count() const { return static_cast<int>(entries.size()); }
    void Clear();

    // A page is going away: the copies drop their references into it.
    void ForgetPage(const XPage* page);
    // A project is closing: its copies stay and paste as if from another project.
    void ForgetProject(const ProjectData* project);

    // The cross-project rules, applied to a copy about to join the target project.
    static void CutReferences(XControl& copy, ProjectData* source);
    static void CarryImages(const XControl& copy, const QString& sourceFolder, ProjectData& target);

private:
    struct Entry {
        std::unique_ptr<XControl> control;
        QString name;         // the name it was copied under
        QString sourceFolder; // folder of the project the control was copied from
        ProjectData* source;  // that project while it is open, else null
    };

    bool FromOtherProject(const Entry& entry, const ProjectData* target) const;

    ElementFactory create;
    std::vector<Entry> entries;
};
