// The viewer's photo tables.
#include "viewer/ViewerTables.h"

#include "core/ViewerState.h"

namespace quorbell::viewer {

QString showOrderName(const album::AlbumPhoto& photo)
{
    if (photo.hasReadableImage() || photo.isHidden())
        return photo.name;
    return QLatin1Char('*') + photo.name;
}

void setViewerTables(ViewerState& g, const album::AlbumTable& table)
{
    clearViewerTables(g);
    // The reader refuses more photos than a 16-bit count holds.
    g.viewerPhotoCount = qint16(table.photos.size());
    for (const album::AlbumPhoto& p : table.photos) {
        g.photoNames.append(showOrderName(p));
        g.photoSizes.append(p.sizeWord);
        g.photoPositions.append(p.position);
        g.photoLengths.append(p.length);
    }
}

void clearViewerTables(ViewerState& g)
{
    g.viewerPhotoCount = 0;
    g.photoNames.clear();
    g.photoSizes.clear();
    g.photoPositions.clear();
    g.photoLengths.clear();
}

bool hasViewerPhoto(const ViewerState& g, int index)
{
    return index >= 0 && index < g.viewerPhotoCount && index < g.photoNames.size() &&
           index < g.photoSizes.size() && index < g.photoPositions.size() &&
           index < g.photoLengths.size();
}

album::AlbumPhoto viewerPhoto(const ViewerState& g, int index)
{
    album::AlbumPhoto p;
    if (!hasViewerPhoto(g, index))
        return p;
    p.name = g.photoNames.at(index);
    p.sizeWord = g.photoSizes.at(index);
    p.position = g.photoPositions.at(index);
    p.length = g.photoLengths.at(index);
    return p;
}

} // namespace quorbell::viewer
