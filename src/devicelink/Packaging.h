#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

// Packing a project folder into the package that is sent to a panel device: every file
// below the folder, depth first in the order the file system lists them, under a top
// folder named by the project title. Hidden entries (names beginning with ".") and
// special files (sockets, pipes, devices) are left out.
struct PackOptions {
    // Compressing threads: 0 = one per core; 1 = compress on the calling thread alone.
    int threads = 0;
    // Files are read and compressed in pieces of this size, never whole.
    qint64 pieceSize = 1 << 20;
    // Called on the packing thread with the bytes of file data packed so far and the
    // total of all files.
    std::function<void(qint64 done, qint64 total)> progress;
    // Time stamp of every entry (reproducible packages); invalid = the clock.
    QDateTime entryTime;
};

// The title of a project folder: its last path component, cut before its last dot
// (a folder Hall.v2 gives Hall).
QString ProjectTitleFromFolder(const QString& projectFolder);

// Appends the full path of every file to pack below folder to list.
void CollectFiles(const QString& folder, QStringList& list);

// Writes the package of projectFolder to packagePath with projectTitle as the top folder.
// Packing stops early when running is cleared: the package is then still a complete
// archive of the files added so far. Returns false when the package could not be
// created or written (disk full, more than the format holds); a project file that
// cannot be read is left out without failing the package.
bool BuildPackage(const QString& packagePath, const QString& projectFolder, const QString& projectTitle,
                  const std::atomic<bool>& running, const PackOptions& options = {});

// The package of a project as a device receives it: packed as BuildPackage packs it, and
// refused when it lacks the project's data file (the folder's title plus ".mvl", at the
// top of the folder), without which a device has nothing to show: a folder renamed or
// emptied since it was opened would otherwise go out as an empty package.
enum class ProjectPackResult { Written, NotWritten, NoDataFile };
ProjectPackResult BuildProjectPackage(const QString& packagePath, const QString& projectFolder,
                                      const QString& projectTitle, const std::atomic<bool>& running,
                                      const PackOptions& options = {});
// The name of a project folder's data file: its title plus ".mvl".
QString ProjectDataFileName(const QString& projectFolder);
