#include "TextImageLedger.h"

#include <QFile>

#include <charconv>
#include <mutex>

namespace {

const QByteArray kHeader = QByteArrayLiteral("marvolenta text images 1");
// Far more than any project's images; a bigger file, or more entries, or a longer
// name, is not ours and is not read further.
constexpr qint64 kMaxRecordBytes = 16 * 1024 * 1024;
constexpr qsizetype kMaxEntries = 200000;
constexpr qsizetype kMaxNameBytes = 4096;
constexpr int kFields = 6;
constexpr int kMaxKeyBytes = 64;
// Records kept in memory: a few open projects and their recovery copies.
constexpr qsizetype kMaxRemembered = 16;

struct Remembered {
    FileStamp stamp;
    TextImageLedger ledger;
};

std::mutex& MemoryLock()
{
    static std::mutex lock;
    return lock;
}

QHash<QString, Remembered>& Memory()
{
    static QHash<QString, Remembered> memory;
    return memory;
}

} // namespace

const QString TextImageLedger::kFileName = QStringLiteral(".textimages");

void TextImageLedger::Read(const QString& folder)
{
    entries.clear();
    byKey.clear();
    const QString path = folder + u'/' + kFileName;
    const FileStamp stamp = FileStamp::Of(path);
    {
        std::lock_guard<std::mutex> lock(MemoryLock());
        const auto it = Memory().constFind(folder);
        if (stamp.IsValid() && it != Memory().constEnd() && it->stamp == stamp) {
            *this = it->ledger;
            return;
        }
    }
    QFile file(path);
    if (!stamp.IsValid() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxRecordBytes)
        return;
    const QByteArray all = file.read(kMaxRecordBytes);
    QByteArrayView rest(all);
    auto nextLine = [&rest] {
        const qsizetype end = rest.indexOf('\n');
        const QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        return line;
    };
    if (nextLine() != QByteArrayView(kHeader))
        return;
    while (!rest.isEmpty() && entries.size() < kMaxEntries) {
        // key, device, inode, size, modification time, file name (percent-encoded)
        QByteArrayView line = nextLine();
        QByteArrayView f[kFields];
        int n = 0;
        for (; n < kFields && !line.isNull(); ++n) {
            const qsizetype tab = n + 1 < kFields ? line.indexOf('\t') : -1;
            f[n] = tab < 0 ? line : line.first(tab);
            line = tab < 0 ? QByteArrayView() : line.sliced(tab + 1);
        }
        if (n != kFields || !line.isNull() || f[0].size() > 2 * kMaxKeyBytes || f[5].size() > kMaxNameBytes)
            continue;
        Entry e;
        e.key = QByteArray::fromHex(f[0].toByteArray());
        bool ok[4] = {};
        e.stamp.device = f[1].toULongLong(&ok[0]);
        e.stamp.inode = f[2].toULongLong(&ok[1]);
        e.stamp.size = f[3].toLongLong(&ok[2]);
        e.stamp.modifiedNs = f[4].toLongLong(&ok[3]);
        const QString name = QString::fromUtf8(QByteArray::fromPercentEncoding(f[5].toByteArray()));
        if (!(ok[0] && ok[1] && ok[2] && ok[3]) || e.key.isEmpty() || !e.stamp.IsValid() || name.isEmpty())
            continue;
        Set(name, e);
    }
    Remember(folder, stamp);
}

void TextImageLedger::Remember(const QString& folder, const FileStamp& stamp) const
{
    std::lock_guard<std::mutex> lock(MemoryLock());
    if (Memory().size() >= kMaxRemembered && !Memory().contains(folder))
        Memory().clear();
    Memory().insert(folder, {stamp, *this});
}

void TextImageLedger::Set(const QString& fileName, const Entry& entry)
{
    entries.insert(fileName, entry);
    byKey.insert(entry.key, fileName);
}

void TextImageLedger::Remove(const QString& fileName)
{
    const auto it = entries.constFind(fileName);
    if (it == entries.constEnd())
        return;
    const auto k = byKey.constFind(it->key);
    if (k != byKey.constEnd() && *k == fileName)
        byKey.erase(k);
    entries.erase(it);
}

QString TextImageLedger::FindKey(const QByteArray& key) const
{
    return byKey.value(key);
}

QByteArray TextImageLedger::Serialize() const
{
    QByteArray out = kHeader;
    out.reserve(kHeader.size() + entries.size() * 128);
    auto number = [&out](auto v) {
        char text[24];
        const auto end = std::to_chars(text, text + sizeof text, v).ptr;
        out.append('\t').append(text, end - text);
    };
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        const Entry& e = it.value();
        out.append('\n').append(e.key.toHex());
        number(e.stamp.device);
        number(e.stamp.inode);
        number(e.stamp.size);
        number(e.stamp.modifiedNs);
        out.append('\t').append(it.key().toUtf8().toPercentEncoding());
    }
    return out;
}

const TextImageLedger::Entry* TextImageLedger::Find(const QString& fileName) const
{
    const auto it = entries.constFind(fileName);
    return it == entries.constEnd() ? nullptr : &it.value();
}

bool TextImageLedger::IsCurrent(const QString& folder, const QString& fileName, const QByteArray& key) const
{
    const Entry* e = Find(fileName);
    return e && e->key == key && FileStamp::Of(folder + u'/' + fileName) == e->stamp;
}
