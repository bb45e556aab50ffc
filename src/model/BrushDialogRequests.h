#pragma once

#include <QString>

// What the main frame hands to Ui().RunDialog for the two brushes whose dialogs belong
// to control families: "address" (display-wall screen addresses) and "stream" (stream
// addresses of video previews and hyperlinks). On OK (result 1) the fields hold the
// values chosen.
struct AddressDialogRequest {
    static QString Name() { return QStringLiteral("address"); }
    QString title;
    quint32 address = 0; // IPv4, most significant byte first
};

struct StreamDialogRequest {
    quint32 address = 0;
    int streamCount = 2; // 2 or 3 stream URLs
};
