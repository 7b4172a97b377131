// Small text rules shared by the grid, the dialogs and the reports.
#pragma once

#include <QString>

namespace quorbell {

// "##,##0KB" from bytes: bytes div 1024 + 1 (0 bytes -> "1KB", 1,048,576 -> "1,025KB").
QString sizeTextKB(qint64 bytes);
// The number alone, "##,##0" (the album list's size column).
QString sizeNumberText(qint64 bytes);
// An album's size in bytes from its stored 32-bit word: the word holds the
// size modulo 2^32, so an album of 2 GB or more reads back as unsigned.
constexpr qint64 storedSizeBytes(qint32 stored)
{
    return qint64(quint32(stored));
}

// Width in half-width columns: a character with a double-byte code page 932
// code counts 2, every other character 1.
int halfWidthColumns(QChar c);
int halfWidthWidth(const QString& text);

// The characters a typed file name may not contain: / \ : " * ? < > |
bool containsForbiddenFileChar(const QString& text);

// A file name up to, not including, its first "."; the whole name when it has none.
QString nameBeforeFirstDot(const QString& fileName);
// The comment a newly chosen album starts with: its file name, without a
// hidden mark, up to the first "." (the whole name when it has none).
QString initialComment(const QString& fileName);

// Everything from the first "." to the end, the dot included; empty without a dot.
QString extensionFromFirstDot(const QString& fileName);

// Hidden entries carry a leading "*".
inline bool isHiddenName(const QString& name)
{
    return name.startsWith(QLatin1Char('*'));
}
// The name without its hidden mark.
QString withoutHiddenMark(const QString& name);

// A folder path ending in "/".
QString withTrailingSlash(const QString& folder);

// One surrounding pair of quotation marks removed, nothing else.
QString unquoteArgument(const QString& arg);

} // namespace quorbell
