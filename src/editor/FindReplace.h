#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class ProjectData;
class XPage;

// What a search looks at in each control.
enum class FindField { Name, Text, SendCode, Image, StreamAddress };

struct FindQuery {
    FindField field = FindField::Name;
    // A part of the value; for send codes one code or a range such as 10-20. Empty finds
    // every control that has the field at all.
    QString text;
    bool matchCase = false;
    const XPage* page = nullptr; // only this page; null for every page
};

// A control found, named by page and name: whoever acts on it looks it up again.
struct FindHit {
    QString page;
    QString element;
    int type = 0;
    QString value; // the values that matched
};

struct ReplaceOutcome {
    int changed = 0;
    int pages = 0;       // pages that got an undo step
    QStringList refused; // "page / element": a name taken on its page, or a text the control refuses
};

// Finding controls by name, text, send code, image or stream address across the project or
// one page, replacing in names and texts, and numbering send codes. Edits go through the
// controls' property rows, as the property pane's do, and each page they touch gets one
// undo step.
namespace FindReplace {

std::vector<FindHit> Find(const ProjectData& project, const FindQuery& query);
bool CanReplace(FindField field);
// Replaces every occurrence of the query's text in the names or texts it finds.
ReplaceOutcome Replace(ProjectData& project, const FindQuery& query, const QString& replacement);
// Gives the selected controls of the page that have a send code the codes start, start + 1,
// ... in their order on the page, continuing at 1 after the highest code. Returns how many.
int RenumberSelected(XPage& page, int start);

}
