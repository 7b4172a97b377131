// Everything a slideshow or a random display needs to run, as plain values:
// the grid's albums, where to start, the viewer options and the screen. The
// show copies it at the start and reports what it changes by signals, so it
// never reaches into the program's state itself.
#pragma once

#include "core/PasswordForm.h"
#include "viewer/PhotoNameLine.h"
#include "viewer/PhotoTarget.h"

#include <QList>
#include <QSize>
#include <QString>

namespace quorbell::viewer {

// One grid entry as the show sees it.
struct SlideAlbum
{
    QString fileName; // as held by the grid; a leading "*" marks a hidden entry
    QString path;     // album folder + file name
    QString comment;  // for the name line
    bool hidden = false;
};

struct SlideOptions
{
    bool random = false;      // random display instead of the slideshow
    bool autoAdvance = false; // optDispAuto
    bool endless = false;     // optDispCont
    bool range = false;       // optRange: over every album of the grid
    bool nameLine = false;    // optDispName
    int interval = 1;         // optInterval, seconds
    SizingChoice sizing = SizingChoice::Unchanged;
    NameLineStyle nameStyle;
};

struct SlideshowSetup
{
    QList<SlideAlbum> albums;
    int startAlbum = 0;
    SlideOptions options;
    QSize screen; // device pixels
    // The password bytes that open protected albums without a question (the
    // container's, at the start).
    PasswordBytes entered{};
};

} // namespace quorbell::viewer
