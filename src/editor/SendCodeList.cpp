#include "SendCodeList.h"

#include "model/TypeRegistry.h"

#include <QSaveFile>

#include <algorithm>

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

// Fixed words, as the header and the type keys are: the file is read by programs too.
QString KindWord(int kind)
{
    switch (kind) {
    case 0: return QStringLiteral("plain");
    case 1: return QStringLiteral("interlocked");
    case 2: return QStringLiteral("toggle");
    default: return {}; // an element without a button kind
    }
}

QString CsvField(const QString& value)
{
    // Leading or trailing blanks are kept only inside quotes by some readers.
    const bool quote = value.contains(u',') || value.contains(u'"') || value.contains(u'\n')
        || value.contains(u'\r') || (!value.isEmpty() && (value.front().isSpace() || value.back().isSpace()));
    if (!quote)
        return value;
    QString q = value;
    q.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

QString CsvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& f : fields)
        quoted << CsvField(f);
    return quoted.join(u',') + u'\n';
}

// Columns a terminal gives a character: two for the wide East Asian scripts.
int DisplayWidth(const QString& s)
{
    int width = 0;
    for (const QChar ch : s) {
        const ushort u = ch.unicode();
        const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) || (u >= 0xAC00 && u <= 0xD7A3)
            || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60)
            || (u >= 0xFFE0 && u <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

// Line breaks of a command string would break the table's lines.
QString OneLine(QString s)
{
    s.replace(u'\n', u' ');
    s.replace(u'\r', u' ');
    return s;
}

} // namespace

namespace SendCodeList {

QStringList Header()
{
    return {QStringLiteral("page"),  QStringLiteral("element"), QStringLiteral("type"),    QStringLiteral("code"),
            QStringLiteral("kind"),  QStringLiteral("group"),   QStringLiteral("command"), QStringLiteral("shared")};
}

QStringList Fields(const SendCodeEntry& e)
{
    return {e.page,       e.element, GetTypeKey(e.type), QString::number(e.code),
            KindWord(e.kind), e.group, e.command,        QString::number(e.sharedWith)};
}

QString Csv(const std::vector<SendCodeEntry>& entries)
{
    QString out = CsvLine(Header());
    for (const SendCodeEntry& e : entries)
        out += CsvLine(Fields(e));
    return out;
}

QString Table(const std::vector<SendCodeEntry>& entries)
{
    std::vector<QStringList> lines{Header()};
    for (const SendCodeEntry& e : entries) {
        QStringList fields = Fields(e);
        for (QString& f : fields)
            f = OneLine(f);
        lines.push_back(fields);
    }
    const int columns = static_cast<int>(Header().size());
    std::vector<int> widths(columns, 0);
    for (const QStringList& line : lines)
        for (int c = 0; c < columns; ++c)
            widths[c] = std::max(widths[c], DisplayWidth(line[c]));
    QString out;
    for (const QStringList& line : lines) {
        QString text;
        for (int c = 0; c < columns; ++c) {
            text += line[c];
            if (c + 1 < columns)
                text += QString(widths[c] - DisplayWidth(line[c]) + 2, u' ');
        }
        while (text.endsWith(u' '))
            text.chop(1);
        out += text + u'\n';
    }
    return out;
}

bool WriteCsvFile(const QString& path, const std::vector<SendCodeEntry>& entries)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = QByteArray(kByteOrderMark) + Csv(entries).toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}

}
