#include "base/Ipv4Address.h"

#include <gtest/gtest.h>

// The one address rule: four decimal parts, nothing else, never octal.
TEST(Ipv4Address, FourDecimalPartsAndNothingElse)
{
    const struct {
        const char* text;
        bool valid;
        quint32 value;
    } cases[] = {
        {"192.168.1.10", true, 0xC0A8010A},
        {"0.0.0.0", true, 0},
        {"10.0.0.255", true, 0x0A0000FF},
        {"255.255.255.254", true, 0xFFFFFFFE},
        {"255.255.255.255", false, 0}, // as inet_addr: the all-ones address is refused
        {"192.168.010.5", false, 0},   // octal 8 to the C library, ten to the user
        {"127.0.0.010", false, 0},
        {"01.2.3.4", false, 0},
        {"10.0.0.5 abc", false, 0},
        {"10.0.0.5 ", false, 0},
        {" 10.0.0.5", false, 0},
        {"10.0.0.256", false, 0},
        {"10.0.0", false, 0},
        {"127.1", false, 0},
        {"10.0.0.0.1", false, 0},
        {"10..0.1", false, 0},
        {"0x7f.0.0.1", false, 0},
        {"1e1.0.0.1", false, 0},
        {"+1.0.0.1", false, 0},
        {"١٢.0.0.1", false, 0}, // digits of another script
        {"", false, 0},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        quint32 value = 0x12345678;
        EXPECT_EQ(ParseIpv4Address(text, value), c.valid) << c.text;
        EXPECT_EQ(IsValidIpv4Address(text), c.valid) << c.text;
        EXPECT_EQ(value, c.valid ? c.value : 0x12345678u) << c.text;
        if (c.valid)
            EXPECT_EQ(FormatIpv4Address(value), text);
    }
}
