#pragma once

#include "base/FileBatch.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// What a text-image folder holds: for each image file, the key of what it was rendered
// from and the stamp of the file as written. A hidden file of the folder keeps it
// between saves (and between runs), so an image whose key and file are unchanged is
// neither rendered nor written again. Only a hint: a missing, damaged or foreign record
// just means the images are rendered once more.
class TextImageLedger {
public:
    static const QString kFileName;

    struct Entry {
        QByteArray key;
        FileStamp stamp;
        bool operator==(const Entry& o) const { return key == o.key && stamp == o.stamp; }
    };

    // Reads the record of a folder; an unreadable one leaves the ledger empty. A record
    // whose file is still the one last read or written here comes from memory.
    void Read(const QString& folder);
    // The folder's record file, once in place with this stamp, holds this ledger.
    void Remember(const QString& folder, const FileStamp& stamp) const;
    // The folder's record as its file holds it.
    QByteArray Serialize() const;

    const Entry* Find(const QString& fileName) const;
    // A file written for the key, under whatever name: its name, or empty.
    QString FindKey(const QByteArray& key) const;
    // The file is still the one written for this key.
    bool IsCurrent(const QString& folder, const QString& fileName, const QByteArray& key) const;
    void Set(const QString& fileName, const Entry& entry);
    void Remove(const QString& fileName);
    QStringList Names() const { return entries.keys(); }
    int Size() const { return static_cast<int>(entries.size()); }
    bool operator==(const TextImageLedger& o) const { return entries == o.entries; }
    bool operator!=(const TextImageLedger& o) const { return !(*this == o); }

private:
    QHash<QString, Entry> entries;
    QHash<QByteArray, QString> byKey;
};
