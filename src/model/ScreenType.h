#pragma once

#include <QString>

// A named project size in pixels.
struct ScreenType {
    QString name;
    int width = 0;
    int height = 0;
};

// Project and sub-page sizes lie in 200..5000 pixels each way.
inline constexpr int kMinProjectSize = 200;
inline constexpr int kMaxProjectSize = 5000;

// Shows the width (209) or height (210) range message for a size outside the range;
// true when both lie inside it.
bool CheckProjectSize(int width, int height);
