#include "base/AppPaths.h"
#include "base/IniFile.h"
#include "base/Translation.h"

#include "support/TestFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

// Restores the build's application folder and language after a test changed them.
struct LanguageGuard {
    ~LanguageGuard()
    {
        AppPaths::SetAppFolder(QStringLiteral(MVL_BIN_DIR));
        Translation::SetLanguage(0);
        Profile::ForgetCache();
    }
};

QSet<QString> KeysUsedInSources()
{
    QSet<QString> keys;
    const QRegularExpression literal(QStringLiteral("\"(\\d{1,4})\""));
    QDirIterator it(QStringLiteral(MVL_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = literal.globalMatch(text); m.hasNext();)
            keys.insert(m.next().captured(1));
    }
    return keys;
}

} // namespace

TEST(Translation, EveryKeyUsedInTheCodeHasATextInAllThreeLanguages)
{
    const QSet<QString> keys = KeysUsedInSources();
    ASSERT_FALSE(keys.isEmpty());
    for (const char* language : {"ZH_CN", "ZH_TW", "EN"}) {
        QFile f(QStringLiteral(MVL_SOURCE_DIR "/data/DATA/TRANSLATION/") + QLatin1String(language));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << language;
        const QString text = QString::fromUtf8(f.readAll());
        const IniFile ini(text);
        QStringList missing;
        for (const QString& key : keys)
            if (ini.GetString(QStringLiteral("Info"), key).isEmpty())
                missing << key;
        missing.sort();
        EXPECT_TRUE(missing.isEmpty()) << language << " lacks " << missing.join(u' ').toStdString();
        // A key listed twice (say after a merge) would hide its second text.
        const QStringList listed = ini.Keys(QStringLiteral("Info"));
        EXPECT_EQ(QSet<QString>(listed.begin(), listed.end()).size(), listed.size()) << language;
    }
}

TEST(Translation, LooksUpTheChosenLanguageAndFallsBackToTheDefault)
{
    LanguageGuard guard;
    Translation::SetLanguage(2);
    EXPECT_EQ(Translate("141"), QStringLiteral("Yes"));
    Translation::SetLanguage(0);
    EXPECT_EQ(Translate("141"), QStringLiteral("是"));
    EXPECT_EQ(Translate("9999", QStringLiteral("fallback")), QStringLiteral("fallback"));
    // An index outside 0..2 would leave every menu blank: Simplified Chinese instead.
    Translation::SetLanguage(2);
    Translation::SetLanguage(7);
    EXPECT_EQ(Translation::LanguageIndex(), 0);
    EXPECT_EQ(Translate("141"), QStringLiteral("是"));
}

TEST(Translation, LanguageIsReadFromAndWrittenToTheSettingsFile)
{
    LanguageGuard guard;
    TestFolder dir;
    AppPaths::SetAppFolder(dir.Path());
    ASSERT_TRUE(dir.Write(QStringLiteral("DATA/INI/APPDATA"), "[Info]\nTranslation=7\n"));
    Translation::LoadLanguage();
    EXPECT_EQ(Translation::LanguageIndex(), 0) << "an unknown language means Simplified Chinese";
    EXPECT_FALSE(Translation::SetLanguage(0)); // already current: nothing to do
    EXPECT_TRUE(Translation::SetLanguage(1));
    ASSERT_TRUE(Translation::SaveLanguage());
    EXPECT_EQ(dir.Read(QStringLiteral("DATA/INI/APPDATA")), QByteArray("[Info]\nTranslation=1\n"));
    EXPECT_EQ(Translation::LanguageForCommand(32906), 1);
    EXPECT_EQ(Translation::LanguageForCommand(32904), 2);
    EXPECT_EQ(Translation::LanguageForCommand(32903), 0);
}

TEST(Translation, FormattingFillsPlaceholdersInOrderAndNeverReadsMissingArguments)
{
    EXPECT_EQ(FormatText(QStringLiteral("between %d and %d"), RangeArgs(200, 5000)), QStringLiteral("between 200 and 5000"));
    EXPECT_EQ(FormatText(QStringLiteral("%s: 100%%"), {QStringLiteral("x")}), QStringLiteral("x: 100%"));
    // A mistyped translation with more placeholders than arguments stays harmless.
    EXPECT_EQ(FormatText(QStringLiteral("%d %s %d %x"), {QStringLiteral("1")}), QStringLiteral("1   %x"));
    EXPECT_EQ(FormatText(QStringLiteral("end %"), {}), QStringLiteral("end %"));
}

TEST(AppPaths, BuildsEveryPathUnderTheApplicationFolder)
{
    LanguageGuard guard;
    AppPaths::SetAppFolder(QStringLiteral("/opt/mv"));
    EXPECT_EQ(AppPaths::GetSettingsPath(), QStringLiteral("/opt/mv/DATA/INI/APPDATA"));
    EXPECT_EQ(AppPaths::GetScreenTypePath(), QStringLiteral("/opt/mv/DATA/INI/SCREENTYPE"));
    EXPECT_EQ(AppPaths::GetTranslationPath(QStringLiteral("EN")), QStringLiteral("/opt/mv/DATA/TRANSLATION/EN"));
    EXPECT_EQ(AppPaths::GetFontPath(QStringLiteral("F")), QStringLiteral("/opt/mv/DATA/FONT/F.ttf"));
    EXPECT_EQ(AppPaths::GetAppPhotoFolder(), QStringLiteral("/opt/mv/DATA/PHOTO"));
    EXPECT_EQ(AppPaths::GetDumpPath(), QStringLiteral("/opt/mv/ErrorData.dmp"));
}
