// The show's view of an album's photo table.
#include "viewer/ViewerTables.h"

namespace quorbell::viewer {

QString showOrderName(const album::AlbumPhoto& photo)
{
    if (photo.hasReadableImage() || photo.isHidden())
        return photo.name;
    return QLatin1Char('*') + photo.name;
}

} // namespace quorbell::viewer
