#pragma once

#include <QString>
#include <QStringList>

class QLocale;

// The process-wide language choice and the lookup of user-visible texts by numeric key.
// Index 0 is Simplified Chinese ("ZH_CN"), 1 Traditional Chinese ("ZH_TW"), 2 English
// ("EN"); any other index, in the settings or asked for, selects Simplified Chinese.
namespace Translation {

inline constexpr int kSimplifiedChinese = 0;
inline constexpr int kTraditionalChinese = 1;
inline constexpr int kEnglish = 2;
inline constexpr int kLanguageCount = 3;

int LanguageIndex();
QString TranslationFile();
QString FileNameForIndex(int index);

// Reads "Translation" from the settings file and selects that language.
void LoadLanguage();
// Selects a language; returns false (and changes nothing) when it is already current.
bool SetLanguage(int index);
// Writes the language index back to the settings file ("%d" under "Translation").
bool SaveLanguage();

// Menu command ids of the three languages and the index each selects (-1 for others).
int LanguageForCommand(int commandId);

// The index a language name on a command line selects: "zh_cn", "zh_tw" or "en", in
// either case and with "-" or "_"; -1 for any other name.
int LanguageForName(const QString& name);
// The language of a locale: Traditional Chinese for Chinese in the traditional script
// or of Taiwan, Hong Kong and Macao, Simplified Chinese for other Chinese, else English.
int LanguageForLocale(const QLocale& locale);

}

// Text of a key from section "Info" of the current translation file, or the default
// when the text is empty. At most 2047 characters, as the lookup buffer allows.
QString Translate(const QString& key, const QString& def = {});

// Fills the "%d" and "%s" placeholders of a translated text with the given arguments in
// order ("%%" is a literal percent). Missing arguments leave their placeholder empty and
// surplus arguments are ignored, so a mistyped translation can never crash the editor.
QString FormatText(const QString& format, const QStringList& args);
QString TranslateFormat(const QString& key, const QStringList& args);
// The two bounds of a range message ("%d" arguments).
QStringList RangeArgs(int low, int high);

// A menu text shown elsewhere loses its keyboard mnemonic: "保存工程(&S)" → "保存工程",
// "Save Project &As..." → "Save Project As..."; "&&" stays a literal "&".
QString WithoutMnemonic(QString menuText);
// A menu text as the title of the dialog its command opens: without the mnemonic and
// without the trailing dots that only say a dialog follows.
QString DialogTitleFromMenuText(const QString& menuText);
