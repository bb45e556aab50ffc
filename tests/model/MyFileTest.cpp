#include "model/MyFile.h"

#include "support/TestFolders.h"

#include <gtest/gtest.h>

namespace {

QByteArray Written(const std::function<void(MyFile&)>& write)
{
    MyFile f;
    f.OpenWriteMemory();
    write(f);
    return f.Written();
}

} // namespace

TEST(MyFile, PrimitivesAreLowerCaseHexWithLeadingZeros)
{
    EXPECT_EQ(Written([](MyFile& f) { f.WriteByte(0x1AB); }), QByteArray("ab"));
    EXPECT_EQ(Written([](MyFile& f) { f.WriteWord(0x8001); }), QByteArray("8001"));
    EXPECT_EQ(Written([](MyFile& f) { f.WriteWord(6); }), QByteArray("0006"));
    EXPECT_EQ(Written([](MyFile& f) { f.WriteDword(-10); }), QByteArray("fffffff6"));
    EXPECT_EQ(Written([](MyFile& f) { f.WriteDword(1024); }), QByteArray("00000400"));
    EXPECT_EQ(Written([](MyFile& f) { f.WriteColor(255); }), QByteArray("ff0000"));          // pure red
    EXPECT_EQ(Written([](MyFile& f) { f.WriteColor(16711680); }), QByteArray("0000ff"));     // pure blue
    EXPECT_EQ(Written([](MyFile& f) { f.WriteString(QString()); }), QByteArray("8000"));
    EXPECT_EQ(Written([](MyFile& f) { f.WriteString(QStringLiteral("3.8.2")); }),
              QByteArray("800a3\0.\0008\0.\0002\0", 14));
}

TEST(MyFile, EveryPrimitiveRoundTrips)
{
    const QString text = QStringLiteral("大厅 Lobby ✓ \U0001F600");
    const QByteArray bytes = Written([&](MyFile& f) {
        f.WriteByte(0);
        f.WriteByte(255);
        f.WriteWord(0);
        f.WriteWord(65535);
        f.WriteDword(INT32_MIN);
        f.WriteDword(INT32_MAX);
        f.WriteDword(-1);
        f.WriteColor(MakeRgb(1, 2, 3));
        f.WriteString(text);
        f.WriteString(QString());
    });
    MyFile r;
    r.OpenReadData(bytes);
    EXPECT_EQ(r.ReadByte(), 0);
    EXPECT_EQ(r.ReadByte(), 255);
    EXPECT_EQ(r.ReadWord(), 0);
    EXPECT_EQ(r.ReadWord(), 65535);
    EXPECT_EQ(r.ReadDword(), INT32_MIN);
    EXPECT_EQ(r.ReadDword(), INT32_MAX);
    EXPECT_EQ(r.ReadDword(), -1);
    EXPECT_EQ(r.ReadColor(), MakeRgb(1, 2, 3));
    EXPECT_EQ(r.ReadString(), text);
    EXPECT_EQ(r.ReadString(), QString());
    EXPECT_FALSE(r.Failed());
    EXPECT_TRUE(r.AtEnd());
}

TEST(MyFile, ReadsOldStringsInTheAnsiCodePage)
{
    MyFile r;
    r.OpenReadData(QByteArray("0004\xc4\xe3\xba\xc3", 8)); // bit 15 clear: GBK bytes
    EXPECT_EQ(r.ReadString(), QStringLiteral("你好"));
    EXPECT_FALSE(r.Failed());
}

TEST(MyFile, LongStringsAreCutToWhatTheReaderAcceptsOnACharacterBoundary)
{
    const QString longText = QString(2046, u'a') + QStringLiteral("\U0001F600") + QStringLiteral("tail");
    MyFile r;
    r.OpenReadData(Written([&](MyFile& f) { f.WriteString(longText); }));
    const QString back = r.ReadString();
    EXPECT_FALSE(r.Failed());
    EXPECT_EQ(back, QString(2046, u'a')); // the surrogate pair is not split
    MyFile exact;
    exact.OpenReadData(Written([](MyFile& f) { f.WriteString(QString(2047, u'b')); }));
    EXPECT_EQ(exact.ReadString().size(), 2047);
}

TEST(MyFile, DamagedDataFailsWithoutReadingPastTheEnd)
{
    const std::pair<QByteArray, MyFile::Error> cases[] = {
        {QByteArray("80"), MyFile::Error::Truncated},                   // half a word
        {QByteArray("800a3\0.", 7), MyFile::Error::Truncated},          // shorter than its length
        {QByteArray("0g01"), MyFile::Error::BadNumber},                 // not a hex digit
        {QByteArray("8fff"), MyFile::Error::StringTooLong},             // more than the staging buffer
        {QByteArray(), MyFile::Error::Truncated},
    };
    for (const auto& [data, error] : cases) {
        MyFile r;
        r.OpenReadData(data);
        r.ReadString();
        EXPECT_TRUE(r.Failed()) << data.toStdString();
        EXPECT_EQ(r.LastError(), error) << data.toStdString();
        // Once failed, every read gives 0 and the first error stays.
        EXPECT_EQ(r.ReadDword(), 0);
        EXPECT_EQ(r.LastError(), error);
    }
}

TEST(MyFile, AFailedSaveKeepsTheLastGoodFile)
{
    TestFolder dir;
    const QString path = dir.Path(QStringLiteral("p.mvl"));
    ASSERT_TRUE(dir.Write(QStringLiteral("p.mvl"), "good"));
    {
        MyFile f;
        ASSERT_TRUE(f.OpenWrite(path));
        f.WriteWord(1);
        f.Abort();
    }
    EXPECT_EQ(dir.Read(QStringLiteral("p.mvl")), QByteArray("good"));
    {
        MyFile f;
        ASSERT_TRUE(f.OpenWrite(path));
        f.WriteWord(1);
        // Destroyed without Close: same as a crash in the middle of a save.
    }
    EXPECT_EQ(dir.Read(QStringLiteral("p.mvl")), QByteArray("good"));
    MyFile f;
    ASSERT_TRUE(f.OpenWrite(path));
    f.WriteWord(0x8001);
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(dir.Read(QStringLiteral("p.mvl")), QByteArray("8001"));
}
