#include "Translation.h"

#include "AppPaths.h"
#include "IniFile.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

struct LanguageState {
    int index = 0;
    bool loaded = false;
};

LanguageState& State()
{
    static LanguageState state;
    return state;
}

const QString kInfo = QStringLiteral("Info");
constexpr int kSimplifiedChinese = 0;
constexpr int kLanguageCount = 3;

// An index that names no translation file would leave every menu blank, and with them
// the way to choose another language: such an index means Simplified Chinese.
int KnownLanguage(int index)
{
    return index >= 0 && index < kLanguageCount ? index : kSimplifiedChinese;
}

} // namespace

namespace Translation {

QString FileNameForIndex(int index)
{
    switch (index) {
    case kSimplifiedChinese: return QStringLiteral("ZH_CN");
    case kTraditionalChinese: return QStringLiteral("ZH_TW");
    case kEnglish: return QStringLiteral("EN");
    default: return QStringLiteral("LANGUAGE_%1").arg(index);
    }
}

int LanguageIndex() { return State().index; }
QString TranslationFile()
{
    return AppPaths::GetTranslationPath(FileNameForIndex(State().index));
}

void LoadLanguage()
{
    LanguageState& s = State();
    s.index = KnownLanguage(
        Profile::ReadInt(AppPaths::GetSettingsPath(), kInfo, QStringLiteral("Translation"), kSimplifiedChinese));
    s.loaded = true;
}

bool SetLanguage(int index)
{
    index = KnownLanguage(index);
    LanguageState& s = State();
    if (s.loaded && s.index == index)
        return false;
    s.index = index;
    s.loaded = true;
    return true;
}

bool SaveLanguage()
{
    return Profile::WriteString(AppPaths::GetSettingsPath(), kInfo, QStringLiteral("Translation"),
                                QString::number(State().index));
}

int LanguageForCommand(int commandId)
{
    switch (commandId) {
    case 32903: return kSimplifiedChinese;
    case 32906: return kTraditionalChinese;
    case 32904: return kEnglish;
    default: return -1;
    }
}

int LanguageForName(const QString& name)
{
    const QString key = name.toLower().replace(u'-', u'_');
    for (int index = 0; index < kLanguageCount; ++index)
        if (key == FileNameForIndex(index).toLower())
            return index;
    return -1;
}

int LanguageForLocale(const QLocale& locale)
{
    if (locale.language() != QLocale::Chinese)
        return kEnglish;
    const bool traditional = locale.script() == QLocale::TraditionalChineseScript ||
                             locale.territory() == QLocale::Taiwan || locale.territory() == QLocale::HongKong ||
                             locale.territory() == QLocale::Macao;
    return traditional ? kTraditionalChinese : kSimplifiedChinese;
}

} // namespace Translation

QString Translate(const QString& key, const QString& def)
{
    const QString text = Profile::ReadString(Translation::TranslationFile(), kInfo, key, QString(), 2047);
    return text.isEmpty() ? def : text;
}

QString FormatText(const QString& format, const QStringList& args)
{
    QString out;
    out.reserve(format.size() + 16);
    int next = 0;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != u'%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        const QChar spec = format[i + 1];
        if (spec == u'%') {
            out += u'%';
            ++i;
        } else if (spec == u'd' || spec == u's') {
            if (next < args.size())
                out += args[next];
            ++next;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString TranslateFormat(const QString& key, const QStringList& args)
{
    return FormatText(Translate(key), args);
}

QStringList RangeArgs(int low, int high)
{
    return {QString::number(low), QString::number(high)};
}

QString WithoutMnemonic(QString text)
{
    static const QRegularExpression bracketed(QStringLiteral("\\(&[^)]\\)"));
    text.remove(bracketed);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

QString DialogTitleFromMenuText(const QString& menuText)
{
    QString title = WithoutMnemonic(menuText).trimmed();
    while (title.endsWith(u'.') || title.endsWith(QChar(0x2026)))
        title.chop(1);
    return title.trimmed();
}
