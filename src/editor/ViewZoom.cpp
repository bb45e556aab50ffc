#include "ViewZoom.h"

#include <algorithm>
#include <cmath>

namespace ViewZoom {

namespace {
constexpr double kEpsilon = 1e-6;
}

int PageToView(int p, double zoom)
{
    return static_cast<int>(std::trunc(p * zoom));
}

QPoint PageToView(QPoint p, double zoom)
{
    return {PageToView(p.x(), zoom), PageToView(p.y(), zoom)};
}

IntRect PageToView(const IntRect& r, double zoom)
{
    return {PageToView(r.left, zoom), PageToView(r.top, zoom), PageToView(r.right, zoom),
            PageToView(r.bottom, zoom)};
}

int ViewToPage(int v, double zoom)
{
    if (zoom <= 0)
        return v;
    return static_cast<int>(std::trunc(v / zoom));
}

QPoint ViewToPage(QPoint v, double zoom)
{
    return {ViewToPage(v.x(), zoom), ViewToPage(v.y(), zoom)};
}

double ZoomAfterStep(double zoom, int delta)
{
    const double step = zoom >= 1.0 ? 0.5 : 0.25;
    double next = delta > 0 ? zoom + step : zoom - step;
    if (next - kMaxZoom > kEpsilon)
        next = kMaxZoom;
    else if (next - kMinZoom < kEpsilon)
        next = kMinZoom;
    return next;
}

bool ZoomDiffers(double a, double b)
{
    return std::fabs(a - b) > kEpsilon;
}

double ZoomIn(double zoom)
{
    for (double step : kZoomLadder)
        if (step > zoom + kEpsilon)
            return step;
    return kMaxZoom;
}

double ZoomOut(double zoom)
{
    double below = kMinZoom;
    for (double step : kZoomLadder)
        if (step < zoom - kEpsilon)
            below = step;
    return below;
}

double FitZoom(int pageWidth, int pageHeight, int areaWidth, int areaHeight)
{
    if (pageWidth <= 0 || pageHeight <= 0 || areaWidth <= 0 || areaHeight <= 0)
        return kDefaultZoom;
    const double fit = std::min(double(areaWidth) / pageWidth, double(areaHeight) / pageHeight);
    // Two decimals, rounded down, so that the zoomed page is never larger than the area.
    const double rounded = std::floor(fit * 100.0 + kEpsilon) / 100.0;
    return std::clamp(rounded, kMinZoom, kMaxZoom);
}

}
