#pragma once

#include <QList>
#include <QString>

// One channel of a video combo box: its name and the RTSP addresses of its streams (the
// ultra-high-definition one may be empty).
struct VideoChannel {
    QString previewAddress;
    QString hdAddress;
    QString uhdAddress;
    QString name;

    bool operator==(const VideoChannel& o) const
    {
        return previewAddress == o.previewAddress && hdAddress == o.hdAddress && uhdAddress == o.uhdAddress
            && name == o.name;
    }
    bool operator!=(const VideoChannel& o) const { return !(*this == o); }
};

using VideoChannelList = QList<VideoChannel>;
