// A main window with a document of painted thumbnails, for drawing and input tests.
#pragma once

#include "core/GlobalState.h"
#include "core/frmMain.h"

#include <QImage>
#include <QStringList>

#include <memory>

namespace quorbell::test {

// Fills the shared state with entries named as given (a leading "*" hides
// one), each with a solid thumbnail of w x h in its own colour.
void fillDocument(const QStringList& names, int cellSize = 80, QSize picture = QSize(60, 40));

// A shown main window whose grid surface is exactly the given size.
std::unique_ptr<frmMain> makeWindow(QSize client);

QColor thumbColour(int index);

} // namespace quorbell::test
