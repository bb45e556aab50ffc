#pragma once

#include "base/IntRect.h"

#include <QPoint>
#include <QSet>

class XControl;
class XPage;

// A rubber band dragged over a page: the unlocked visible controls lying wholly inside it
// are selected, besides those that were selected when it began if it adds to them.
class BandSelection {
public:
    void Begin(XPage& page, QPoint start, bool additive);
    void Update(QPoint point);
    void End();
    bool IsActive() const { return page != nullptr; }
    // Whether the pointer has left the start point since Begin.
    bool HasMoved() const { return moved; }
    IntRect Rect() const { return rect; } // ordered, page coordinates

private:
    XPage* page = nullptr;
    QPoint start;
    IntRect rect;
    bool moved = false;
    QSet<const XControl*> kept;
};
