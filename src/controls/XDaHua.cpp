#include "XDaHua.h"

#include "model/FieldTable.h"
#include "model/MyFile.h"

std::vector<FieldRow> XIVMS8200::ServerFields()
{
    using C = XIVMS8200;
    return {
        Field::Word<&C::server1Enabled>("server1Enabled"),
        Field::String<&C::server1Address>("server1Address", FieldFlag::Ipv4Address),
        Field::Word<&C::server1Port>("server1Port"),
        Field::Word<&C::server2Enabled>("server2Enabled"),
        Field::String<&C::server2Address>("server2Address", FieldFlag::Ipv4Address),
        Field::Word<&C::server2Port>("server2Port"),
    };
}

const FieldTable* XIVMS8200::Fields() const
{
    static const FieldTable table(0, 1, &IsA<XIVMS8200>, {{Field::Name(), Field::Bounds()}, OldAndNewServers()});
    return &table;
}

std::vector<FieldRow> XIVMS8200::OldAndNewServers()
{
    std::vector<FieldRow> servers = ServerFields();
    // Version 0 held one server (always in use) and two strings no longer used.
    FieldRow dropped = Field::Custom(
        "oldServerStrings", nullptr,
        [](XControl& c, MyFile& f, int) {
            f.ReadString();
            f.ReadString();
            static_cast<XIVMS8200&>(c).server1Enabled = 1;
        },
        nullptr, nullptr);
    dropped.Until(0);
    servers[0].Since(1);
    for (size_t i = 3; i < servers.size(); ++i)
        servers[i].Since(1);
    servers.insert(servers.begin() + 3, dropped);
    return servers;
}

std::vector<PropertyRow> XIVMS8200::ServerRows()
{
    using C = XIVMS8200;
    return {
        Prop::YesNo<&C::server1Enabled>(PropertyId::kServer1Enabled, "415"),
        AddressRow<&C::server1Address>(PropertyId::kServerAddress, "372"),
        PortRow<&C::server1Port>(PropertyId::kServerPort, "373"),
        Prop::YesNo<&C::server2Enabled>(PropertyId::kServer2Enabled, "416"),
        AddressRow<&C::server2Address>(PropertyId::kServer2Address, "417"),
        PortRow<&C::server2Port>(PropertyId::kServer2Port, "418"),
    };
}

const PropertyTable* XIVMS8200::Properties() const
{
    static const PropertyTable table({Prop::NameRows(), Prop::SizeRows(), ServerRows()});
    return &table;
}

const FieldTable* XDaHua::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XDaHua>, {
        {Field::Name(), Field::Bounds()},
        ServerFields(),
        {Field::String<&XDaHua::userName>("userName"), Field::String<&XDaHua::password>("password")},
    });
    return &table;
}

const PropertyTable* XDaHua::Properties() const
{
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        ServerRows(),
        CredentialRows<&XDaHua::userName, &XDaHua::password>(),
    });
    return &table;
}
