// A main window with a document of painted thumbnails, for drawing and input tests.
#pragma once

#include "core/frmMain.h"

#include <QImage>
#include <QStringList>

#include <memory>

namespace quorbell::test {

// Fills the document with entries named as given (a leading "*" hides one),
// each with a solid thumbnail of w x h in its own colour, all loaded.
void fillDocument(AlbumDocument& doc, const QStringList& names, int cellSize = 80,
                  QSize picture = QSize(60, 40));

// A shown main window whose grid surface is exactly the given size.
std::unique_ptr<frmMain> makeWindow(QSize client);

QColor thumbColour(int index);

// Changes one entry of the document through the document's own method.
template <class Edit> void changeEntry(AlbumDocument& doc, int index, Edit edit)
{
    AlbumEntry e = doc.entry(index);
    edit(e);
    doc.setEntry(index, std::move(e));
}

} // namespace quorbell::test
