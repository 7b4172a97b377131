// The album cover shown in every cell instead of the thumbnails, and the
// switches for cover view and comment strips.
#pragma once

#include <QImage>
#include <QString>

namespace quorbell {

class frmMain;

// Loads the cover picture (BMP, JPEG or GIF), fitted to the current cell
// size; keeps its full size as the cover's width and height. When the file
// is missing or unreadable it warns and leaves the previous cover as it was.
// Returns true when a cover was prepared.
bool PrepareCover(frmMain& w);

// The cover scaled to fit a cell; a null image when it cannot be read.
QImage loadCoverPicture(const QString& path, int cellSize, QSize* fullSize = nullptr);

void frmMain_mnuViewCover_Click(frmMain& w);
void frmMain_mnuViewComment_Click(frmMain& w);

} // namespace quorbell
