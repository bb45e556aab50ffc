#pragma once

#include "ScriptedViewDelegate.h"
#include "TestControl.h"
#include "model/ProjectData.h"
#include "model/XPage.h"

// A project in memory with the scripted main frame, for tests of pages, undo and the
// design view. The delegate outlives the project.
struct TestProject {
    ScriptedViewDelegate delegate;
    ProjectData project;

    explicit TestProject(int width = 800, int height = 600)
    {
        project.mainDelegate = &delegate;
        project.screen = {QStringLiteral("test"), width, height};
    }

    XPage* AddPage(const QString& name, int type = 0)
    {
        return project.NewPage(type, name);
    }

    // A test control added to the page (it gets the page's links and a fresh name).
    TestControl* Add(XPage* page, int type, int x1, int y1, int x2, int y2)
    {
        TestControl* c = MakeTestControl(type, x1, y1, x2, y2);
        page->AddControl(c);
        return c;
    }
};
