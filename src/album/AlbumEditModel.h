// The edits of an album as a value: its contents and the steps that change
// them (add, remove, move, rename, hide, password). The album editor window
// shows and changes one of these, and quorbell-cli's album-edit applies its
// options through the same steps, so both make the same album. No widgets.
#pragma once

#include "album/AlbumContents.h"

#include <QList>
#include <QSize>
#include <QString>

namespace quorbell::album {

enum class RenameProblem {
    None,
    Empty,       // no name
    HiddenMark,  // starts with "*": hiding is a step of its own
    NotStorable, // a character without a code page 932 form, or too long
};

class AlbumEditModel
{
public:
    explicit AlbumEditModel(AlbumContents contents = {});

    const AlbumContents& contents() const { return m_contents; }
    int photoCount() const { return int(m_contents.entries.size()); }
    const AlbumEntry& photo(int index) const { return m_contents.entries.at(index); }
    // An identity that stays with the photo while it moves, so that a
    // thumbnail made on a worker finds its row again.
    quint64 photoKey(int index) const { return m_keys.at(index); }
    int indexOfKey(quint64 key) const { return int(m_keys.indexOf(key)); }

    // The name as shown: decoded, without the hidden mark.
    QString displayName(int index) const;
    // The pixel size from the size word.
    QSize pixelSize(int index) const;

    // Each step returns false, changing nothing, when it cannot be done
    // (an index out of range, an album already full, a name too long to mark).
    bool addPhoto(AlbumEntry entry); // at the end
    bool removePhoto(int index);
    bool movePhoto(int from, int to); // `to` as the album reads after the move
    bool setPhotoHidden(int index, bool hidden);
    RenameProblem renamePhoto(int index, const QString& name); // the hidden mark is kept
    // An empty text removes the password; false when the text cannot be one.
    bool setPassword(const QString& text);
    bool hasPassword() const;

    // True once a step changed something since the model was made or marked saved.
    bool isModified() const { return m_modified; }
    void markSaved() { m_modified = false; }

private:
    AlbumContents m_contents;
    QList<quint64> m_keys; // parallel to m_contents.entries
    quint64 m_nextKey = 1;
    bool m_modified = false;
};

} // namespace quorbell::album
