#pragma once

#include <QImage>

class ControlMainDelegate;
class XPage;

// The top-left width × height project pixels of a page drawn as its design view draws
// it, at the zoom of the delegate and without selection marks: what a page container
// shows of its sub-page and what pictures of a page are made from.
QImage RenderPageImage(XPage& page, const ControlMainDelegate& delegate, int width, int height);
// The whole page.
QImage RenderPageImage(XPage& page, const ControlMainDelegate& delegate);

// While a paint pass is open, the picture of a page at a given size and zoom is made once
// and reused by every container that shows it in that pass (nothing changes in the middle
// of a paint, and a page full of containers showing one sub-page would otherwise draw it
// for each of them). The design view opens one around each paint; passes nest, and the
// pictures are dropped when the outermost one closes.
class PagePaintPass {
public:
    PagePaintPass();
    ~PagePaintPass();
    PagePaintPass(const PagePaintPass&) = delete;
    PagePaintPass& operator=(const PagePaintPass&) = delete;
};
