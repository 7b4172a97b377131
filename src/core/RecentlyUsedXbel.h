// The desktop's list of recently used files (recently-used.xbel), which file
// choosers and launchers show: one bookmark per file, with the programs that
// used it. Other programs' bookmarks are kept as they are; a file that is
// too large, not a regular file, not well-formed or carrying a document type
// declaration is left alone rather than rewritten.
#pragma once

#include <QDateTime>
#include <QString>

namespace quorbell {

struct RecentlyUsedEntry
{
    QString filePath; // absolute
    QString mimeType;
    QString application; // the program's name in the list
    QString exec;        // how the list says to run it: "'program %u'"
    QDateTime when;
};

inline constexpr qint64 kMostRecentlyUsedBytes = 8 * 1024 * 1024;

// Adds or refreshes the bookmark of `entry.filePath` in the list at
// `xbelFile` (made when missing); false when the list was left alone.
bool recordRecentlyUsed(const QString& xbelFile, const RecentlyUsedEntry& entry);

} // namespace quorbell
