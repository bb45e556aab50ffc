#pragma once

#include "XPlaceholder.h"

// A recording service: which recorder, and the server it reports to.
class XRecording : public XPlaceholder {
public:
    int GetType() const override { return ElementType::kRecording; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;

    int recorderId = 0;
    QString recorderName;
    QString serverAddress;
    int serverPort = 48659;
    int recordValue1 = 150;
    int recordValue2 = 100;
};

// A search box showing up to resultCount results.
class XSearch : public XPlaceholder {
public:
    XSearch() { recordVersion = 1; }
    int GetType() const override { return ElementType::kSearch; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;

    int resultCount = 10;
};

// A device-information panel with its two colours.
class XDevices : public XPlaceholder {
public:
    XDevices() { recordVersion = 1; }
    int GetType() const override { return ElementType::kDevices; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;

    COLORREF backColor = 0xFFFFFF;
    COLORREF textColor = 0;
};
