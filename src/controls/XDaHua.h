#pragma once

#include "XPlaceholder.h"

// A connection to a HIKVISION iVMS-8200 platform: two servers, each enabled or not, with
// address and port.
class XIVMS8200 : public XPlaceholder {
public:
    XIVMS8200() { recordVersion = 1; }
    int GetType() const override { return ElementType::kIVMS8200; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;

    int server1Enabled = 0;
    QString server1Address;
    int server1Port = 80;
    int server2Enabled = 0;
    QString server2Address;
    int server2Port = 80;

protected:
    static std::vector<FieldRow> ServerFields();
    static std::vector<PropertyRow> ServerRows();

private:
    // The server rows of both record versions.
    static std::vector<FieldRow> OldAndNewServers();
};

// A connection to a Dahua platform: the two servers and the credentials.
class XDaHua : public XIVMS8200 {
public:
    XDaHua() { recordVersion = 0; }
    int GetType() const override { return ElementType::kDaHua; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;

    QString userName;
    QString password;
};
