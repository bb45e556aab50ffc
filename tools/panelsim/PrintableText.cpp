#include "PrintableText.h"

namespace {

bool IsControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

QString ByteEscape(unsigned char b)
{
    return QStringLiteral("\\x%1").arg(b, 2, 16, QLatin1Char('0'));
}

// Length of the well-formed UTF-8 sequence at p (at most n bytes left), 0 when there is none.
int SequenceLength(const unsigned char* p, qsizetype n, char32_t& code)
{
    int length = 0;
    if (p[0] >= 0xC2 && p[0] <= 0xDF) {
        length = 2;
        code = p[0] & 0x1F;
    } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
        length = 3;
        code = p[0] & 0x0F;
    } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
        length = 4;
        code = p[0] & 0x07;
    } else {
        return 0;
    }
    if (n < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

} // namespace

QString PrintableName(const QByteArray& raw)
{
    QString out;
    const auto* p = reinterpret_cast<const unsigned char*>(raw.constData());
    const qsizetype n = raw.size();
    for (qsizetype i = 0; i < n;) {
        if (p[i] < 0x80) {
            if (IsControl(p[i]))
                out += ByteEscape(p[i]);
            else
                out += QChar(p[i]);
            ++i;
            continue;
        }
        char32_t code = 0;
        const int length = SequenceLength(p + i, n - i, code);
        if (length == 0 || IsControl(code)) {
            out += ByteEscape(p[i]);
            ++i;
            continue;
        }
        out += QString::fromUcs4(&code, 1);
        i += length;
    }
    return out;
}

QString PrintableText(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (IsControl(c.unicode()))
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}
