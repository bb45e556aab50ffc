#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

class ProjectData;
class XControl;
class XPage;

// The project's images as a library: files taken in several at a time, and an image put on
// a page, either onto a control that shows one or as a new picture of the image's size.
namespace ImageLibrary {

// The image chooser's filter ("description|patterns||").
QString Filter();
// Whether the file's extension is one of the filter's patterns.
bool FilterAccepts(const QString& filter, const QString& path);

struct ImportOutcome {
    QStringList taken;   // copied into the image folder now
    QStringList present; // the project already had an image of that name (left as it was)
    QStringList refused; // not an image file, or the copy failed (the project said why)
};
// Copies the files into the project's image folder under their own names, as the image
// chooser does.
ImportOutcome Import(ProjectData& project, const QStringList& paths);

// The image file dropped at a page point: a control there that shows an image gets it (one
// undo step); anywhere else, a control as large as the page (a backdrop) included, a new
// picture of the image's size is placed with its top-left corner at the point (one undo
// step). The file is taken into the project first when it is
// not there. Returns the control changed or made, null when nothing happened.
XControl* Drop(XPage& page, QPoint at, const QString& path);

}
