#pragma once

#include "ScreenType.h"

#include <QtGlobal>

#include <algorithm>

// Bounds on the work a loaded file can cause. The file format holds 32-bit coordinates
// and 16-bit sizes and counts; the editor draws and renders only what fits its biggest
// page, so everything a file drives is cut to these before it allocates or loops.
namespace WorkLimits {

// A text image, a rendered page picture or a sub-page picture is never larger than the
// biggest page the editor allows, at any zoom in project pixels.
inline constexpr int kMaxImageSide = kMaxProjectSize;

// Coordinates further out than this are refused when a file is loaded: no panel page
// reaches them, and the editor's arithmetic on them (sizes, zoom, scaling to a new
// project size) must stay inside int.
inline constexpr int kMaxCoordinate = 1000000;

// A glyph taller than the biggest page cannot be shown anywhere: 3750 points are 5000
// pixels at the panel's 96 dots per inch.
inline constexpr double kMaxFacePoints = 3750.0;

// A picture scaled for drawing is made at most this big; beyond it the painter scales
// while it draws, which costs only the pixels that land on the device.
inline constexpr qint64 kMaxScaledPixels = qint64(kMaxImageSide) * kMaxImageSide;

inline bool CoordinateInRange(qint64 v)
{
    return v >= -kMaxCoordinate && v <= kMaxCoordinate;
}

inline int ClampImageSide(qint64 v)
{
    return static_cast<int>(std::clamp<qint64>(v, 0, kMaxImageSide));
}

}
