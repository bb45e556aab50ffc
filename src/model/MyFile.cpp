#include "MyFile.h"

#include "base/AnsiCodePage.h"

#include <QFile>
#include <QtEndian>
#include <QSaveFile>

MyFile::MyFile() = default;
MyFile::~MyFile()
{
    Abort();
}

bool MyFile::OpenRead(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    OpenReadData(f.readAll());
    return true;
}

void MyFile::OpenReadData(const QByteArray& bytes)
{
    data = bytes;
    pos = 0;
    writing = false;
    error = Error::None;
}

bool MyFile::OpenWrite(const QString& path)
{
    OpenWriteMemory();
    out = std::make_unique<QSaveFile>(path);
    if (!out->open(QIODevice::WriteOnly)) {
        out.reset();
        Fail(Error::Open);
        return false;
    }
    return true;
}

void MyFile::OpenWriteMemory()
{
    data.clear();
    pos = 0;
    writing = true;
    error = Error::None;
}

bool MyFile::Close()
{
    if (!writing) {
        data.clear();
        pos = 0;
        return true;
    }
    writing = false;
    if (!out)
        return !Failed();
    bool ok = !Failed() && out->write(data) == data.size();
    ok = ok && out->commit();
    if (!ok) {
        out->cancelWriting();
        Fail(Error::Write);
    }
    out.reset();
    return ok;
}

void MyFile::Abort()
{
    if (out) {
        out->cancelWriting();
        out.reset();
    }
    writing = false;
}

void MyFile::Fail(Error e)
{
    if (error == Error::None) {
        error = e;
        errorOffset = pos;
    }
}

void MyFile::FailElement(int typeNumber, int version, bool typeKnown)
{
    if (Failed())
        return;
    failedType = typeNumber;
    failedVersion = version;
    Fail(typeKnown ? Error::UnknownVersion : Error::UnknownType);
}

void MyFile::FailRange(int typeNumber, qint64 recordOffset)
{
    if (Failed())
        return;
    failedType = typeNumber;
    error = Error::OutOfRange;
    errorOffset = recordOffset;
}

void MyFile::FailCount(int typeNumber, qint64 count)
{
    if (Failed())
        return;
    failedType = typeNumber;
    failedCount = count;
    Fail(Error::BadCount);
}

void MyFile::FailValue(int typeNumber, const QString& field, qint64 value, qint64 low, qint64 high)
{
    if (Failed())
        return;
    failedType = typeNumber;
    failedField = field;
    failedValue = value;
    failedLow = low;
    failedHigh = high;
    Fail(Error::BadValue);
}

bool MyFile::CanRead(qint64 characters)
{
    if (writing || Failed())
        return false;
    if (data.size() - pos < characters) {
        Fail(Error::Truncated);
        return false;
    }
    return true;
}

bool MyFile::PutHex(quint32 value, int digits)
{
    if (!writing || Failed())
        return false;
    static constexpr char kDigits[] = "0123456789abcdef";
    char text[8];
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[i] = kDigits[value & 0xF];
    data.append(text, digits);
    pos = data.size();
    return true;
}

bool MyFile::WriteByte(int value)
{
    return PutHex(static_cast<quint32>(value) & 0xFF, 2);
}

bool MyFile::WriteWord(int value)
{
    return PutHex(static_cast<quint32>(value) & 0xFFFF, 4);
}

bool MyFile::WriteDword(qint32 value)
{
    return PutHex(static_cast<quint32>(value), 8);
}

bool MyFile::WriteColor(COLORREF value)
{
    return WriteByte(RedOf(value)) && WriteByte(GreenOf(value)) && WriteByte(BlueOf(value));
}

bool MyFile::WriteString(const QString& textIn)
{
    QString text = textIn;
    if (text.size() > kMaxStringUnits) {
        // Longer texts do not fit the reader's staging buffer; cut on a character boundary.
        int n = kMaxStringUnits;
        if (text[n - 1].isHighSurrogate())
            --n;
        text.truncate(n);
    }
    const int bytes = static_cast<int>(text.size() * 2);
    if (!WriteWord(bytes | 0x8000))
        return false;
    const qsizetype start = data.size();
    data.resize(start + bytes);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), data.data() + start);
    pos = data.size();
    return true;
}

quint32 MyFile::ReadHex(int digits)
{
    if (writing || Failed())
        return 0;
    if (data.size() - pos < digits) {
        Fail(Error::Truncated);
        return 0;
    }
    quint32 v = 0;
    for (int i = 0; i < digits; ++i) {
        const char c = data[pos + i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else {
            pos += i;
            Fail(Error::BadNumber);
            return 0;
        }
        v = (v << 4) | static_cast<quint32>(d);
    }
    pos += digits;
    return v;
}

int MyFile::ReadByte() { return static_cast<int>(ReadHex(2)); }
int MyFile::ReadWord() { return static_cast<int>(ReadHex(4)); }
qint32 MyFile::ReadDword() { return static_cast<qint32>(ReadHex(8)); }

COLORREF MyFile::ReadColor()
{
    const int r = ReadByte();
    const int g = ReadByte();
    const int b = ReadByte();
    return MakeRgb(r, g, b);
}

QString MyFile::ReadString()
{
    const int v = ReadWord();
    if (Failed())
        return {};
    const int n = v & 0x7FFF;
    if (n > kMaxStringUnits * 2) {
        Fail(Error::StringTooLong);
        return {};
    }
    if (data.size() - pos < n) {
        Fail(Error::Truncated);
        return {};
    }
    const QByteArray raw = data.mid(pos, n);
    pos += n;
    if (v & 0x8000) {
        QString s;
        s.reserve(n / 2);
        for (int i = 0; i + 1 < n; i += 2)
            s.append(QChar(static_cast<char16_t>(static_cast<uchar>(raw[i]) | (static_cast<uchar>(raw[i + 1]) << 8))));
        return s;
    }
    return AnsiCodePage::Decode(raw);
}
