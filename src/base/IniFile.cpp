#include "IniFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSaveFile>

namespace {

QString Unquote(const QString& v)
{
    if (v.size() >= 2) {
        const QChar first = v.front();
        if ((first == u'"' || first == u'\'') && v.back() == first)
            return v.mid(1, v.size() - 2);
    }
    return v;
}

} // namespace

void IniFile::Parse(const QString& textIn)
{
    lines.clear();
    QString text = textIn;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QString section;
    const QStringList rows = text.split(u'\n');
    for (int i = 0; i < rows.size(); ++i) {
        QString raw = rows[i];
        if (raw.endsWith(u'\r'))
            raw.chop(1);
        if (i == rows.size() - 1 && raw.isEmpty())
            break; // the text ended with a newline
        Line line;
        line.raw = raw;
        const QString t = raw.trimmed();
        if (t.startsWith(u'[')) {
            const int close = t.indexOf(u']');
            section = (close > 0 ? t.mid(1, close - 1) : t.mid(1)).trimmed();
            line.header = true;
        } else if (!t.startsWith(u';')) {
            const int eq = t.indexOf(u'=');
            if (eq > 0) {
                line.key = t.left(eq).trimmed();
                line.value = Unquote(t.mid(eq + 1).trimmed());
            }
        }
        line.section = section;
        lines.push_back(line);
    }
}

QString IniFile::Serialize() const
{
    QString out;
    for (const Line& l : lines) {
        out += l.raw;
        out += u'\n';
    }
    return out;
}

const IniFile::Line* IniFile::Find(const QString& section, const QString& key) const
{
    // Only the first section of a name counts, as with the private-profile functions.
    size_t i = 0;
    while (i < lines.size()
           && !(lines[i].header && lines[i].section.compare(section, Qt::CaseInsensitive) == 0))
        ++i;
    for (++i; i < lines.size() && !lines[i].header; ++i)
        if (!lines[i].key.isEmpty() && lines[i].key.compare(key, Qt::CaseInsensitive) == 0)
            return &lines[i];
    return nullptr;
}

bool IniFile::HasKey(const QString& section, const QString& key) const
{
    return Find(section, key) != nullptr;
}

QString IniFile::GetString(const QString& section, const QString& key, const QString& def,
                           int maxChars) const
{
    const Line* l = Find(section, key);
    QString v = l ? l->value : def;
    if (maxChars >= 0 && v.size() > maxChars)
        v.truncate(maxChars);
    return v;
}

int IniFile::ParseProfileInt(const QString& text)
{
    // Leading white space, an optional sign, then decimal digits up to the first other character.
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > 0xFFFFFFFFLL)
            value = 0xFFFFFFFFLL;
        ++i;
    }
    return static_cast<int>(static_cast<quint32>(negative ? -value : value));
}

int IniFile::GetInt(const QString& section, const QString& key, int def) const
{
    const Line* l = Find(section, key);
    return l ? ParseProfileInt(l->value) : def;
}

QStringList IniFile::Keys(const QString& section) const
{
    QStringList keys;
    for (const Line& l : lines)
        if (!l.header && !l.key.isEmpty() && l.section.compare(section, Qt::CaseInsensitive) == 0)
            keys << l.key;
    return keys;
}

void IniFile::SetString(const QString& section, const QString& key, const QString& value)
{
    if (const Line* found = Find(section, key)) {
        Line& l = const_cast<Line&>(*found);
        l.raw = l.key + u'=' + value;
        l.value = value;
        return;
    }
    Line entry;
    entry.section = section;
    entry.key = key;
    entry.value = value;
    entry.raw = key + u'=' + value;

    // Append after the last non-blank line of the first section of that name.
    int sectionAt = -1;
    int insertAt = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const Line& l = lines[i];
        if (l.header) {
            if (sectionAt >= 0)
                break;
            if (l.section.compare(section, Qt::CaseInsensitive) == 0) {
                sectionAt = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionAt >= 0 && !l.raw.trimmed().isEmpty())
            insertAt = i + 1;
    }
    if (sectionAt >= 0) {
        entry.section = lines[sectionAt].section;
        lines.insert(lines.begin() + insertAt, entry);
        return;
    }
    Line header;
    header.header = true;
    header.section = section;
    header.raw = u'[' + section + u']';
    lines.push_back(header);
    lines.push_back(entry);
}

namespace Profile {
namespace {

struct CachedFile {
    QDateTime modified;
    qint64 size = -1;
    IniFile ini;
};

QMutex cacheMutex;
QHash<QString, CachedFile>& Cache()
{
    static QHash<QString, CachedFile> cache;
    return cache;
}

QString ReadText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// Returns the parsed file, re-reading it when its size or modification time changed.
const IniFile& Load(const QString& path)
{
    CachedFile& entry = Cache()[path];
    const QFileInfo info(path);
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    const qint64 size = info.exists() ? info.size() : -1;
    if (entry.size != size || entry.modified != modified || size < 0) {
        entry.ini = IniFile(size >= 0 ? ReadText(path) : QString());
        entry.modified = modified;
        entry.size = size;
    }
    return entry.ini;
}

} // namespace

QString ReadString(const QString& path, const QString& section, const QString& key,
                   const QString& def, int maxChars)
{
    QMutexLocker lock(&cacheMutex);
    return Load(path).GetString(section, key, def, maxChars);
}

int ReadInt(const QString& path, const QString& section, const QString& key, int def)
{
    QMutexLocker lock(&cacheMutex);
    return Load(path).GetInt(section, key, def);
}

bool WriteString(const QString& path, const QString& section, const QString& key,
                 const QString& value)
{
    QMutexLocker lock(&cacheMutex);
    IniFile ini(QFileInfo::exists(path) ? ReadText(path) : QString());
    ini.SetString(section, key, value);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(ini.Serialize().toUtf8());
    if (!out.commit())
        return false;
    Cache().remove(path);
    return true;
}

void ForgetCache()
{
    QMutexLocker lock(&cacheMutex);
    Cache().clear();
}

} // namespace Profile
