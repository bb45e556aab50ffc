#pragma once

#include <QImage>
#include <QRect>

#include <functional>

class ControlMainDelegate;
class PreviewModel;
class QPainter;
class XControl;
class XPage;

// Draws pages as the preview shows them, with the controls' own drawing code at the
// zoom of their delegate: the design view's picture, but with every button in the look
// the state gives it, every page container showing the sub-page the state gives it, and
// the level of every slider and bar laid over its placeholder.
struct PreviewLooks {
    std::function<bool(const XControl*)> pressed;  // a button shows its pressed look
    std::function<XPage*(const XControl*)> subPage; // null: the container's own drawing
    std::function<int(const XControl*)> level;      // below 0: no level drawn
    bool containers = true; // false leaves their areas undrawn (the prototype lays sub-pages there)
    // Set: only the controls stacked above it are drawn, on no background (what covers a
    // sub-page laid into a container).
    const XControl* above = nullptr;
};

namespace PreviewRenderer {

// The looks of the model's state.
PreviewLooks LooksOf(const PreviewModel& model);

// Draws the page at its delegate's zoom, its top-left corner where the painter maps the
// page's own; only the controls reaching into area (page coordinates) when it is not empty.
void DrawPage(QPainter& painter, XPage& page, const PreviewLooks& looks, const QRect& area = QRect(),
              int depth = 0);

// The page shown by the model, whole.
QImage RenderShownPage(const PreviewModel& model);

// The level marker: a band from the start of the control to the level and a line at it.
void DrawLevel(QPainter& painter, const XControl& control, int level);

}
