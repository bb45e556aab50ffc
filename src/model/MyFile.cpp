#include "MyFile.h"

#include "base/AnsiCodePage.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>

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
    Written(); // without the room for more
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

void MyFile::FailRecord(Error e, int typeNumber, qint64 recordOffset)
{
    if (Failed())
        return;
    failedType = typeNumber;
    error = e;
    errorOffset = recordOffset;
}

void MyFile::FailRange(int typeNumber, qint64 recordOffset)
{
    FailRecord(Error::OutOfRange, typeNumber, recordOffset);
}

void MyFile::FailMisplaced(int typeNumber, qint64 recordOffset)
{
    FailRecord(Error::Misplaced, typeNumber, recordOffset);
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

void MyFile::Reserve(qsizetype bytes)
{
    data.resize(std::max({2 * data.size(), bytes, kFirstReserve}));
}

const QByteArray& MyFile::Written() const
{
    if (writing && data.size() != pos)
        data.truncate(pos);
    return data;
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
    qToLittleEndian<char16_t>(text.utf16(), text.size(), Grow(bytes));
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
    // The value of each hex digit, 0xFF for anything else.
    static constexpr auto kValues = [] {
        std::array<quint8, 256> t{};
        for (quint8& v : t)
            v = 0xFF;
        for (int c = '0'; c <= '9'; ++c)
            t[c] = static_cast<quint8>(c - '0');
        for (int c = 'a'; c <= 'f'; ++c)
            t[c] = t[c - 'a' + 'A'] = static_cast<quint8>(c - 'a' + 10);
        return t;
    }();
    const auto* text = reinterpret_cast<const uchar*>(data.constData() + pos);
    quint32 v = 0;
    for (int i = 0; i < digits; ++i) {
        const quint8 d = kValues[text[i]];
        if (d == 0xFF) {
            pos += i;
            Fail(Error::BadNumber);
            return 0;
        }
        v = (v << 4) | d;
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
    const char* raw = data.constData() + pos;
    pos += n;
    if (v & 0x8000) {
        QString s(n / 2, Qt::Uninitialized);
        qFromLittleEndian<char16_t>(raw, n / 2, s.data());
        return s;
    }
    return AnsiCodePage::Decode(QByteArray(raw, n));
}
