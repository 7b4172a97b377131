#include "core/GridSurface.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace quorbell {

GridSurface::GridSurface(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    ensureCanvasSize();
}

QColor GridSurface::backgroundColour() const
{
    return palette().color(QPalette::Window);
}

void GridSurface::clearCanvas()
{
    ensureCanvasSize();
    m_canvas.fill(backgroundColour());
}

void GridSurface::ensureCanvasSize()
{
    const qreal dpr = devicePixelRatioF();
    const QSize devicePixels = (QSizeF(size()) * dpr).toSize().expandedTo(QSize(1, 1));
    if (m_canvas.size() == devicePixels && m_canvas.devicePixelRatio() == dpr)
        return;
    QImage grown(devicePixels, QImage::Format_RGB32);
    grown.setDevicePixelRatio(dpr);
    grown.fill(backgroundColour());
    if (!m_canvas.isNull()) {
        // Keep what was drawn, as a persistent image does when its window grows.
        QPainter p(&grown);
        p.drawImage(QPoint(0, 0), m_canvas);
    }
    m_canvas = grown;
}

void GridSurface::paintEvent(QPaintEvent* event)
{
    ensureCanvasSize();
    QPainter p(this);
    p.drawImage(event->rect(), m_canvas,
                QRectF(QRectF(event->rect()).topLeft() * m_canvas.devicePixelRatio(),
                       QSizeF(event->rect().size()) * m_canvas.devicePixelRatio()));
    if (hasFocus() && !m_focusCueRect.isEmpty()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        p.drawRect(m_focusCueRect.adjusted(1, 1, -2, -2));
    }
}

void GridSurface::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update(); // the focus cue
}

void GridSurface::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void GridSurface::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ensureCanvasSize();
    Q_EMIT resized();
}

void GridSurface::mousePressEvent(QMouseEvent* event)
{
    // Whole pixels, to the nearest integer.
    Q_EMIT mouseDown(event->button(), event->position().toPoint());
}

void GridSurface::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click still counts as a press for selection.
    Q_EMIT mouseDown(event->button(), event->position().toPoint());
    Q_EMIT doubleClicked();
}

void GridSurface::wheelEvent(QWheelEvent* event)
{
    // One notch (120 eighths of a degree) is one row.
    m_wheelRemainder -= event->angleDelta().y();
    const int rows = m_wheelRemainder / 120;
    m_wheelRemainder -= rows * 120;
    if (rows != 0)
        Q_EMIT wheelRows(rows);
    event->accept();
}

} // namespace quorbell
