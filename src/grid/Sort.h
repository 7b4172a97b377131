// Reordering the document by album file date or file name, ascending or
// descending. Entries with equal keys keep their relative order, and hidden
// entries are sorted with the rest.
#pragma once

#include <QList>

namespace quorbell {

struct AlbumEntry;

enum class SortKey { DateAscending, DateDescending, NameAscending, NameDescending };

// Stable, O(N log N): the same order as choosing, for each position in turn,
// the first entry whose key is strictly best among the rest and moving it there.
void sortAlbums(QList<AlbumEntry>& albums, SortKey key);

// Seconds of an entry's date for ordering; an empty or unreadable date counts
// as the earliest possible.
qint64 dateSortSeconds(const AlbumEntry& e);

} // namespace quorbell
