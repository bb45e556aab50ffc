#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// An INI document with the semantics of the Windows private-profile functions:
// section and key names compare case-insensitively, values are trimmed and may be
// quoted, integers parse as leading decimal digits, and writing one key changes that
// line in place (or appends it) while every other line is kept as it was.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(const QString& text) { Parse(text); }

    void Parse(const QString& text);
    QString Serialize() const;

    bool HasKey(const QString& section, const QString& key) const;
    QString GetString(const QString& section, const QString& key, const QString& def = {},
                      int maxChars = -1) const;
    int GetInt(const QString& section, const QString& key, int def) const;
    void SetString(const QString& section, const QString& key, const QString& value);
    QStringList Keys(const QString& section) const;

    static int ParseProfileInt(const QString& text);

private:
    struct Line {
        QString raw;
        QString section; // for every line, the section it belongs to (empty before the first)
        QString key;     // empty for section headers, comments and blank lines
        QString value;
        bool header = false;
    };
    const Line* Find(const QString& section, const QString& key) const;
    std::vector<Line> lines;
};

// File-level access in the manner of GetPrivateProfileString/Int and
// WritePrivateProfileString. Parsed files are cached and re-read when they change on disk.
namespace Profile {
QString ReadString(const QString& path, const QString& section, const QString& key,
                   const QString& def = {}, int maxChars = -1);
int ReadInt(const QString& path, const QString& section, const QString& key, int def);
bool WriteString(const QString& path, const QString& section, const QString& key,
                 const QString& value);
void ForgetCache();
}
