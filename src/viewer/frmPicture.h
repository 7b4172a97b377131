// The viewer window: a full-screen, black, top-level window on the screen
// that shows the main window. It draws what its slideshow hands it into a
// persistent image in device pixels (a paint event only copies it to the
// screen), with the photo name line along the bottom edge and a small mark
// while the show is paused, and it forwards the user's keys, clicks and wheel
// to the show. Zooming and panning a photo are the window's own: they change
// only how the photo on the screen is drawn.
#pragma once

#include "viewer/PhotoLoader.h"
#include "viewer/PhotoZoom.h"
#include "viewer/SlideInput.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <optional>

class QLabel;
class QScreen;
class QTimer;

namespace quorbell {

namespace viewer {
class Slideshow;
struct SlidePhoto;
} // namespace viewer

// The photo last put on the screen (or that failed to be).
struct ShownPhoto
{
    int albumIndex = -1;
    int photoIndex = -1;
    QString albumPath;
    bool drawn = false; // false: the photo could not be prepared; the screen is black
    viewer::PhotoError error = viewer::PhotoError::None;
    bool fromPrefetch = false; // prepared by the look-ahead before the step wanted it
};

class frmPicture : public QWidget
{
    Q_OBJECT
public:
    // A window owned by `owner` (it goes with it) for `screen`, whose device
    // size is `screenSize`, showing `show` (which it takes as its child).
    frmPicture(QWidget* owner, QScreen* screen, QSize screenSize, viewer::Slideshow* show);
    ~frmPicture() override;

    // The viewer that is running, if any.
    static frmPicture* current();

    viewer::Slideshow& slideshow() { return *m_show; }
    QTimer* sldTimer() const;
    QLabel* lblPhotoName() const { return m_lblPhotoName; }
    QLabel* pauseMark() const { return m_pauseMark; }
    // The persistent image, screen width x screen height device pixels.
    const QImage& canvas() const { return m_canvas; }
    const ShownPhoto& lastShown() const { return m_lastShown; }
    int photosShown() const { return m_photosShown; }
    // The zoomed view; nothing while the photo is fitted as the settings say.
    const std::optional<viewer::ZoomView>& zoom() const { return m_zoom; }

    // Puts a photo the show has prepared on the screen, with its name line.
    void showPhoto(const viewer::SlidePhoto& photo);
    // A zoom, pan or show action; `anchor` is the pointer in device pixels.
    void act(viewer::SlideAction action, QPointF anchor);

    // The mouse pointer is hidden while the show runs. Pushed at most once.
    void hidePointer();
    void restorePointer();
    bool pointerHidden() const { return m_pointerHidden; }

    // Ends the window: pointer back, hidden and deleted later. Never waits
    // for a worker.
    void unload();
    bool unloaded() const { return m_unloaded; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QPointF devicePoint(QPointF logical) const;
    QPointF pointerAnchor() const;
    void zoomTo(double scale, QPointF anchor);
    void drawCanvas();
    void showNameLine(const viewer::SlidePhoto& photo);
    void originalArrived(int albumIndex, int photoIndex, const QImage& image);

    viewer::Slideshow* m_show = nullptr;
    QLabel* m_lblPhotoName = nullptr;
    QLabel* m_pauseMark = nullptr;
    QImage m_canvas;
    QSize m_screenSize;
    ShownPhoto m_lastShown;
    int m_photosShown = 0;
    bool m_pointerHidden = false;
    bool m_unloaded = false;

    // The photo on the screen: its fitted image and place, its own size and,
    // once zoomed, its decoded pixels.
    viewer::PreparedPhoto m_photo;
    QImage m_original;
    std::optional<viewer::ZoomView> m_zoom;
    std::optional<QPointF> m_dragFrom; // a press on a zoomed photo, in device pixels
    bool m_dragged = false;
    int m_wheelRest = 0; // wheel eighths of a degree not yet turned into notches
};

// Shows the pointer while a question is asked during the show, so the
// prompt can be used with the mouse, and hides it again afterwards.
class PointerShownDuring
{
public:
    explicit PointerShownDuring(frmPicture& v);
    ~PointerShownDuring();
    PointerShownDuring(const PointerShownDuring&) = delete;
    PointerShownDuring& operator=(const PointerShownDuring&) = delete;

private:
    QPointer<frmPicture> m_viewer;
    bool m_wasHidden;
};

} // namespace quorbell
