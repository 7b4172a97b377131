// The album editor's photo list: one row per photo (picture and name, pixel
// size, hidden mark). Rows are dragged to a new place, and image files
// dragged in from a file manager are offered for adding; the list itself
// changes nothing, the window applies both to its album and redraws.
#pragma once

#include <QStringList>
#include <QTreeWidget>

namespace quorbell::editor {

class PhotoListView : public QTreeWidget
{
    Q_OBJECT
public:
    enum Column { NameColumn, SizeColumn, HiddenColumn };

    explicit PhotoListView(QWidget* parent = nullptr);

signals:
    void moveRequested(int from, int to);
    void filesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Only the name is edited in place.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
};

// The local files a drop from a file manager names (text/uri-list).
QStringList droppedLocalFiles(const class QMimeData* data);

} // namespace quorbell::editor
