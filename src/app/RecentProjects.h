#pragma once

#include <QString>
#include <QStringList>

// The project data files opened last, newest first, as the framework settings keep them
// ("Recent File List", File1 to File4); the file menu lists them.
class RecentProjects {
public:
    static constexpr int kMax = 4;

    // The stored paths, without empty entries and duplicates, at most four.
    QStringList List() const;
    // Puts a path first; the oldest falls off beyond four.
    void Add(const QString& path);
    void Remove(const QString& path);
    // The menu text of entry index: its number as the mnemonic, the project's name and
    // its data file.
    static QString MenuText(int index, const QString& path);

private:
    void Store(const QStringList& paths) const;
};
