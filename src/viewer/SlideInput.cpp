// The viewer's key and wheel map.
#include "viewer/SlideInput.h"

namespace quorbell::viewer {

SlideAction keyAction(int key, Qt::KeyboardModifiers modifiers, bool autoAdvance)
{
    Q_UNUSED(modifiers);
    switch (key) {
    case Qt::Key_Escape:
        return SlideAction::Close;
    case Qt::Key_Plus:
    case Qt::Key_Equal: // "+" without Shift on many layouts
        return SlideAction::ZoomIn;
    case Qt::Key_Minus:
        return SlideAction::ZoomOut;
    case Qt::Key_1:
        return SlideAction::ZoomActual;
    case Qt::Key_0:
        return SlideAction::ZoomFit;
    default:
        break;
    }
    if (autoAdvance) {
        switch (key) {
        case Qt::Key_Space:
            return SlideAction::Pause;
        case Qt::Key_Right:
            return SlideAction::StepForward;
        case Qt::Key_Left:
            return SlideAction::StepBack;
        default:
            return SlideAction::None;
        }
    }
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Space:
    case Qt::Key_PageDown:
        return SlideAction::Next;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Backspace:
    case Qt::Key_PageUp:
        return SlideAction::Previous;
    case Qt::Key_Home:
        return SlideAction::First;
    case Qt::Key_End:
        return SlideAction::Last;
    default:
        return SlideAction::None;
    }
}

SlideAction wheelAction(int delta, Qt::KeyboardModifiers modifiers, bool autoAdvance)
{
    if (delta == 0)
        return SlideAction::None;
    if (modifiers & Qt::ControlModifier)
        return delta > 0 ? SlideAction::ZoomIn : SlideAction::ZoomOut;
    if (autoAdvance)
        return SlideAction::None;
    return delta > 0 ? SlideAction::Next : SlideAction::Previous;
}

} // namespace quorbell::viewer
