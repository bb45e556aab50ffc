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
