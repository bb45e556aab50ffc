#include "CImageLibraryPane.h"

#include "base/Translation.h"

#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int kThumbnailEdge = 64;
constexpr int kCellWidth = 96;
constexpr int kCellHeight = 92;
const QString kUriList = QStringLiteral("text/uri-list");

QStringList LocalFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

} // namespace

// ---------------------------------------------------------------- list

CImageLibraryList::CImageLibraryList(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("ImageLibraryList"));
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setWordWrap(true);
    setUniformItemSizes(true);
    setIconSize({kThumbnailEdge, kThumbnailEdge});
    setGridSize({kCellWidth, kCellHeight});
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

QStringList CImageLibraryList::mimeTypes() const
{
    return {kUriList};
}

QMimeData* CImageLibraryList::mimeData(const QList<QListWidgetItem*>& items) const
{
    QList<QUrl> urls;
    for (const QListWidgetItem* item : items)
        urls << QUrl::fromLocalFile(item->data(Qt::UserRole).toString());
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

Qt::DropActions CImageLibraryList::supportedDropActions() const
{
    return Qt::CopyAction;
}

void CImageLibraryList::dragEnterEvent(QDragEnterEvent* event)
{
    // Its own items are already in the project.
    if (event->source() != this && !LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CImageLibraryList::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() != this && !LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CImageLibraryList::dropEvent(QDropEvent* event)
{
    const QStringList paths = LocalFiles(event->mimeData());
    if (event->source() == this || paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Q_EMIT FilesDropped(paths);
}

// ---------------------------------------------------------------- pane

CImageLibraryPane::CImageLibraryPane(QWidget* parent)
    : QDockWidget(parent)
    , list(new CImageLibraryList)
    , importButton(new QPushButton)
    , status(new QLabel)
    , thumbnails(kThumbnailEdge)
{
    setObjectName(QStringLiteral("ImageLibraryPane"));
    importButton->setObjectName(QStringLiteral("ImportImages"));
    status->setWordWrap(true);
    status->setMargin(2);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* bar = new QHBoxLayout;
    bar->addWidget(importButton);
    bar->addStretch(1);
    layout->addLayout(bar);
    layout->addWidget(list, 1);
    layout->addWidget(status);
    setWidget(body);

    connect(importButton, &QPushButton::clicked, this, [this] { Q_EMIT ImportRequested({}); });
    connect(list, &CImageLibraryList::FilesDropped, this, &CImageLibraryPane::ImportRequested);
    Relabel();
}

void CImageLibraryPane::ShowImages(const QStringList& names, const QString& folder)
{
    QStringList key;
    for (const QString& name : names) {
        const QFileInfo info(folder + u'/' + name);
        key << name + u'|' + QString::number(info.size()) + u'|'
                + QString::number(info.lastModified().toMSecsSinceEpoch());
    }
    if (key == shownKey)
        return;
    shownKey = key;
    const QString selected = list->currentItem() ? list->currentItem()->text() : QString();
    list->clear();
    for (const QString& name : names) {
        const QString path = folder + u'/' + name;
        auto* item = new QListWidgetItem(name, list);
        item->setData(Qt::UserRole, path);
        item->setIcon(QPixmap::fromImage(thumbnails.Get(path)));
        const QSize size = QImageReader(path).size();
        item->setToolTip(QStringLiteral("%1\n%2 × %3, %4").arg(name).arg(size.width()).arg(size.height())
                             .arg(QLocale().formattedDataSize(QFileInfo(path).size())));
        if (name == selected)
            list->setCurrentItem(item);
    }
}

void CImageLibraryPane::Clear()
{
    shownKey.clear();
    list->clear();
    status->setText(Translate("1447"));
}

void CImageLibraryPane::ShowStatus(const QString& text)
{
    status->setText(text);
}

void CImageLibraryPane::Relabel()
{
    setWindowTitle(Translate("1492"));
    importButton->setText(Translate("1493"));
    status->setText(Translate("1447"));
}
