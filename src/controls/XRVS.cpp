#include "XRVS.h"

#include "model/FieldTable.h"

const FieldTable* XRVS::Fields() const
{
    static const FieldTable table(0, 0, &IsA<XRVS>, {
        Field::Name(),
        Field::Bounds(),
        Field::String<&XRVS::serverAddress>("serverAddress", FieldFlag::Ipv4Address),
        Field::Word<&XRVS::serverPort>("serverPort"),
        Field::String<&XRVS::userName>("userName"),
        Field::String<&XRVS::password>("password"),
    });
    return &table;
}

const PropertyTable* XRVS::Properties() const
{
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {
            AddressRow<&XRVS::serverAddress>(PropertyId::kServerAddress, "372"),
            PortRow<&XRVS::serverPort>(PropertyId::kServerPort, "373"),
        },
        CredentialRows<&XRVS::userName, &XRVS::password>(),
    });
    return &table;
}
