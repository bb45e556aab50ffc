#pragma once

#include "base/IntRect.h"

#include <QPoint>

// The zoom shared by all design views and the mapping between page and view
// coordinates. The main frame keeps the factor; these are the rules it applies.
namespace ViewZoom {

inline constexpr double kMinZoom = 0.25;
inline constexpr double kMaxZoom = 4.0;
inline constexpr double kDefaultZoom = 1.0;
// Wheel zoom accepts at most one step per this many milliseconds.
inline constexpr unsigned kWheelInterval = 200;

// Page to view: each coordinate times the zoom, truncated toward zero.
int PageToView(int p, double zoom);
QPoint PageToView(QPoint p, double zoom);
IntRect PageToView(const IntRect& r, double zoom);
// View to page: each coordinate divided by the zoom, truncated toward zero.
int ViewToPage(int v, double zoom);
QPoint ViewToPage(QPoint v, double zoom);

// The zoom after one wheel step: half steps at and above 1, quarter steps below, kept
// within 0.25 and 4. A positive delta zooms in.
double ZoomAfterStep(double zoom, int delta);
// Whether two zoom factors differ enough to refit the views.
bool ZoomDiffers(double a, double b);

// The zoom in and zoom out commands go through these steps, from 0.25 to 4.
inline constexpr double kZoomLadder[] = {0.25, 0.33, 0.5, 0.67, 0.75, 1.0, 1.25, 1.5, 2.0, 2.5, 3.0, 4.0};
// The next step above (below) the zoom; the last (first) step at the end of the ladder.
double ZoomIn(double zoom);
double ZoomOut(double zoom);
// The largest zoom, within 0.25 and 4, at which a page of the given size fits into an
// area of the given size.
double FitZoom(int pageWidth, int pageHeight, int areaWidth, int areaHeight);

}
