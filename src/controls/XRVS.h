#pragma once

#include "XPlaceholder.h"

// A connection to an RVS video platform: one server and the credentials.
class XRVS : public XPlaceholder {
public:
    int GetType() const override { return ElementType::kRVS; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;

    QString serverAddress;
    int serverPort = 8080;
    QString userName;
    QString password;
};

// The E8 (MeiDian) platform: settings, list and record exactly those of XRVS.
class XMeiDian : public XRVS {
public:
    int GetType() const override { return ElementType::kMeiDian; }
};
