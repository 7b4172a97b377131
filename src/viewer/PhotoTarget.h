// Where and how large a photo goes on the viewer's screen: the sizing choice,
// the new size, the scale factor, whether the photo is resampled, and the
// offsets that centre it. Pure arithmetic, so the viewer window stays thin.
#pragma once

#include <QPoint>
#include <QSize>

namespace quorbell::viewer {

// The three sizing choices of the settings dialog.
enum class SizingChoice {
    Unchanged,      // optSizeMax False: every photo at its own size
    ShrinkToFit,    // optSizeMax True, optFullSize False: only larger photos shrink
    ShrinkOrEnlarge // optSizeMax True, optFullSize True: every photo fits the screen
};

// optSizeMax and optFullSize as one choice; optFullSize alone changes nothing.
SizingChoice sizingChoiceFrom(bool sizeMax, bool fullSize);

enum class ScalePath {
    AsIs,   // the decoded photo is drawn at its own size
    Shrink, // area-average shrinking to the new size
    Enlarge // bilinear enlarging to the new size
};

struct PhotoTarget
{
    // Pixels. On the AsIs path the photo keeps its own size and the new size
    // only decides the offsets.
    int newWidth = 0;
    int newHeight = 0;
    float scale = 1.0f; // new width / photo width as computed before any fallback
    ScalePath path = ScalePath::AsIs;
    int xOffset = 0; // top-left corner of the photo on the screen
    int yOffset = 0;

    QPoint offset() const { return {xOffset, yOffset}; }
    QSize newSize() const { return {newWidth, newHeight}; }
    friend bool operator==(const PhotoTarget&, const PhotoTarget&) = default;
};

// The photo's place on a screen of the given size. photo is the decoded
// photo's real pixel size. Ties between the width and height ratios go to the
// height; the other side is the integer quotient. A side that would come out
// as 0 pixels (a photo of extreme proportions) is kept at 1. An empty photo or
// screen gives the AsIs path at (0, 0).
PhotoTarget computePhotoTarget(SizingChoice choice, QSize screen, QSize photo);

} // namespace quorbell::viewer
