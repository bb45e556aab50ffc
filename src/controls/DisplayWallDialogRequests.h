#pragma once

#include <QString>
#include <QStringList>

// What code without widgets hands to Ui().RunDialog to edit the screens of a display
// wall; the dialogs live in controls/ui. Both return 1 when closed with OK.

// One screen: its address, its two resolutions and its address group. On OK the fields
// hold the edited values.
struct DisplayWallScreenDialogRequest {
    static QString Name() { return QStringLiteral("displaywallscreen"); }
    QString ipAddress;
    int horizontalResolution = 0;
    int verticalResolution = 0;
    QStringList ipGroup;
};

// A screen's address group, edited in place.
struct IPGroupDialogRequest {
    static QString Name() { return QStringLiteral("ipgroup"); }
    QStringList* ipGroup = nullptr;
};
