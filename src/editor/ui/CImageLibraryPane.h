#pragma once

#include "editor/ImageThumbnails.h"

#include <QDockWidget>
#include <QListWidget>

class QLabel;
class QPushButton;

// The list of the library: its items are dragged out as the image files they show, and
// image files dropped on it from elsewhere are asked to be taken into the project.
class CImageLibraryList : public QListWidget {
    Q_OBJECT
public:
    explicit CImageLibraryList(QWidget* parent = nullptr);

Q_SIGNALS:
    void FilesDropped(const QStringList& paths);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    Qt::DropActions supportedDropActions() const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// The project's images as thumbnails. Drag one onto a page to place a picture of it, or
// onto a control to show it there; import several at once with the button or by dropping
// files from the file manager.
class CImageLibraryPane : public QDockWidget {
    Q_OBJECT
public:
    explicit CImageLibraryPane(QWidget* parent = nullptr);

    // The images, by name, of the given image folder; nothing is redone while the names and
    // their files stay the same.
    void ShowImages(const QStringList& names, const QString& folder);
    void Clear();
    void ShowStatus(const QString& text);
    void Relabel();

    CImageLibraryList* List() const { return list; }
    QPushButton* ImportButton() const { return importButton; }

Q_SIGNALS:
    // Empty: the user is to choose the files.
    void ImportRequested(const QStringList& paths);

private:
    CImageLibraryList* list;
    QPushButton* importButton;
    QLabel* status;
    ImageThumbnails thumbnails;
    QStringList shownKey;
};
