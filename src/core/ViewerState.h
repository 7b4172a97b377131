// What the photo viewer keeps about the album it shows: its photo table and
// where the show stands. The main window holds it for the viewer's run.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quorbell {

struct ViewerState
{
    bool random = false; // the run draws albums and photos at random
    QString viewerAlbumPath;
    qint16 viewerPhotoCount = 0;
    qint16 viewerPhotoIndex = 0;
    QStringList photoNames;
    QList<qint32> photoSizes;
    QList<qint32> photoPositions; // 1-based byte positions in the album file
    QList<qint32> photoLengths;
};

} // namespace quorbell
