// The open document: its entries, where its albums and its container file
// are, its passwords, its cell size, the modified state, the selection and
// the internal clipboard. It changes only through its methods, which say what
// changed by signal; the window's parts listen. The main window owns it and
// hands it to the parts that need it. Its edits go through its undo stack.
#pragma once

#include "core/AlbumEntry.h"
#include "core/CommentMetrics.h"
#include "core/PasswordForm.h"

#include <QList>
#include <QObject>
#include <QUndoStack>

namespace quorbell {

class AlbumDocument : public QObject
{
    Q_OBJECT
public:
    explicit AlbumDocument(QObject* parent = nullptr);
    ~AlbumDocument() override;

    // Entries.
    const QList<AlbumEntry>& entries() const { return m_entries; }
    const AlbumEntry& entry(int index) const { return m_entries.at(index); }
    qint16 albumCount() const { return qint16(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    // Entries that are not hidden, and the hidden ones as counted so far
    // (the loading loop counts them as it reaches them).
    qint16 hiddenCount() const { return m_hiddenCount; }
    qint16 shownCount() const { return qint16(albumCount() - m_hiddenCount); }
    QString albumPath(int index) const { return m_albumFolder + entry(index).fileName; }

    void setEntries(QList<AlbumEntry> entries);
    void insertEntries(int index, const QList<AlbumEntry>& entries);
    void insertEntry(int index, const AlbumEntry& entry) { insertEntries(index, {entry}); }
    void removeEntries(int index, int count);
    void removeEntry(int index) { removeEntries(index, 1); }
    void setEntry(int index, AlbumEntry entry);
    // The same entries in another order (a sort): the grid starts again from the top.
    void reorderEntries(QList<AlbumEntry> entries);
    // Where the grid drew the entry: a layout record, not a change of the document.
    void recordCellPos(int index, qint32 cellPos) { m_entries[index].cellPos = cellPos; }
    void setHiddenCount(qint16 count);
    // Goes up with every change of the entries or the hidden count: an edit
    // compares it before and after to know whether it changed anything.
    quint64 revision() const { return m_revision; }

    // Entries loaded so far by the loading loop, from the first one on.
    qint16 loadIndex() const { return m_loadIndex; }
    void setLoadIndex(qint16 index) { m_loadIndex = index; }

    // Folders end in "/".
    const QString& albumFolder() const { return m_albumFolder; }
    const QString& containerPath() const { return m_containerPath; }
    void setAlbumFolder(const QString& folder);
    void setContainerPath(const QString& path);

    // Password buffers, all in the stored form.
    const PasswordBytes& containerPassword() const { return m_containerPassword; }
    const PasswordBytes& albumPassword() const { return m_albumPassword; }
    const PasswordBytes& enteredPassword() const { return m_enteredPassword; }
    void setContainerPassword(const PasswordBytes& p) { m_containerPassword = p; }
    void setAlbumPassword(const PasswordBytes& p) { m_albumPassword = p; }
    void setEnteredPassword(const PasswordBytes& p) { m_enteredPassword = p; }

    qint16 cellSize() const { return m_cellSize; }
    const CommentMetrics& comment() const { return m_comment; }
    void setCellSize(qint16 cellSize, const CommentMetrics& comment);

    bool isModified() const { return m_modified; }
    void setModified(bool modified);
    // Built from album files, not read from a container.
    bool isGridSource() const { return m_gridSource; }
    void setGridSource(bool on) { m_gridSource = on; }

    qint16 selectedIndex() const { return m_selectedIndex; }
    void setSelectedIndex(int index);

    // The internal clipboard: one entry, once something was copied.
    const AlbumEntry& clipboard() const { return m_clipboard; }
    bool isClipboardFilled() const { return m_clipboardFilled; }
    void setClipboard(const AlbumEntry& entry);

    // Every edit of the entries is a step on this stack. Its clean state is
    // the saved or opened document: reaching it clears the modified flag,
    // leaving it sets the flag.
    QUndoStack& undoStack() { return m_undo; }
    // A new history (open, new, save as): no steps. `saved` says whether the
    // document as it is now is on disk; a grid not yet saved has no clean state.
    void startNewHistory(bool saved);
    // The document was saved: this is the clean state.
    void markSaved();

Q_SIGNALS:
    void entriesReset();
    void entriesInserted(int index, int count);
    void entriesRemoved(int index, int count);
    void entriesChanged(int index, int count);
    void entriesReordered();
    void hiddenCountChanged();
    void selectionChanged(int index);
    void modifiedChanged(bool modified);
    void pathChanged();
    void clipboardChanged();

private:
    void onCleanChanged(bool clean);

    QList<AlbumEntry> m_entries;
    quint64 m_revision = 0;
    qint16 m_hiddenCount = 0;
    qint16 m_loadIndex = 0;
    QString m_albumFolder;
    QString m_containerPath;
    PasswordBytes m_containerPassword{};
    PasswordBytes m_albumPassword{};
    PasswordBytes m_enteredPassword{};
    qint16 m_cellSize = 0;
    CommentMetrics m_comment;
    bool m_modified = false;
    bool m_gridSource = false;
    qint16 m_selectedIndex = 0;
    AlbumEntry m_clipboard;
    bool m_clipboardFilled = false;
    QUndoStack m_undo;
    bool m_settingHistory = false; // a new history moves the clean state without an edit
};

} // namespace quorbell
