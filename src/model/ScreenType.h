#pragma once

#include <QString>

// A named project size in pixels.
struct ScreenType {
    QString name;
    int width = 0;
    int height = 0;
};
