#pragma once

#include <QString>
#include <QStringList>

// One screen of a display wall: the address of its device, its resolution, its place in
// the wall and the further addresses of the screen.
struct DisplayWallScreen {
    static constexpr int kDefaultHorizontal = 1920;
    static constexpr int kDefaultVertical = 1080;

    QString ipAddress;
    int horizontalResolution = kDefaultHorizontal;
    int verticalResolution = kDefaultVertical;
    int row = 0;
    int column = 0;
    QStringList ipGroup;

    bool operator==(const DisplayWallScreen& o) const
    {
        return ipAddress == o.ipAddress && horizontalResolution == o.horizontalResolution
               && verticalResolution == o.verticalResolution && row == o.row && column == o.column
               && ipGroup == o.ipGroup;
    }
    bool operator!=(const DisplayWallScreen& o) const { return !(*this == o); }
};
