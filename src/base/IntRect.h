#pragma once

#include <QRect>
#include <algorithm>

// A rectangle with exclusive right and bottom edges, as the design's coordinates use
// them (QRect's right() is inclusive, which would shift every edge by one).
struct IntRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    IntRect Normalized() const
    {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }
    IntRect Inflated(int d) const { return {left - d, top - d, right + d, bottom + d}; }
    QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
    QRectF ToQRectF() const { return QRectF(left, top, right - left, bottom - top); }
    bool operator==(const IntRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const IntRect& o) const { return !(*this == o); }
};
