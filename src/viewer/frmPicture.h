// The viewer window: a full-screen, black, top-level window on the screen
// that shows the main window. It keeps a persistent image in device pixels
// that ShowPhoto draws into (a paint event only copies it to the screen), the
// photo name label along the bottom edge, the show's timer and the worker
// that prepares the next photo. The show's rules live in ViewerCommands.
#pragma once

#include "viewer/PhotoPrefetcher.h"
#include "viewer/RandomDraws.h"
#include "viewer/ShowInputs.h"

#include <QImage>
#include <QPointer>
#include <QSet>
#include <QWidget>

class QLabel;
class QScreen;
class QTimer;

namespace quorbell {

class frmMain;

// What the show has done so far, beyond the shared state.
struct ViewerRun
{
    bool closed = false;
    bool shownSinceRead = false; // a photo was shown since the album was read or the show wrapped
    int albumsWithoutPhoto = 0;  // slideshow: albums passed in a row without a photo shown
    QSet<int> albumsWithNothing; // random display: albums found missing or without a photo
};

// The photo ShowPhoto last put on the screen (or failed to).
struct ShownPhoto
{
    int albumIndex = -1;
    int photoIndex = -1;
    QString albumPath;
    bool drawn = false; // false: the photo could not be prepared; the screen is black
    viewer::PhotoError error = viewer::PhotoError::None;
    bool fromPrefetch = false; // the image was ready before the step
};

class frmPicture : public QWidget
{
    Q_OBJECT
public:
    // A window owned by `owner` (it goes with it) for `screen`, whose device
    // size is in the shared state's screen width and height.
    frmPicture(frmMain& owner, QScreen* screen, viewer::RandomDraws draws);
    ~frmPicture() override;

    // The viewer that is running, if any.
    static frmPicture* current();

    // The main window whose document the show goes through.
    frmMain& main() const { return m_main; }
    viewer::ShowInputs showInputs() const;
    QTimer* sldTimer() const { return m_sldTimer; }
    QLabel* lblPhotoName() const { return m_lblPhotoName; }
    // The persistent image, screen width x screen height device pixels.
    const QImage& canvas() const { return m_canvas; }
    viewer::PhotoPrefetcher& prefetcher() { return m_prefetcher; }
    viewer::RandomDraws& draws() { return m_draws; }
    ViewerRun& run() { return m_run; }
    const ShownPhoto& lastShown() const { return m_lastShown; }
    int photosShown() const { return m_photosShown; }

    // Puts photo `photoIndex` of the viewer's tables on the screen: the
    // image prepared ahead when there is one for it, else prepared here.
    // A photo that cannot be shown leaves the screen black, never the photo
    // before it.
    void ShowPhoto(int photoIndex);
    // The name line of photo `photoIndex`, when the name line is switched on.
    void ShowPhotoName(int photoIndex);

    // The mouse pointer is hidden while the show runs. Pushed at most once.
    void hidePointer();
    void restorePointer();
    bool pointerHidden() const { return m_pointerHidden; }

    // Ends the show's window: timer stopped, worker stopped and waited for,
    // pointer back, window hidden and deleted later. The mode is the caller's.
    void unload();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    frmMain& m_main;
    QTimer* m_sldTimer = nullptr;
    QLabel* m_lblPhotoName = nullptr;
    QImage m_canvas;
    viewer::PhotoPrefetcher m_prefetcher;
    viewer::RandomDraws m_draws;
    ViewerRun m_run;
    ShownPhoto m_lastShown;
    int m_photosShown = 0;
    bool m_pointerHidden = false;
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
