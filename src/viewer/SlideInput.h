// What a key or a wheel turn means in the viewer, by mode of advance. Pure, so
// the whole key map is checked from one table.
#pragma once

#include <Qt>

namespace quorbell::viewer {

enum class SlideAction {
    None,
    Close,       // Esc
    Next,        // manual: as the left button
    Previous,    // manual: as the right button (closes before the first photo)
    First,       // manual: the album's first photo that may be shown
    Last,        // manual: its last
    Pause,       // automatic: pause or resume
    StepForward, // automatic: the next photo now, the interval starts again
    StepBack,    // automatic: the photo before, the interval starts again
    ZoomIn,
    ZoomOut,
    ZoomActual, // 100 %: one photo pixel per screen pixel
    ZoomFit     // back to the fitted view
};

SlideAction keyAction(int key, Qt::KeyboardModifiers modifiers, bool autoAdvance);

// One wheel notch (vertical delta > 0: forward, away from the user).
SlideAction wheelAction(int delta, Qt::KeyboardModifiers modifiers, bool autoAdvance);

} // namespace quorbell::viewer
