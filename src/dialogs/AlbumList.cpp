// The album list rows and their fixed-column text.
#include "dialogs/AlbumList.h"

#include "core/Cp932.h"
#include "core/FileIO.h"
#include "core/TextRules.h"

#include <QFileInfo>

#include <algorithm>

namespace quorbell {
namespace {

QString blanks(int n)
{
    return n > 0 ? QString(n, QLatin1Char(' ')) : QString();
}

// Width in half-width columns as the file holds the text: its length in code
// page 932 bytes. A full-width character counts 2; a character the file
// writes as "?" counts 1, even one made of two UTF-16 units.
int width(const QString& text)
{
    return int(cp932::encodeLossy(text).size());
}

} // namespace

QList<AlbumListRow> albumListRows(const QList<AlbumEntry>& entries, const QString& albumFolder,
                                  const FileExistsFn& fileExists)
{
    QList<AlbumListRow> rows;
    rows.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const AlbumEntry& e = entries.at(i);
        AlbumListRow row;
        row.number = QString::number(i + 1);
        row.albumName = nameBeforeFirstDot(e.fileName);
        if (!fileExists(albumFolder + withoutHiddenMark(e.fileName)))
            row.albumName.prepend(QLatin1Char('*'));
        row.comment = e.comment;
        row.type = e.fileName.right(3);
        row.size = sizeNumberText(storedSizeBytes(e.fileSize));
        row.date = e.fileDate.displayText();
        rows.append(row);
    }
    return rows;
}

QString albumListText(const QList<AlbumListRow>& rows)
{
    const int numberWidth = int(QString::number(rows.size()).size());
    int nameWidth = 1, commentWidth = 1, sizeWidth = 1;
    for (const AlbumListRow& r : rows) {
        nameWidth = std::max(nameWidth, width(r.albumName));
        commentWidth = std::max(commentWidth, width(r.comment));
        sizeWidth = std::max(sizeWidth, width(r.size));
    }

    QString text;
    const QString four = blanks(4);
    for (const AlbumListRow& r : rows) {
        text += blanks(numberWidth - width(r.number)) + r.number;
        text += blanks(3);
        text += r.albumName + four + blanks(nameWidth - width(r.albumName));
        text += r.comment + four + blanks(commentWidth - width(r.comment));
        text += r.type + four;
        text += blanks(sizeWidth - width(r.size)) + r.size + QStringLiteral("KB");
        text += four + r.date + QStringLiteral("\r\n");
    }
    return text;
}

QString albumListText(const QList<AlbumEntry>& entries, const QString& albumFolder,
                      const FileExistsFn& fileExists)
{
    return albumListText(albumListRows(entries, albumFolder, fileExists));
}

QList<AlbumListRow> albumListRowsBesideContainer(const QList<AlbumEntry>& entries,
                                                 const QString& containerPath)
{
    const QString folder = QFileInfo(containerPath).absolutePath() + QLatin1Char('/');
    return albumListRows(entries, folder,
                         [](const QString& path) { return QFileInfo::exists(path); });
}

QString albumListTextBesideContainer(const QList<AlbumEntry>& entries, const QString& containerPath)
{
    return albumListText(albumListRowsBesideContainer(entries, containerPath));
}

QByteArray albumListFileBytes(const QString& text)
{
    return cp932::encodeLossy(text);
}

bool writeAlbumListFile(const QString& path, const QString& text, QString* error)
{
    // A writable file in a folder we may not add to is written in place.
    return writeFileAtomically(path, albumListFileBytes(text), error,
                               {.directWriteFallback = true});
}

} // namespace quorbell
