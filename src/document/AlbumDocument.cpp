#include "document/AlbumDocument.h"

namespace quorbell {

AlbumDocument::AlbumDocument(QObject* parent) : QObject(parent)
{
    connect(&m_undo, &QUndoStack::cleanChanged, this, &AlbumDocument::onCleanChanged);
}

AlbumDocument::~AlbumDocument()
{
    // The steps may refer to the document; they go first.
    m_undo.disconnect(this);
    m_undo.clear();
}

void AlbumDocument::setEntries(QList<AlbumEntry> entries)
{
    m_entries = std::move(entries);
    ++m_revision;
    Q_EMIT entriesReset();
}

void AlbumDocument::insertEntries(int index, const QList<AlbumEntry>& entries)
{
    if (entries.isEmpty())
        return;
    m_entries.insert(index, entries.size(), AlbumEntry());
    for (int k = 0; k < entries.size(); ++k)
        m_entries[index + k] = entries.at(k);
    ++m_revision;
    Q_EMIT entriesInserted(index, int(entries.size()));
}

void AlbumDocument::removeEntries(int index, int count)
{
    if (count <= 0)
        return;
    m_entries.remove(index, count);
    ++m_revision;
    Q_EMIT entriesRemoved(index, count);
}

void AlbumDocument::setEntry(int index, AlbumEntry entry)
{
    m_entries[index] = std::move(entry);
    ++m_revision;
    Q_EMIT entriesChanged(index, 1);
}

void AlbumDocument::reorderEntries(QList<AlbumEntry> entries)
{
    Q_ASSERT(entries.size() == m_entries.size());
    m_entries = std::move(entries);
    ++m_revision;
    Q_EMIT entriesReordered();
}

void AlbumDocument::setHiddenCount(qint16 count)
{
    if (m_hiddenCount == count)
        return;
    m_hiddenCount = count;
    ++m_revision;
    Q_EMIT hiddenCountChanged();
}

void AlbumDocument::setAlbumFolder(const QString& folder)
{
    if (m_albumFolder == folder)
        return;
    m_albumFolder = folder;
    Q_EMIT pathChanged();
}

void AlbumDocument::setContainerPath(const QString& path)
{
    if (m_containerPath == path)
        return;
    m_containerPath = path;
    Q_EMIT pathChanged();
}

void AlbumDocument::setCellSize(qint16 cellSize, const CommentMetrics& comment)
{
    m_cellSize = cellSize;
    m_comment = comment;
}

void AlbumDocument::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    Q_EMIT modifiedChanged(modified);
}

void AlbumDocument::setSelectedIndex(int index)
{
    // Said also when the index stays: selecting the selected entry again
    // is a selection too (it brings back the commands an insert switched off).
    m_selectedIndex = qint16(index);
    Q_EMIT selectionChanged(index);
}

void AlbumDocument::setClipboard(const AlbumEntry& entry)
{
    m_clipboard = entry;
    m_clipboardFilled = true;
    Q_EMIT clipboardChanged();
}

void AlbumDocument::startNewHistory(bool saved)
{
    m_settingHistory = true;
    m_undo.clear();
    if (!saved)
        m_undo.resetClean();
    m_settingHistory = false;
}

void AlbumDocument::markSaved()
{
    m_settingHistory = true;
    m_undo.setClean();
    m_settingHistory = false;
}

void AlbumDocument::onCleanChanged(bool clean)
{
    // Undo or redo reached or left the saved state; a new history or a save
    // sets the flag by its own rules.
    if (!m_settingHistory)
        setModified(!clean);
}

} // namespace quorbell
