#pragma once

#include <QJsonObject>
#include <QString>

#include <functional>

class JsonFields;
class ProjectData;
class XControl;

// A project as JSON: the header values, the size, the image names and every page with
// its controls, each element with every stored field under its field table's name.
// `mvltool info` prints it; `mvltool import` builds a project from it.
namespace ProjectDescription {

QJsonObject Describe(const ProjectData& project);

// Fills an empty project (its main delegate set) from a description, with its
// references resolved as after a load. The header values are what a load reads and a
// save writes anew, so they are accepted and left aside. False with problem set to
// "place: message" when the description is refused; the project is then left empty.
bool Build(const QJsonObject& description, ProjectData& project, QString& problem);

// Whether an element of a list is a page or sub-page (the project's list) or a control
// (a page's list).
enum class ElementPlace { Page, Control };

// The list read under key, each entry a new element of its type ("type", "typeKey" or
// both) linked by link before its fields are read, as a load links it, and handed to
// keep, which owns it from then on. Names are not empty and unique in the list; "NONE"
// names no page. False, with fields failed, when an entry is refused.
bool TakeElements(JsonFields& fields, const QString& key, ElementPlace place,
                  const std::function<void(XControl*)>& link, const std::function<void(XControl*)>& keep);

}
