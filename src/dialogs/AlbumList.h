// The album list: one row per album of the grid (number, album name, comment,
// type, size, date) and the same list as fixed-column plain text, counted in
// half-width columns. Pure functions over the entries, so the dialog and the
// command-line tool print the same text.
#pragma once

#include "core/AlbumEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace quorbell {

struct AlbumListRow
{
    QString number;    // 1-based, decimal
    QString albumName; // file name before its first "."; "*" in front when the file is missing
    QString comment;
    QString type; // the last three characters of the file name
    QString size; // "##,##0" kilobytes (bytes div 1024 + 1), without "KB"
    QString date; // "yyyy/MM/dd H:mm:ss", or a stored date text as it is
};

// Answers whether a file exists; the dialog asks the file system, tests and
// tools may answer from a list.
using FileExistsFn = std::function<bool(const QString& path)>;

// The rows of the list, in grid order. A hidden entry's file is looked for
// under its name without the "*".
QList<AlbumListRow> albumListRows(const QList<AlbumEntry>& entries, const QString& albumFolder,
                                  const FileExistsFn& fileExists);

// The plain text: one line per row, no header, each line ended by CR LF. The
// number is right-aligned to the digits of the row count; album name and
// comment are padded so the next column starts at the same half-width column
// on every line; the size is right-aligned and followed by "KB".
QString albumListText(const QList<AlbumListRow>& rows);
QString albumListText(const QList<AlbumEntry>& entries, const QString& albumFolder,
                      const FileExistsFn& fileExists);

// The rows and the text for the entries of a container file, whose albums are
// looked for beside it: what the command-line tool's "list" prints (as UTF-8)
// or writes (with writeAlbumListFile) once it can read a container.
QList<AlbumListRow> albumListRowsBesideContainer(const QList<AlbumEntry>& entries,
                                                 const QString& containerPath);
QString albumListTextBesideContainer(const QList<AlbumEntry>& entries,
                                     const QString& containerPath);

// The bytes of the text file: code page 932, a character without a code page
// 932 form written as "?".
QByteArray albumListFileBytes(const QString& text);

// Writes the text file through a temporary file renamed over the target, so
// a failed write leaves an older file as it was. On failure error (when
// given) gets the system's reason.
bool writeAlbumListFile(const QString& path, const QString& text, QString* error = nullptr);

} // namespace quorbell
