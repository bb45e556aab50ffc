#pragma once

#include "base/Colorref.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstring>
#include <memory>

class QSaveFile;

// The project data file: numbers as lower-case hex text, strings as a length word
// followed by raw UTF-16LE bytes. Reading works on the whole file in memory and never
// reads past its end: the first short read, bad hex digit or oversized string marks the
// file as failed, every later read returns 0, and the loader stops. Writing goes to a
// temporary file beside the target that replaces it only when Close succeeds, so a
// failed save leaves the last good file in place.
class MyFile {
public:
    enum class Error {
        None, Truncated, BadNumber, StringTooLong, UnknownType, UnknownVersion, OutOfRange, BadCount, BadValue,
        Misplaced, Open, Write
    };

    // A stored string holds at most this many UTF-16 code units (4094 bytes).
    static constexpr int kMaxStringUnits = 2047;

    MyFile();
    ~MyFile();
    MyFile(const MyFile&) = delete;
    MyFile& operator=(const MyFile&) = delete;

    bool OpenRead(const QString& path);
    void OpenReadData(const QByteArray& data);
    bool OpenWrite(const QString& path);
    void OpenWriteMemory();
    // Writing: commits the file (false when any write failed); reading: forgets the data.
    bool Close();
    // Writing: drops the temporary file and keeps the old one.
    void Abort();

    bool WriteByte(int value) { return PutHex(static_cast<quint32>(value) & 0xFF, 2); }
    bool WriteWord(int value) { return PutHex(static_cast<quint32>(value) & 0xFFFF, 4); }
    bool WriteDword(qint32 value) { return PutHex(static_cast<quint32>(value), 8); }
    bool WriteColor(COLORREF value);
    bool WriteString(const QString& text);

    int ReadByte();
    int ReadWord();
    qint32 ReadDword();
    COLORREF ReadColor();
    QString ReadString();

    // An element record this editor cannot read: its type has no class, or its class
    // refused the record version. Reading on would misinterpret everything that follows.
    void FailElement(int typeNumber, int version, bool typeKnown);
    // An element whose position lies outside what the editor can draw or compute with.
    void FailRange(int typeNumber, qint64 recordOffset);
    // An element record where its kind cannot stand (a page among a page's controls).
    void FailMisplaced(int typeNumber, qint64 recordOffset);
    // A list whose stored count cannot be right: more entries than the rest of the file
    // can hold, or a count outside what the element allows. Refused before anything is
    // allocated for it.
    void FailCount(int typeNumber, qint64 count);
    qint64 FailedCount() const { return failedCount; }
    // A stored value outside what its field can hold (a display wall of 0 rows): reading
    // on would build something the editor cannot show or save back as it was.
    void FailValue(int typeNumber, const QString& field, qint64 value, qint64 low, qint64 high);
    // Reading: whether at least n more characters are left. When not, the file is marked
    // as ending early. Checks a stored count before anything is made for what it counts.
    bool CanRead(qint64 characters);
    int FailedType() const { return failedType; }
    const QString& FailedField() const { return failedField; }
    qint64 FailedValue() const { return failedValue; }
    qint64 FailedLow() const { return failedLow; }
    qint64 FailedHigh() const { return failedHigh; }
    int FailedVersion() const { return failedVersion; }

    bool Failed() const { return error != Error::None; }
    Error LastError() const { return error; }
    qint64 ErrorOffset() const { return errorOffset; }
    qint64 Position() const { return pos; }
    bool AtEnd() const { return writing || pos >= data.size(); }
    // Reading: the characters not read yet.
    qint64 Remaining() const { return writing ? 0 : data.size() - pos; }
    const QByteArray& Written() const;

private:
    quint32 ReadHex(int digits);
    // A project file is some hundred thousand items: writing one must cost next to nothing.
    bool PutHex(quint32 value, int digits)
    {
        if (!writing || Failed())
            return false;
        char* text = Grow(digits);
        for (int i = digits - 2; i >= 0; i -= 2, value >>= 8)
            std::memcpy(text + i, &kHexPairs[2 * (value & 0xFF)], 2);
        return true;
    }
    // Room for bytes more at the end of what is written, growing in big steps.
    char* Grow(qsizetype bytes)
    {
        if (pos + bytes > data.size())
            Reserve(pos + bytes);
        char* at = data.data() + pos;
        pos += bytes;
        return at;
    }
    void Reserve(qsizetype bytes);
    static constexpr qsizetype kFirstReserve = 64 * 1024;
    // The two lower-case hex digits of every byte value.
    static constexpr std::array<char, 512> kHexPairs = [] {
        constexpr char digitsOf[] = "0123456789abcdef";
        std::array<char, 512> t{};
        for (int b = 0; b < 256; ++b) {
            t[2 * b] = digitsOf[b >> 4];
            t[2 * b + 1] = digitsOf[b & 0xF];
        }
        return t;
    }();
    void Fail(Error e);
    // Fails at the start of an element record rather than at the read position.
    void FailRecord(Error e, int typeNumber, qint64 recordOffset);

    // Read: the whole file. Write: everything written so far (the first pos bytes) and
    // room for more.
    mutable QByteArray data;
    qint64 pos = 0;
    bool writing = false;
    Error error = Error::None;
    qint64 errorOffset = 0;
    int failedType = -1;
    int failedVersion = -1;
    qint64 failedCount = 0;
    QString failedField;
    qint64 failedValue = 0;
    qint64 failedLow = 0;
    qint64 failedHigh = 0;
    std::unique_ptr<QSaveFile> out;
};
