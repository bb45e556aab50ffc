#include "controls/ui/CIpAddressEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Keys as the user types them: each goes to whatever field has the focus then.
void TypeWhole(CIpAddressEdit& box, const QString& text)
{
    box.Field(0)->setFocus();
    box.Field(0)->selectAll();
    for (const QChar c : text)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
}

void Paste(CIpAddressEdit& box, const QString& text)
{
    QApplication::clipboard()->setText(text);
    box.Field(0)->setFocus();
    box.Field(0)->selectAll();
    QTest::keyClick(box.Field(0), Qt::Key_V, Qt::ControlModifier);
}

// A click into each field, then its part.
void PartByPart(CIpAddressEdit& box, const QString& text)
{
    const QStringList parts = text.split(u'.');
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(box.Field(i), Qt::LeftButton);
        box.Field(i)->selectAll();
        QTest::keyClicks(box.Field(i), parts.value(i));
    }
}

} // namespace

// The box serves every dialog that takes an address: whichever way an address goes in,
// the box gives the address typed, and never another.
TEST(AddressBox, GivesTheAddressTypedWholePastedOrPartByPart)
{
    const struct {
        const char* what;
        void (*enter)(CIpAddressEdit&, const QString&);
        const char* input;
        const char* result; // Text() afterwards, from a box preset to 10.5.5.1
    } cases[] = {
        {"typed whole", &TypeWhole, "192.168.1.10", "192.168.1.10"},
        {"typed whole, short parts", &TypeWhole, "10.0.0.5", "10.0.0.5"},
        {"typed whole, three digits last", &TypeWhole, "1.22.3.100", "1.22.3.100"},
        {"typed with a zero-padded part", &TypeWhole, "192.168.010.5", "192.168.10.5"},
        {"pasted", &Paste, "192.168.1.10", "192.168.1.10"},
        {"pasted with spaces around", &Paste, " 10.20.30.40\n", "10.20.30.40"},
        {"pasted with a zero-padded part", &Paste, "192.168.010.5", "192.168.10.5"},
        {"pasted with text after it", &Paste, "10.0.0.6 abc", "10.5.5.1"},
        {"pasted, a part too big", &Paste, "10.0.0.256", "10.5.5.1"},
        {"part by part", &PartByPart, "192.168.1.10", "192.168.1.10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CIpAddressEdit box;
        box.SetAddressText(QStringLiteral("10.5.5.1"));
        box.show();
        box.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        c.enter(box, QString::fromUtf8(c.input));
        EXPECT_EQ(box.Text(), QString::fromUtf8(c.result));
    }
    // A stored text is read by the address rule: a zero-padded part is not taken.
    CIpAddressEdit stored;
    stored.SetAddressText(QStringLiteral("192.168.010.5"));
    quint32 address = 0;
    EXPECT_FALSE(stored.GetAddress(address));
    EXPECT_EQ(stored.Text(), QStringLiteral("192.168..5"));
}
