#include "PreviewLog.h"

#include "base/Translation.h"

namespace {

// Log pieces by name: the name is what the prototype's script looks them up by.
struct Piece {
    const char* name;
    const char* key;
};
constexpr Piece kPieces[] = {
    {"where", "1510"},   // %s / %s
    {"code", "1511"},    // send code %d
    {"level", "1512"},   // level %d
    {"channel", "1513"}, // Dante channel %d
    {"jump", "1514"},    // → %s
    {"runtime", "1515"}, // shown by the panel runtime
    {"kind", "1516"},    // kind: %s
    {"aux", "1517"},     // extra number %d
};

QString PieceText(const char* name)
{
    for (const Piece& p : kPieces)
        if (qstrcmp(p.name, name) == 0)
            return Translate(QString::fromLatin1(p.key));
    return {};
}

}

bool PreviewLogEntry::operator==(const PreviewLogEntry& o) const
{
    return page == o.page && element == o.element && sendCode == o.sendCode && level == o.level
        && channel == o.channel && command == o.command && jump == o.jump && detail == o.detail
        && runtimeOnly == o.runtimeOnly;
}

namespace PreviewLog {

QStringList FormatKeys()
{
    QStringList names;
    for (const Piece& p : kPieces)
        names << QString::fromLatin1(p.name);
    return names;
}

QString FormatText(const QString& name)
{
    return PieceText(name.toLatin1().constData());
}

QString ButtonDetail(int buttonKind, int auxNumber, bool inGroup)
{
    QStringList parts;
    if (buttonKind == 1 && !inGroup)
        parts << ::FormatText(PieceText("kind"), {Translate(QStringLiteral("104"))});
    else if (buttonKind == 2)
        parts << ::FormatText(PieceText("kind"), {Translate(QStringLiteral("105"))});
    if (auxNumber != 0)
        parts << ::FormatText(PieceText("aux"), {QString::number(auxNumber)});
    return parts.join(QStringLiteral(" · "));
}

QString Format(const PreviewLogEntry& e)
{
    QStringList parts;
    if (e.runtimeOnly)
        parts << PieceText("runtime");
    if (e.sendCode != 0)
        parts << ::FormatText(PieceText("code"), {QString::number(e.sendCode)});
    if (e.channel != 0)
        parts << ::FormatText(PieceText("channel"), {QString::number(e.channel)});
    if (e.level >= 0)
        parts << ::FormatText(PieceText("level"), {QString::number(e.level)});
    if (!e.command.isEmpty())
        parts << QStringLiteral("\"%1\"").arg(e.command);
    if (!e.detail.isEmpty())
        parts << e.detail;
    if (!e.jump.isEmpty())
        parts << ::FormatText(PieceText("jump"), {e.jump});
    return ::FormatText(PieceText("where"), {e.page, e.element}) + QStringLiteral(": ")
        + parts.join(QStringLiteral(" · "));
}

}
