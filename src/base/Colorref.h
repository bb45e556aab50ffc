#pragma once

#include <QColor>
#include <cstdint>

// Colours stay in the Windows COLORREF layout (0x00BBGGRR) throughout the model and
// the project file; they become QColor only at the painter.
using COLORREF = std::uint32_t;

constexpr COLORREF MakeRgb(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

inline QColor ToQColor(COLORREF c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
inline COLORREF FromQColor(const QColor& c) { return MakeRgb(c.red(), c.green(), c.blue()); }
