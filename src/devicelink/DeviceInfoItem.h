#pragma once

#include <QList>
#include <QString>

// One video device of a scrolling video preview: its ID and name, each unique within the
// list, and the RTSP addresses of its streams (the ultra-high-definition one may be empty).
struct DeviceInfoItem {
    QString previewAddress;
    QString hdAddress;
    QString uhdAddress;
    QString name;
    QString id;
};

// The list as its owner keeps it: display order, items owned by the owner.
using DeviceInfoList = QList<DeviceInfoItem*>;
