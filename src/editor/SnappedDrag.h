#pragma once

#include "SnapEngine.h"

#include <QList>
#include <QPoint>

#include <vector>

class XControl;
class XPage;

// A mouse drag that moves the selected controls or one end of a control. The pointer's
// steps add up to an offset from where the controls were when the drag began; each step
// puts them at that place plus the offset, snapped unless snapping is off for the step.
class SnappedDrag {
public:
    static constexpr int kMoveAll = 0;
    static constexpr int kStartPoint = 1; // handle codes of a control's two ends
    static constexpr int kEndPoint = 9;

    // what: kMoveAll moves the controls; a handle code moves that end of the first one.
    // settings may be null (no snapping).
    void Begin(XPage& page, const QList<XControl*>& controls, int what, const LayoutSettings* settings,
               int tolerance);
    // One step of the pointer. allowX or allowY false keeps that coordinate where the
    // previous step left it (the V and H keys); free turns snapping off for the step.
    void Step(QPoint delta, bool allowX, bool allowY, bool free);
    void End();
    bool IsActive() const { return page != nullptr; }
    // The controls being dragged that are still on the page.
    QList<XControl*> Controls() const;
    const std::vector<GuideLine>& Guides() const { return engine.Guides(); }
    SnapEngine& Engine() { return engine; }

private:
    struct Start {
        XControl* control;
        int x1, y1, x2, y2;
    };

    XPage* page = nullptr;
    std::vector<Start> starts;
    int what = kMoveAll;
    QPoint offset;  // the pointer's, restricted by the keys
    QPoint applied; // what the controls were given last
    IntRect box;    // the moved controls' union where they began
    SnapEngine engine;
};
