// The main window's client area. It owns the persistent image that every grid
// drawing paints into; a paint event only copies that image to the screen.
// The toolbar, status bar, progress bar and scroll bar are its children,
// placed by the main window's layout constants.
#pragma once

#include "document/GridLayout.h"

#include <QImage>
#include <QWidget>

namespace quorbell {

class GridSurface : public QWidget
{
    Q_OBJECT
public:
    explicit GridSurface(QWidget* parent = nullptr);

    // The persistent image, in logical pixels of the client area (its device
    // pixel ratio follows the screen, so drawing stays crisp).
    QImage& canvas() { return m_canvas; }
    const QImage& canvas() const { return m_canvas; }
    // Clears the persistent image to the window's background colour.
    void clearCanvas();
    // Shows what was drawn into the persistent image.
    void commit() { update(); }
    QColor backgroundColour() const;
    // Where the keyboard focus cue is drawn (the grid area between the
    // toolbar, the scroll bar and the status bar); over the image, never into it.
    void setFocusCueRect(const QRect& rect) { m_focusCueRect = rect; }

    // Where the grid stands after the last layout.
    GridLayout& layout() { return m_layout; }
    const GridLayout& layout() const { return m_layout; }

    // The cover picture drawn in every cell in cover view, and the size of
    // the picture it was made from; null until one was prepared.
    QImage coverPicture;
    QSize coverSize;

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button, QPoint pos);
    void doubleClicked();
    void wheelRows(int rows); // positive: down
    void resized();
    void selectionMovedByKey(); // the keyboard changed the selection as a click would

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ensureCanvasSize();

    QImage m_canvas;
    GridLayout m_layout;
    QRect m_focusCueRect;
    int m_wheelRemainder = 0; // eighths of a degree not yet turned into rows
};

} // namespace quorbell
