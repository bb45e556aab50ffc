#pragma once

#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"

#include <memory>

// A copy of a project's pages and controls that the preview runs and draws. The preview
// sets looks, levels and sub-pages on the copy only, so the project itself is never
// touched: no undo step, no modified mark, no file written. Drawing goes through the
// copy's own delegate, whose zoom is the preview's scale (not the design view's).
class PreviewSnapshot {
public:
    // Copies every page, sub-page, interlock group and control of the project as it is now.
    explicit PreviewSnapshot(const ProjectData& source);
    ~PreviewSnapshot();
    PreviewSnapshot(const PreviewSnapshot&) = delete;
    PreviewSnapshot& operator=(const PreviewSnapshot&) = delete;

    ProjectData& Project() { return *project; }
    const ProjectData& Project() const { return *project; }
    HeadlessMainDelegate& Delegate() { return delegate; }
    XPage* FindPage(const QString& name) const { return project->FindPage(name); }
    // The page the preview starts on: the named one when it exists, else the first page
    // (not sub-page) of the project, else the first of any kind; null for no pages.
    XPage* StartPage(const QString& preferred = QString()) const;

private:
    HeadlessMainDelegate delegate;
    std::unique_ptr<ProjectData> project;
};
