#pragma once

#include <QImage>
#include <QRgb>

#include <gtest/gtest.h>

// Pictures painted by code are not bit-identical across machines: Qt's raster engine
// picks its blending code by processor, so anti-aliased edges and gradients may come out
// a step apart per channel. Compare such pictures with this, never pixel for pixel.
struct PictureTolerance {
    // Largest difference of one channel (alpha included) that is still raster noise.
    int channelSteps = 3;
    // Pixels off by more than one step: at least this many may be ...
    int minDifferingPixels = 64;
    // ... or this share of the picture, whichever is more.
    double differingShare = 0.01;
    // Pixels off by one step (rounding in another blending path, common in gradients)
    // may make up this share of the picture.
    double oneStepShare = 0.5;
};

// Whether two colours lie within the tolerance's channel steps of each other.
bool PixelsClose(QRgb a, QRgb b, const PictureTolerance& tolerance = {});

// Same size, every pixel within the channel steps, and few pixels that differ: a shape
// that moved or changed colour fails on the steps, a picture that became a shade lighter
// all over fails on the counts.
::testing::AssertionResult PicturesMatch(const QImage& actual, const QImage& expected,
                                         const PictureTolerance& tolerance = {});
