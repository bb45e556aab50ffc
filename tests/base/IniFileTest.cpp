#include "base/IniFile.h"

#include "support/TestFolders.h"

#include <gtest/gtest.h>

TEST(IniFile, LooksUpSectionsAndKeysIgnoringCaseAndTrimsValues)
{
    const IniFile ini(QStringLiteral("[Info]\n  Translation = 2 \nName=\"quoted value\"\n; comment=1\n[Other]\nTranslation=5\n"));
    EXPECT_EQ(ini.GetInt(QStringLiteral("info"), QStringLiteral("TRANSLATION"), 9), 2);
    EXPECT_EQ(ini.GetString(QStringLiteral("Info"), QStringLiteral("Name")), QStringLiteral("quoted value"));
    EXPECT_EQ(ini.GetInt(QStringLiteral("Other"), QStringLiteral("Translation"), 9), 5);
    EXPECT_EQ(ini.GetString(QStringLiteral("Info"), QStringLiteral("comment"), QStringLiteral("none")), QStringLiteral("none"));
    EXPECT_EQ(ini.GetString(QStringLiteral("Missing"), QStringLiteral("Name"), QStringLiteral("d")), QStringLiteral("d"));
}

TEST(IniFile, OnlyTheFirstSectionOfANameCountsForLookUp)
{
    const IniFile ini(QStringLiteral("[A]\nx=1\n[B]\ny=2\n[A]\ny=3\n"));
    EXPECT_EQ(ini.GetInt(QStringLiteral("A"), QStringLiteral("y"), -1), -1);
    EXPECT_EQ(ini.GetInt(QStringLiteral("B"), QStringLiteral("y"), -1), 2);
}

TEST(IniFile, IntegersParseLeadingDigitsLikeTheProfileFunctions)
{
    EXPECT_EQ(IniFile::ParseProfileInt(QStringLiteral("42abc")), 42);
    EXPECT_EQ(IniFile::ParseProfileInt(QStringLiteral("  -7")), -7);
    EXPECT_EQ(IniFile::ParseProfileInt(QStringLiteral("abc")), 0);
    EXPECT_EQ(IniFile::ParseProfileInt(QString()), 0);
    // A present but empty key gives 0, not the default.
    EXPECT_EQ(IniFile(QStringLiteral("[S]\nk=\n")).GetInt(QStringLiteral("S"), QStringLiteral("k"), 5), 0);
}

TEST(IniFile, ReadingIsLimitedToTheCallersBuffer)
{
    const IniFile ini(QStringLiteral("[S]\nk=abcdef\n"));
    EXPECT_EQ(ini.GetString(QStringLiteral("S"), QStringLiteral("k"), {}, 3), QStringLiteral("abc"));
}

TEST(IniFile, WritingChangesOneLineInPlaceAndKeepsTheRest)
{
    IniFile ini(QStringLiteral("; settings\n[Info]\nTranslation=0\n\n[Other]\nA=1\n"));
    ini.SetString(QStringLiteral("INFO"), QStringLiteral("translation"), QStringLiteral("2"));
    ini.SetString(QStringLiteral("Info"), QStringLiteral("ProjectFilePath"), QStringLiteral("/p/x.mvl"));
    ini.SetString(QStringLiteral("New"), QStringLiteral("K"), QStringLiteral("v"));
    EXPECT_EQ(ini.Serialize(), QStringLiteral("; settings\n[Info]\nTranslation=2\nProjectFilePath=/p/x.mvl\n\n"
                                              "[Other]\nA=1\n[New]\nK=v\n"));
}

TEST(Profile, WritesCreateTheFileAndReadsSeeEveryChange)
{
    TestFolder dir;
    const QString path = dir.Path(QStringLiteral("INI/APPDATA"));
    EXPECT_EQ(Profile::ReadInt(path, QStringLiteral("Info"), QStringLiteral("Translation"), 3), 3);
    ASSERT_TRUE(Profile::WriteString(path, QStringLiteral("Info"), QStringLiteral("Translation"), QStringLiteral("1")));
    EXPECT_EQ(Profile::ReadInt(path, QStringLiteral("Info"), QStringLiteral("Translation"), 3), 1);
    ASSERT_TRUE(Profile::WriteString(path, QStringLiteral("Info"), QStringLiteral("Translation"), QStringLiteral("2")));
    EXPECT_EQ(Profile::ReadInt(path, QStringLiteral("Info"), QStringLiteral("Translation"), 3), 2);
    // Written by someone else behind the cache's back (different size).
    ASSERT_TRUE(dir.Write(QStringLiteral("INI/APPDATA"), "[Info]\nTranslation=12\n"));
    EXPECT_EQ(Profile::ReadInt(path, QStringLiteral("Info"), QStringLiteral("Translation"), 3), 12);
    EXPECT_EQ(dir.Read(QStringLiteral("INI/APPDATA")), QByteArray("[Info]\nTranslation=12\n"));
}
