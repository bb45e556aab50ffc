#pragma once

// The tool modes shared by all design views: a type number (0 to 37) arms the creation
// of that element type; the values below select or arm a brush.
namespace ToolMode {
inline constexpr int kSelect = 101;
inline constexpr int kFirstBrush = 102;
inline constexpr int kSendCodeBrush = 102;
inline constexpr int kColourBrush = 103;
inline constexpr int kFontBrush = 104;
inline constexpr int kTextBrush = 105;
inline constexpr int kInterlockBrush = 106;
inline constexpr int kAddressBrush = 107;
inline constexpr int kFormatBrush = 108;
inline constexpr int kStreamBrush = 109;
inline constexpr int kLastBrush = 109;
inline bool IsBrush(int mode) { return mode >= kFirstBrush && mode <= kLastBrush; }
}
