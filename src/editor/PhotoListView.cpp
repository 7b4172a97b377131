#include "editor/PhotoListView.h"

#include <QCoreApplication>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QUrl>

namespace quorbell::editor {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(PhotoListView)
};
} // namespace

PhotoListView::PhotoListView(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("lstPhotos"));
    setColumnCount(3);
    setHeaderLabels({Tr::tr("名前"), Tr::tr("大きさ"), Tr::tr("非表示")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    header()->setStretchLastSection(false);
}

QStringList droppedLocalFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

bool PhotoListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (index.column() != NameColumn && trigger != QAbstractItemView::NoEditTriggers)
        return false;
    return QTreeWidget::edit(index, trigger, event);
}

void PhotoListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this) {
        QTreeWidget::dragEnterEvent(event);
    } else if (!droppedLocalFiles(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void PhotoListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() == this) {
        QTreeWidget::dragMoveEvent(event);
    } else if (!droppedLocalFiles(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void PhotoListView::dropEvent(QDropEvent* event)
{
    if (event->source() != this) {
        const QStringList files = droppedLocalFiles(event->mimeData());
        if (files.isEmpty()) {
            event->ignore();
            return;
        }
        event->setDropAction(Qt::CopyAction);
        event->accept();
        emit filesDropped(files);
        return;
    }
    // A row dragged within the list: the window moves the photo and redraws
    // the list. The drop is reported as a copy so that the view does not take
    // the dragged row away itself.
    const int from = currentIndex().row();
    const QModelIndex over = indexAt(event->position().toPoint());
    const int to = over.isValid() ? over.row() : topLevelItemCount() - 1;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (from >= 0 && to >= 0 && from != to)
        emit moveRequested(from, to);
}

} // namespace quorbell::editor
