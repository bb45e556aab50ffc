#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class ProjectData;
class XControl;
class XPage;

// One thing that would go wrong on the panel (an error) or looks unintended (a warning).
struct CheckFinding {
    enum class Severity { Error, Warning };

    Severity severity = Severity::Error;
    QString kind;            // stable identifier of the rule, for scripts
    const XPage* page = nullptr;       // null for findings about the whole project
    const XControl* element = nullptr; // null for findings about a page or the project
    QString pageName;
    QString elementName;
    QString textKey;         // translation key of the message, formatted with args
    QStringList args;

    bool IsError() const { return severity == Severity::Error; }
    // The message in the current language.
    QString Text() const;
};

// Reads a loaded project through its elements' field and property tables and reports
// what would fail on the panel: pages that share a name or are named "NONE",
// references that do not resolve, missing and unused
// images, controls off their page or without area, sub-pages larger than their
// containers and containers that show each other in a loop, text images written over
// each other, send codes shared outside an interlock group, addresses the panel cannot
// use, values out of their range, and a package larger than the archive format holds.
// Errors come before warnings; within each, project order.
struct PackageLimits {
    size_t maxEntries;
    quint64 maxSize;
};
std::vector<CheckFinding> CheckProject(const ProjectData& project);
// The same against other package limits than the archive format's (for tests).
std::vector<CheckFinding> CheckProject(const ProjectData& project, const PackageLimits& limits);
