#include "album/AlbumEditModel.h"

#include "album/PhotoFile.h"
#include "core/Cp932.h"
#include "core/PasswordForm.h"

#include <limits>

namespace quorbell::album {

AlbumEditModel::AlbumEditModel(AlbumContents contents) : m_contents(std::move(contents))
{
    for (qsizetype i = 0; i < m_contents.entries.size(); ++i)
        m_keys.append(m_nextKey++);
}

QString AlbumEditModel::displayName(int index) const
{
    QByteArray name = photo(index).storedName;
    qsizetype marks = 0;
    while (marks < name.size() && name.at(marks) == '*')
        ++marks;
    return cp932::decode(name.mid(marks));
}

QSize AlbumEditModel::pixelSize(int index) const
{
    const quint32 word = quint32(photo(index).sizeWord);
    return QSize(int(word >> 16), int(word & 0xFFFF));
}

bool AlbumEditModel::addPhoto(AlbumEntry entry)
{
    if (photoCount() >= std::numeric_limits<qint16>::max())
        return false;
    m_contents.entries.append(std::move(entry));
    m_keys.append(m_nextKey++);
    m_modified = true;
    return true;
}

bool AlbumEditModel::removePhoto(int index)
{
    if (index < 0 || index >= photoCount())
        return false;
    m_contents.entries.removeAt(index);
    m_keys.removeAt(index);
    m_modified = true;
    return true;
}

bool AlbumEditModel::movePhoto(int from, int to)
{
    if (from < 0 || from >= photoCount() || to < 0 || to >= photoCount())
        return false;
    if (from == to)
        return true;
    m_contents.entries.move(from, to);
    m_keys.move(from, to);
    m_modified = true;
    return true;
}

bool AlbumEditModel::setPhotoHidden(int index, bool hidden)
{
    if (index < 0 || index >= photoCount())
        return false;
    AlbumEntry& entry = m_contents.entries[index];
    const QByteArray before = entry.storedName;
    if (!setHidden(entry, hidden))
        return false;
    m_modified = m_modified || entry.storedName != before;
    return true;
}

RenameProblem AlbumEditModel::renamePhoto(int index, const QString& name)
{
    if (index < 0 || index >= photoCount() || name.isEmpty())
        return RenameProblem::Empty;
    if (name.startsWith(QLatin1Char('*')))
        return RenameProblem::HiddenMark;
    AlbumEntry& entry = m_contents.entries[index];
    const std::optional<QByteArray> stored =
        storedPhotoName(entry.isHidden() ? QLatin1Char('*') + name : name);
    if (!stored)
        return RenameProblem::NotStorable;
    if (*stored != entry.storedName) {
        entry.storedName = *stored;
        m_modified = true;
    }
    return RenameProblem::None;
}

bool AlbumEditModel::setPassword(const QString& text)
{
    if (!isStorableNewPassword(text))
        return false;
    const PasswordBytes stored = text.isEmpty() ? kNoPassword : storedPasswordForm(text);
    if (stored != m_contents.password) {
        m_contents.password = stored;
        m_modified = true;
    }
    return true;
}

bool AlbumEditModel::hasPassword() const
{
    return quorbell::hasPassword(m_contents.password);
}

} // namespace quorbell::album
