#include "base/AnsiCodePage.h"

#include <gtest/gtest.h>

TEST(AnsiCodePage, DecodesAndEncodesGbk)
{
    const QByteArray gbk("\xc4\xe3\xba\xc3", 4); // 你好
    EXPECT_EQ(AnsiCodePage::Decode(gbk), QStringLiteral("你好"));
    EXPECT_EQ(AnsiCodePage::Encode(QStringLiteral("你好")), gbk);
    EXPECT_EQ(AnsiCodePage::Decode("ABC"), QStringLiteral("ABC"));
    // A lead byte cut off at the end is dropped, the rest survives.
    EXPECT_EQ(AnsiCodePage::Decode(QByteArray("AB\xc4", 3)), QStringLiteral("AB"));
}
