// The list of recently opened and saved containers: up to eight absolute
// paths, newest first, in a small file of its own under the user's state
// folder (the settings file's layout is fixed and has no room for it).
#pragma once

#include <QString>
#include <QStringList>

namespace quorbell {

inline constexpr int kMaxRecentContainers = 8;

// $XDG_STATE_HOME/Quorbell/recent-containers, with ~/.local/state when the
// variable is unset or not an absolute path.
QString recentContainersFile();
// The desktop's recently-used list: $XDG_DATA_HOME/recently-used.xbel, with
// ~/.local/share in the same way.
QString recentlyUsedFile();

// The paths kept in `file`: one per line in UTF-8; at most the first 64 KiB
// are read, and only absolute paths without control characters are kept,
// each once, at most eight. A missing or unreadable file is an empty list.
QStringList readRecentContainers(const QString& file);

// Writes the list (through a temporary file renamed over the old one).
bool writeRecentContainers(const QString& file, const QStringList& paths);

// `path` put first, its older place dropped, the list cut to eight.
QStringList withRecentContainer(QStringList paths, const QString& path);

// Records `path` in the recent list and in the desktop's recently-used list.
void rememberRecentContainer(const QString& path);
// Drops `path` from the recent list (a file that is gone).
void forgetRecentContainer(const QString& path);

} // namespace quorbell
