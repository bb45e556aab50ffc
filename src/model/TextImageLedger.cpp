#include "TextImageLedger.h"

#include <QFile>

namespace {

const QByteArray kHeader = QByteArrayLiteral("marvolenta text images 1");
// Far more than any project's images; a bigger file is not ours and is not read.
constexpr qint64 kMaxRecordBytes = 64 * 1024 * 1024;
constexpr int kFields = 6;
constexpr int kMaxKeyBytes = 64;

} // namespace

const QString TextImageLedger::kFileName = QStringLiteral(".textimages");

void TextImageLedger::Read(const QString& folder)
{
    entries.clear();
    byKey.clear();
    QFile file(folder + u'/' + kFileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxRecordBytes)
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
    while (!rest.isEmpty()) {
        // key, device, inode, size, modification time, file name (percent-encoded)
        QByteArrayView line = nextLine();
        QByteArrayView f[kFields];
        int n = 0;
        for (; n < kFields && !line.isNull(); ++n) {
            const qsizetype tab = n + 1 < kFields ? line.indexOf('\t') : -1;
            f[n] = tab < 0 ? line : line.first(tab);
            line = tab < 0 ? QByteArrayView() : line.sliced(tab + 1);
        }
        if (n != kFields || !line.isNull() || f[0].size() > 2 * kMaxKeyBytes)
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
}

void TextImageLedger::Set(const QString& fileName, const Entry& entry)
{
    entries.insert(fileName, entry);
    byKey.insert(entry.key, fileName);
}

QString TextImageLedger::FindKey(const QByteArray& key) const
{
    return byKey.value(key);
}

QByteArray TextImageLedger::Serialize() const
{
    QByteArray out = kHeader;
    out.reserve(entries.size() * 96);
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        const Entry& e = it.value();
        out += '\n' + e.key.toHex() + '\t' + QByteArray::number(e.stamp.device) + '\t'
            + QByteArray::number(e.stamp.inode) + '\t' + QByteArray::number(e.stamp.size) + '\t'
            + QByteArray::number(e.stamp.modifiedNs) + '\t' + it.key().toUtf8().toPercentEncoding();
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
