#include "XRecording.h"

#include "model/FieldTable.h"

namespace {
constexpr int kMaxRecorderId = 1000;
constexpr int kMaxWord = 65535;
constexpr int kMaxResults = 20;
}

const FieldTable* XRecording::Fields() const
{
    using C = XRecording;
    static const FieldTable table(0, 0, &IsA<XRecording>, {
        Field::Name(),
        Field::Bounds(),
        Field::Word<&C::recorderId>("recorderId"),
        Field::String<&C::recorderName>("recorderName"),
        Field::String<&C::serverAddress>("serverAddress", FieldFlag::Ipv4Address),
        Field::Word<&C::serverPort>("serverPort"),
        Field::Word<&C::recordValue1>("recordValue1"),
        Field::Word<&C::recordValue2>("recordValue2"),
    });
    return &table;
}

const PropertyTable* XRecording::Properties() const
{
    using C = XRecording;
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {
            Prop::Int<&C::recorderId>(PropertyId::kRecorderId, "ID", 0, kMaxRecorderId, "376").Describe("369"),
            Prop::Text<&C::recorderName>(PropertyId::kRecorderName, "371").Describe("370").Normalise(&Trimmed),
            AddressRow<&C::serverAddress>(PropertyId::kServerAddress, "374").Describe("372"),
            PortRow<&C::serverPort>(PropertyId::kServerPort, "375").Describe("373"),
            // Both are stored as words, so a word's largest value bounds them.
            Prop::Int<&C::recordValue1>(PropertyId::kRecordValue1, "379", 1, kMaxWord, "381"),
            Prop::Int<&C::recordValue2>(PropertyId::kRecordValue2, "380", 1, kMaxWord, "382"),
        },
    });
    return &table;
}

const FieldTable* XSearch::Fields() const
{
    // Version 0 records hold only the common part.
    static const FieldTable table(0, 1, &IsA<XSearch>, {
        Field::Name(),
        Field::Bounds(),
        Field::Word<&XSearch::resultCount>("resultCount").Since(1),
    });
    return &table;
}

const PropertyTable* XSearch::Properties() const
{
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {Prop::Int<&XSearch::resultCount>(PropertyId::kResultCount, "448", 1, kMaxResults, "449")},
    });
    return &table;
}

const FieldTable* XDevices::Fields() const
{
    static const FieldTable table(0, 1, &IsA<XDevices>, {
        Field::Name(),
        Field::Bounds(),
        Field::Colour<&XDevices::backColor>("backColor").Since(1),
        Field::Colour<&XDevices::textColor>("textColor").Since(1),
    });
    return &table;
}

const PropertyTable* XDevices::Properties() const
{
    static const PropertyTable table({
        Prop::NameRows(),
        Prop::SizeRows(),
        {
            Prop::Colour<&XDevices::backColor>(PropertyId::kBackgroundColour, "139"),
            Prop::Colour<&XDevices::textColor>(PropertyId::kTextColour, "94"),
        },
    });
    return &table;
}
