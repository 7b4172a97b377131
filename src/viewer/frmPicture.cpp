#include "viewer/frmPicture.h"

#include "core/PromptOwner.h"
#include "viewer/Slideshow.h"

#include <QCoreApplication>

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(frmPicture)
};
} // namespace
namespace {

QPointer<frmPicture>& currentViewer()
{
    static QPointer<frmPicture> viewer;
    return viewer;
}

// Pointer travel, in device pixels, that turns a press on a zoomed photo
// into a drag instead of a click.
constexpr double kDragThreshold = 4.0;

} // namespace

frmPicture::frmPicture(QWidget* owner, QScreen* screen, QSize screenSize, viewer::Slideshow* show)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint), m_show(show),
      m_screenSize(screenSize.expandedTo(QSize(1, 1)))
{
    setObjectName(QStringLiteral("frmPicture"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::BlankCursor);
    if (screen) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    m_canvas = QImage(m_screenSize, QImage::Format_RGB32);
    m_canvas.fill(Qt::black);

    m_show->setParent(this);
    connect(m_show, &viewer::Slideshow::photoReady, this, &frmPicture::showPhoto);
    connect(m_show, &viewer::Slideshow::originalReady, this, &frmPicture::originalArrived);

    // The name line lies over the photo; only its text is drawn.
    m_lblPhotoName = new QLabel(this);
    m_lblPhotoName->setObjectName(QStringLiteral("lblPhotoName"));
    m_lblPhotoName->setAlignment(Qt::AlignCenter);
    m_lblPhotoName->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lblPhotoName->hide();

    m_pauseMark = new QLabel(Tr::tr("一時停止"), this);
    m_pauseMark->setObjectName(QStringLiteral("pauseMark"));
    m_pauseMark->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pauseMark->setStyleSheet(
        QStringLiteral("QLabel { color: white; background: #505050; padding: 4px 8px; }"));
    m_pauseMark->adjustSize();
    m_pauseMark->move(12, 12);
    m_pauseMark->hide();
    connect(m_show, &viewer::Slideshow::pausedChanged, m_pauseMark, &QLabel::setVisible);

    currentViewer() = this;
    // Questions asked while the show runs (an album's password, a wrong
    // password, a bad album) are the viewer's, never the main window's.
    claimPrompts(this);
}

frmPicture::~frmPicture()
{
    restorePointer();
    releasePrompts(this);
    if (currentViewer() == this)
        currentViewer() = nullptr;
}

frmPicture* frmPicture::current()
{
    frmPicture* v = currentViewer();
    return v && !v->m_unloaded ? v : nullptr;
}

QTimer* frmPicture::sldTimer() const
{
    return m_show->timer();
}

void frmPicture::hidePointer()
{
    if (m_pointerHidden)
        return;
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    m_pointerHidden = true;
}

void frmPicture::restorePointer()
{
    if (!m_pointerHidden)
        return;
    QGuiApplication::restoreOverrideCursor();
    m_pointerHidden = false;
}

void frmPicture::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_show->close();
    restorePointer();
    releasePrompts(this);
    hide();
    if (currentViewer() == this)
        currentViewer() = nullptr;
    deleteLater();
}

void frmPicture::showPhoto(const viewer::SlidePhoto& photo)
{
    if (m_unloaded)
        return;
    m_photo = photo.prepared;
    m_original = QImage();
    m_zoom.reset();
    drawCanvas();
    m_lastShown = {photo.albumIndex,    photo.photoIndex,     photo.albumPath,
                   photo.prepared.ok(), photo.prepared.error, photo.ahead};
    ++m_photosShown;
    showNameLine(photo);
    update();
}

void frmPicture::drawCanvas()
{
    // Nothing of the photo before stays on the screen.
    m_canvas.fill(Qt::black);
    if (!m_photo.ok())
        return;
    QPainter p(&m_canvas);
    if (!m_zoom) {
        p.drawImage(m_photo.target.offset(), m_photo.image);
        return;
    }
    // Only the part on the screen is scaled, from the decoded photo once it
    // is there and from the fitted image until then.
    const QImage& source = m_original.isNull() ? m_photo.image : m_original;
    const QSizeF photoSize = QSizeF(m_photo.photoSize);
    const QRectF onScreen = m_zoom->rect(m_photo.photoSize) & QRectF(m_canvas.rect());
    if (onScreen.isEmpty() || photoSize.isEmpty())
        return;
    const double sx = source.width() / photoSize.width() / m_zoom->scale;
    const double sy = source.height() / photoSize.height() / m_zoom->scale;
    const QRectF from((onScreen.x() - m_zoom->origin.x()) * sx,
                      (onScreen.y() - m_zoom->origin.y()) * sy, onScreen.width() * sx,
                      onScreen.height() * sy);
    p.setRenderHint(QPainter::SmoothPixmapTransform, m_zoom->scale < 1.0 || sx < 1.0);
    p.drawImage(onScreen, source, from);
}

void frmPicture::showNameLine(const viewer::SlidePhoto& photo)
{
    if (!photo.line)
        return;
    const viewer::PhotoNameLine& line = *photo.line;
    m_lblPhotoName->setText(line.text);
    m_lblPhotoName->setFont(line.font());
    QPalette pal = m_lblPhotoName->palette();
    pal.setColor(QPalette::WindowText, line.colour());
    m_lblPhotoName->setPalette(pal);
    // The line's top and height are screen pixels; on a screen with a device
    // pixel ratio the font's points grow with it, so the line keeps its
    // height in the window's own pixels and sits at the bottom edge.
    const int screenHeight = int(std::lround(m_screenSize.height() / devicePixelRatioF()));
    m_lblPhotoName->setGeometry(0, screenHeight - line.height, width(), line.height);
    m_lblPhotoName->show();
    m_lblPhotoName->repaint();
}

void frmPicture::originalArrived(int albumIndex, int photoIndex, const QImage& image)
{
    if (albumIndex != m_lastShown.albumIndex || photoIndex != m_lastShown.photoIndex)
        return;
    m_original = image;
    if (m_zoom) {
        drawCanvas();
        update();
    }
}

void frmPicture::zoomTo(double scale, QPointF anchor)
{
    if (!m_photo.ok() || m_photo.photoSize.isEmpty())
        return;
    viewer::ZoomView from;
    if (m_zoom) {
        from = *m_zoom;
    } else {
        // The fitted view as the starting point.
        from.scale = double(m_photo.image.width()) / m_photo.photoSize.width();
        from.origin = m_photo.target.offset();
    }
    m_zoom = viewer::zoomAround(from, scale, anchor, m_photo.photoSize, m_canvas.size());
    if (m_original.isNull())
        m_show->wantOriginal();
    drawCanvas();
    update();
}

void frmPicture::act(viewer::SlideAction action, QPointF anchor)
{
    using viewer::SlideAction;
    using viewer::StepDirection;
    const double scale = m_zoom ? m_zoom->scale
                                : (m_photo.photoSize.isEmpty()
                                       ? 1.0
                                       : double(m_photo.image.width()) / m_photo.photoSize.width());
    switch (action) {
    case SlideAction::None:
        return;
    case SlideAction::Close:
        m_show->close();
        return;
    case SlideAction::Next:
        m_show->press(StepDirection::Forward);
        return;
    case SlideAction::Previous:
        m_show->press(StepDirection::Back);
        return;
    case SlideAction::First:
        m_show->jumpToEnd(StepDirection::Back);
        return;
    case SlideAction::Last:
        m_show->jumpToEnd(StepDirection::Forward);
        return;
    case SlideAction::Pause:
        m_show->togglePause();
        return;
    case SlideAction::StepForward:
        m_show->stepNow(StepDirection::Forward);
        return;
    case SlideAction::StepBack:
        m_show->stepNow(StepDirection::Back);
        return;
    case SlideAction::ZoomIn:
        zoomTo(scale * viewer::kZoomStep, anchor);
        return;
    case SlideAction::ZoomOut:
        zoomTo(scale / viewer::kZoomStep, anchor);
        return;
    case SlideAction::ZoomActual:
        zoomTo(1.0, anchor);
        return;
    case SlideAction::ZoomFit:
        if (m_zoom) {
            m_zoom.reset();
            drawCanvas();
            update();
        }
        return;
    }
}

QPointF frmPicture::devicePoint(QPointF logical) const
{
    return logical * devicePixelRatioF();
}

QPointF frmPicture::pointerAnchor() const
{
    const QPointF p = devicePoint(mapFromGlobal(QCursor::pos()));
    if (QRectF(m_canvas.rect()).contains(p))
        return p;
    return QRectF(m_canvas.rect()).center();
}

void frmPicture::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect r = event->rect();
    const qreal dpr = devicePixelRatioF();
    // The persistent image is in device pixels: copied one to one. Only a
    // window larger than the screen it was made for has parts beyond it.
    if (!QRectF(QPointF(0, 0), QSizeF(m_canvas.size()) / dpr).contains(QRectF(r)))
        p.fillRect(r, Qt::black);
    p.drawImage(QRectF(r), m_canvas, QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr));
}

void frmPicture::keyPressEvent(QKeyEvent* event)
{
    act(viewer::keyAction(event->key(), event->modifiers(), m_show->options().autoAdvance),
        pointerAnchor());
    event->accept();
}

void frmPicture::mousePressEvent(QMouseEvent* event)
{
    if (m_zoom && event->button() == Qt::LeftButton) {
        // A press on a zoomed photo may begin a drag; it steps on release
        // when the pointer has not moved.
        m_dragFrom = devicePoint(event->position());
        m_dragged = false;
    } else {
        m_show->press(event->button() == Qt::RightButton ? viewer::StepDirection::Back
                                                         : viewer::StepDirection::Forward);
    }
    event->accept();
}

void frmPicture::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragFrom && m_zoom) {
        const QPointF at = devicePoint(event->position());
        const QPointF delta = at - *m_dragFrom;
        if (m_dragged || std::hypot(delta.x(), delta.y()) >= kDragThreshold) {
            m_dragged = true;
            m_zoom = viewer::panBy(*m_zoom, delta, m_photo.photoSize, m_canvas.size());
            m_dragFrom = at;
            drawCanvas();
            update();
        }
    }
    event->accept();
}

void frmPicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragFrom && event->button() == Qt::LeftButton) {
        const bool click = !m_dragged;
        m_dragFrom.reset();
        m_dragged = false;
        if (click)
            m_show->press(viewer::StepDirection::Forward);
    }
    event->accept();
}

void frmPicture::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press too.
    QPointer<frmPicture> self(this);
    mousePressEvent(event);
    if (self && !m_unloaded)
        m_show->doubleClick();
    event->accept();
}

void frmPicture::wheelEvent(QWheelEvent* event)
{
    // Whole notches of 120 eighths of a degree; fine-grained wheels add up.
    m_wheelRest += event->angleDelta().y();
    const QPointF anchor = devicePoint(event->position());
    while (std::abs(m_wheelRest) >= 120 && !m_unloaded) {
        const int notch = m_wheelRest > 0 ? 1 : -1;
        m_wheelRest -= notch * 120;
        act(viewer::wheelAction(notch, event->modifiers(), m_show->options().autoAdvance), anchor);
    }
    event->accept();
}

void frmPicture::closeEvent(QCloseEvent* event)
{
    // Closed from outside (the window manager): the show ends as by Esc.
    if (!m_unloaded)
        m_show->close();
    event->accept();
}

PointerShownDuring::PointerShownDuring(frmPicture& v) : m_viewer(&v), m_wasHidden(v.pointerHidden())
{
    v.restorePointer();
}

PointerShownDuring::~PointerShownDuring()
{
    if (m_wasHidden && m_viewer && !m_viewer->unloaded())
        m_viewer->hidePointer();
}

} // namespace quorbell
