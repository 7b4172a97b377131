#include "core/PromptOwner.h"

namespace quorbell {
namespace {

QPointer<QWidget>& claimingWindow()
{
    static QPointer<QWidget> window;
    return window;
}

} // namespace

void claimPrompts(QWidget* window)
{
    claimingWindow() = window;
}

void releasePrompts(QWidget* window)
{
    if (claimingWindow() == window)
        claimingWindow() = nullptr;
}

PromptParent::PromptParent(QWidget* fallback)
{
    if (QWidget* claimer = claimingWindow(); claimer && claimer->isVisible()) {
        m_widget = claimer;
        m_claimed = true;
    } else {
        m_widget = fallback;
    }
}

PromptParent::~PromptParent()
{
    // The closed question's window manager may have handed the focus to any
    // window; the claiming one (full screen) must stay on top and keep the keys.
    if (m_claimed && m_widget && m_widget->isVisible() && claimingWindow() == m_widget) {
        m_widget->raise();
        m_widget->activateWindow();
    }
}

} // namespace quorbell
