#pragma once

#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class XPage;

// A small venue for the overview, find and replace and the code list, built in code in a
// folder:
//   Home (page, group "Scenes"): Day (button, code 10, Scenes, jumps to Lights, lamp.png),
//       Night (button, code 10, Scenes), Power and Power2 (buttons, code 20, no group),
//       Box (container showing Panel), Title (font text "Welcome")
//   Lights (page): Dimmer (slider, code 30), Back (button, code 10, jumps to Home),
//       Broken (button jumping to "Nowhere"), Cam (video frame with a stream), Lamp (picture
//       of lamp.png)
//   Orphan (page, reached by nothing): Note (font text "Welcome back")
//   Panel (sub-page shown by Box), Spare (sub-page shown by nothing)
//   images: lamp.png (used), spare.png (listed, unused), stray.png (in the folder only)
struct OverviewExample {
    explicit OverviewExample(const QString& folder);
    bool Save() { return project->SaveProjectFile(); }
    XPage* Page(const QString& name) const;

    HeadlessMainDelegate delegate;
    std::unique_ptr<ProjectData> project;
};

// Lines for a failure message.
inline std::string Joined(const QStringList& lines)
{
    return lines.join(u'\n').toStdString();
}
