#include "viewer/frmPicture.h"

#include "core/frmMain.h"
#include "core/PromptOwner.h"
#include "viewer/PhotoNameLine.h"
#include "viewer/PrefetchPlanner.h"
#include "viewer/ViewerCommands.h"
#include "viewer/ViewerTables.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace quorbell {
namespace {

QPointer<frmPicture>& currentViewer()
{
    static QPointer<frmPicture> viewer;
    return viewer;
}

} // namespace

frmPicture::frmPicture(frmMain& owner, QScreen* screen, viewer::RandomDraws draws)
    : QWidget(&owner, Qt::Window | Qt::FramelessWindowHint), m_main(owner),
      m_draws(std::move(draws))
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

    m_canvas = QImage(std::max<int>(m_main.screenSize().width(), 1),
                      std::max<int>(m_main.screenSize().height(), 1), QImage::Format_RGB32);
    m_canvas.fill(Qt::black);

    m_sldTimer = new QTimer(this);
    m_sldTimer->setObjectName(QStringLiteral("sldTimer"));
    m_sldTimer->setTimerType(Qt::PreciseTimer);
    connect(m_sldTimer, &QTimer::timeout, this, [this] { frmPicture_sldTimer_Timer(*this); });

    // The name line lies over the photo; only its text is drawn.
    m_lblPhotoName = new QLabel(this);
    m_lblPhotoName->setObjectName(QStringLiteral("lblPhotoName"));
    m_lblPhotoName->setAlignment(Qt::AlignCenter);
    m_lblPhotoName->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lblPhotoName->hide();

    currentViewer() = this;
    // Questions asked while the show runs (an album's password, a wrong
    // password, a bad album) are the viewer's, never the main window's.
    claimPrompts(this);
}

frmPicture::~frmPicture()
{
    if (!m_run.closed) {
        // Going away with its owner while the show runs: leave the state as
        // closing would.
        m_run.closed = true;
        if (m_main.isViewerRunning())
            m_main.setMode(qint16(m_main.mode() - Mode::ViewerOffset));
    }
    m_sldTimer->stop();
    m_prefetcher.cancel();
    restorePointer();
    releasePrompts(this);
    if (currentViewer() == this)
        currentViewer() = nullptr;
}

viewer::ShowInputs frmPicture::showInputs() const
{
    return {m_main.document(), m_main.settings(), m_main.viewerState(), m_main.screenSize()};
}

frmPicture* frmPicture::current()
{
    frmPicture* v = currentViewer();
    return v && !v->m_run.closed ? v : nullptr;
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
    m_run.closed = true;
    m_sldTimer->stop();
    m_prefetcher.cancel();
    restorePointer();
    releasePrompts(this);
    hide();
    if (currentViewer() == this)
        currentViewer() = nullptr;
    deleteLater();
}

void frmPicture::ShowPhoto(int photoIndex)
{
    if (m_run.closed)
        return;
    const AlbumDocument& doc = m_main.document();
    const ViewerState& vs = m_main.viewerState();

    // Nothing of the photo before stays on the screen.
    m_canvas.fill(Qt::black);

    viewer::PreparedPhoto photo;
    bool fromPrefetch = false;
    if (viewer::hasViewerPhoto(vs, photoIndex)) {
        if (std::optional<viewer::PreparedPhoto> ready =
                m_prefetcher.takePhoto(viewer::photoKeyFor(showInputs(), photoIndex))) {
            photo = std::move(*ready);
            fromPrefetch = true;
        } else {
            viewer::PhotoRequest request;
            request.albumPath = vs.viewerAlbumPath;
            request.photo = viewer::viewerPhoto(vs, photoIndex);
            request.screen = viewer::viewerScreen(showInputs());
            request.sizing = viewer::sizingChoiceFrom(m_main.settings());
            photo = viewer::preparePhoto(request);
        }
    } else {
        photo.error = viewer::PhotoError::OutsideFile;
    }

    if (photo.ok()) {
        QPainter p(&m_canvas);
        p.drawImage(photo.target.offset(), photo.image);
    }
    m_lastShown = {doc.selectedIndex(), photoIndex,  vs.viewerAlbumPath,
                   photo.ok(),          photo.error, fromPrefetch};
    ++m_photosShown;
    update();
}

void frmPicture::ShowPhotoName(int photoIndex)
{
    if (m_run.closed)
        return;
    const std::optional<viewer::PhotoNameLine> line =
        viewer::photoNameLineFor(showInputs(), photoIndex);
    if (!line)
        return;
    m_lblPhotoName->setText(line->text);
    m_lblPhotoName->setFont(line->font());
    QPalette pal = m_lblPhotoName->palette();
    pal.setColor(QPalette::WindowText, line->colour());
    m_lblPhotoName->setPalette(pal);
    // The line's top and height are screen pixels; on a screen with a device
    // pixel ratio the font's points grow with it, so the line keeps its
    // height in the window's own pixels and sits at the bottom edge.
    const int screenHeight = int(std::lround(m_main.screenSize().height() / devicePixelRatioF()));
    m_lblPhotoName->setGeometry(0, screenHeight - line->height, width(), line->height);
    m_lblPhotoName->show();
    m_lblPhotoName->repaint();
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
    if (event->key() == Qt::Key_Escape)
        frmPicture_Form_KeyPress(*this, 27);
    else if (!event->text().isEmpty())
        frmPicture_Form_KeyPress(*this, event->text().at(0).unicode());
    event->accept();
}

void frmPicture::mousePressEvent(QMouseEvent* event)
{
    frmPicture_Form_MouseDown(*this, event->button());
    event->accept();
}

void frmPicture::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press too.
    QPointer<frmPicture> self(this);
    frmPicture_Form_MouseDown(*this, event->button());
    if (self && !m_run.closed)
        frmPicture_Form_DblClick(*this);
    event->accept();
}

void frmPicture::closeEvent(QCloseEvent* event)
{
    // Closed from outside (the window manager): the show ends as by Esc.
    if (!m_run.closed)
        closeViewer(*this);
    event->accept();
}

PointerShownDuring::PointerShownDuring(frmPicture& v) : m_viewer(&v), m_wasHidden(v.pointerHidden())
{
    v.restorePointer();
}

PointerShownDuring::~PointerShownDuring()
{
    if (m_wasHidden && m_viewer && !m_viewer->run().closed)
        m_viewer->hidePointer();
}

} // namespace quorbell
