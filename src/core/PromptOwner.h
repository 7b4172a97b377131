// The window that modal questions belong to. Normally the main window; while
// the full-screen viewer runs it claims them, so that a window manager keeps
// each question above the viewer and, once it is answered, gives the viewer
// back the top of the stack and the keyboard instead of the main window.
#pragma once

#include <QPointer>
#include <QWidget>

namespace quorbell {

// Questions asked from now on belong to `window` (null: to the fallback).
void claimPrompts(QWidget* window);
// Gives up the claim of `window`; a claim by another window stays.
void releasePrompts(QWidget* window);

// The parent of one modal question: the claiming window when there is one,
// else `fallback`. When it goes out of scope after the question, a claiming
// window that is still shown is raised and activated again.
class PromptParent
{
public:
    explicit PromptParent(QWidget* fallback);
    ~PromptParent();
    PromptParent(const PromptParent&) = delete;
    PromptParent& operator=(const PromptParent&) = delete;

    QWidget* widget() const { return m_widget; }

private:
    QPointer<QWidget> m_widget;
    bool m_claimed = false;
};

} // namespace quorbell
