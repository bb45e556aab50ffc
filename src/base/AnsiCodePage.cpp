#include "AnsiCodePage.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace {

QByteArray Convert(const char* to, const char* from, const QByteArray& in)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::vector<char> out(static_cast<size_t>(in.size()) * 4 + 16);
    char* inPtr = const_cast<char*>(in.constData());
    size_t inLeft = static_cast<size_t>(in.size());
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno == EILSEQ || errno == EINVAL) {
            // An invalid or cut-off sequence: skip one byte rather than lose the rest.
            ++inPtr;
            --inLeft;
            continue;
        }
        break;
    }
    iconv_close(cd);
    return QByteArray(out.data(), static_cast<int>(out.size() - outLeft));
}

} // namespace

namespace AnsiCodePage {

QString Decode(const QByteArray& bytes)
{
    const QByteArray utf16 = Convert("UTF-16LE", "GBK", bytes);
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

QByteArray Encode(const QString& text)
{
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return Convert("GBK", "UTF-16LE", utf16);
}

} // namespace AnsiCodePage
