#pragma once

#include "support/TestProject.h"

#include "editor/DesignViewLogic.h"

#include <gtest/gtest.h>

#include <memory>

// A page of an in-memory project shown by the design-view logic, with the scripted main
// frame behind it.
class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        liveBefore = TestControl::live;
        t = std::make_unique<TestProject>();
        page = t->AddPage(QStringLiteral("PAGE-0"));
        ASSERT_NE(page, nullptr);
        view = std::make_unique<DesignViewLogic>(page, &t->delegate);
        view->SetRepaint([this] { ++repaints; });
        t->delegate.onSelect = [this](XControl* c) { view->SetFocusControl(c); };
    }
    void TearDown() override
    {
        view.reset();
        t.reset();
        EXPECT_EQ(TestControl::live, liveBefore);
    }

    TestControl* Add(int type, int x1, int y1, int x2, int y2)
    {
        return t->Add(page, type, x1, y1, x2, y2);
    }
    void Press(QPoint p, ViewKeys keys = {})
    {
        view->Hover(p);
        view->LeftButtonDown(p, keys);
    }
    void Click(QPoint p, ViewKeys keys = {})
    {
        Press(p, keys);
        view->LeftButtonUp(p, keys);
    }
    // Button down at from, one movement per point, button up at the last point.
    void Drag(QPoint from, std::initializer_list<QPoint> path, ViewKeys keys = {})
    {
        Press(from, keys);
        keys.leftButton = true;
        QPoint last = from;
        for (const QPoint& p : path) {
            view->LeftButtonMove(p, keys);
            last = p;
        }
        keys.leftButton = false;
        view->LeftButtonUp(last, keys);
    }
    static ViewKeys Ctrl()
    {
        ViewKeys k;
        k.ctrl = true;
        return k;
    }
    static ViewKeys Shift()
    {
        ViewKeys k;
        k.shift = true;
        return k;
    }
    static IntRect Rect(const XControl* c) { return {c->x1, c->y1, c->x2, c->y2}; }

    int liveBefore = 0;
    int repaints = 0;
    std::unique_ptr<TestProject> t;
    XPage* page = nullptr;
    std::unique_ptr<DesignViewLogic> view;
};
