#pragma once

#include "TextImageWriter.h"
#include "base/FileBatch.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>

class ProjectData;

// One write of a project into a folder: its data file and its text images, replaced as
// one batch with one flush. Made where the project lives: the records are written to
// memory and the text images gathered with their keys. Committed there or on any other
// thread, since by then it holds everything it needs apart from the project.
class ProjectWrite {
public:
    ProjectWrite(ProjectData& project, const QString& folder);

    // Every record was written (a control that cannot be written fails the save before
    // any file is touched).
    bool Ready() const { return ready; }
    const QString& DataFile() const { return dataFile; }
    const QByteArray& Data() const { return data; }
    const TextImageWriter& TextImages() const { return images; }

    // Creates the project's folders and writes what changed: the data file always, text
    // images only when they change. Images the donor project folder holds for the same
    // key are taken from there instead of being rendered. True when every file was
    // written; the files that were are in place even when others failed.
    bool Commit(int renderThreads, const QString& donorFolder = QString(),
                const std::atomic<bool>* cancel = nullptr);

    bool DataFileWritten() const { return ready && dataWritten; }
    // When the data file was written but some text images were not: one text naming the
    // first of them and how many; otherwise empty.
    QString FailureText() const;

private:
    QString folder;
    QString dataFile;
    QByteArray data;
    TextImageWriter images;
    bool ready = false;
    bool dataWritten = false;
    QList<FileBatch::Failure> failures;
};
