#include "grid/Sort.h"

#include "core/AlbumEntry.h"

#include <algorithm>
#include <vector>

namespace quorbell {

qint64 dateSortSeconds(const AlbumEntry& e)
{
    // An empty date stands for day zero of the date scale, as an unset date
    // value does; a text that is no date at all goes with it.
    return e.fileDate.sortSeconds().value_or(0);
}

void sortAlbums(QList<AlbumEntry>& albums, SortKey key)
{
    struct Keyed
    {
        qint64 seconds;
        qsizetype index;
    };
    std::vector<Keyed> order;
    order.reserve(albums.size());
    for (qsizetype i = 0; i < albums.size(); ++i)
        order.push_back({dateSortSeconds(albums.at(i)), i});

    const auto name = [&albums](const Keyed& k) -> const QString& {
        return albums.at(k.index).fileName;
    };
    switch (key) {
    case SortKey::DateAscending:
        std::stable_sort(order.begin(), order.end(),
                         [](const Keyed& a, const Keyed& b) { return a.seconds < b.seconds; });
        break;
    case SortKey::DateDescending:
        std::stable_sort(order.begin(), order.end(),
                         [](const Keyed& a, const Keyed& b) { return a.seconds > b.seconds; });
        break;
    case SortKey::NameAscending:
        // Ordinal, character code by character code, case-sensitive.
        std::stable_sort(order.begin(), order.end(), [&](const Keyed& a, const Keyed& b) {
            return QString::compare(name(a), name(b), Qt::CaseSensitive) < 0;
        });
        break;
    case SortKey::NameDescending:
        std::stable_sort(order.begin(), order.end(), [&](const Keyed& a, const Keyed& b) {
            return QString::compare(name(a), name(b), Qt::CaseSensitive) > 0;
        });
        break;
    }

    QList<AlbumEntry> sorted;
    sorted.reserve(albums.size());
    for (const Keyed& k : order)
        sorted.append(std::move(albums[k.index]));
    albums = std::move(sorted);
}

} // namespace quorbell
