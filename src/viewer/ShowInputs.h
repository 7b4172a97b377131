// What the show's rules read of the program: the document, the settings,
// the viewer's tables and the screen's size in device pixels.
#pragma once

#include <QSize>

namespace quorbell {

class AlbumDocument;
struct Settings;
struct ViewerState;

namespace viewer {

struct ShowInputs
{
    const AlbumDocument& document;
    const Settings& settings;
    const ViewerState& viewerState;
    QSize screen;
};

} // namespace viewer
} // namespace quorbell
