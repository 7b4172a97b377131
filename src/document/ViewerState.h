// Where the running show stands, as the viewer reports it to the main window
// (which holds it): random display or slideshow, the album being shown and
// the photo on the screen.
#pragma once

#include <QSize>
#include <QString>

namespace quorbell {

struct ViewerState
{
    bool random = false; // the run draws albums and photos at random
    QString viewerAlbumPath;
    qint16 viewerPhotoCount = 0;
    qint16 viewerPhotoIndex = 0;
    QSize pictureSize; // the photo on the screen, before fitting
};

} // namespace quorbell
