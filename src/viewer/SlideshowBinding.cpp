// The viewer's binding to the program's state.
#include "viewer/SlideshowBinding.h"

#include "album/frmPasswd2.h"
#include "core/CommonMessages.h"
#include "core/GlobalState.h"
#include "core/Prompts.h"
#include "core/frmMain.h"
#include "viewer/RandomSource.h"
#include "viewer/Slideshow.h"
#include "viewer/frmPicture.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <memory>

namespace quorbell {

viewer::SizingChoice viewer::sizingChoiceFrom(const GlobalState& g)
{
    return sizingChoiceFrom(g.has(Flag::Fit), (g.viewerOptions & ViewerOpt::FullSize) != 0);
}

viewer::NameLineStyle viewer::nameLineStyleFrom(const GlobalState& g)
{
    NameLineStyle s;
    s.fontName = g.nameFontName;
    s.fontSize = g.nameFontSize;
    s.colour = g.nameFontColour;
    s.bold = (g.fontStyle & FontStyle::Bold) != 0;
    s.italic = (g.fontStyle & FontStyle::Italic) != 0;
    s.strikeThru = (g.fontStyle & FontStyle::StrikeThru) != 0;
    s.underLine = (g.fontStyle & FontStyle::UnderLine) != 0;
    return s;
}

namespace {

viewer::SlideshowSetup setupFrom(const GlobalState& g, bool random, QSize screen)
{
    viewer::SlideshowSetup s;
    for (int i = 0; i < g.albumCount(); ++i) {
        const AlbumEntry& e = g.albums.at(i);
        s.albums.append({e.fileName, g.albumPath(i), e.comment, e.isHidden()});
    }
    s.startAlbum = g.selectedIndex;
    viewer::SlideOptions& o = s.options;
    o.random = random;
    o.autoAdvance = g.has(Flag::AutoAdvance);
    o.endless = g.has(Flag::Endless);
    o.range = (g.viewerOptions & ViewerOpt::Range) != 0;
    o.nameLine = g.has(Flag::PhotoName);
    o.interval = g.interval;
    o.sizing = viewer::sizingChoiceFrom(g);
    o.nameStyle = viewer::nameLineStyleFrom(g);
    s.screen = screen;
    s.entered = g.containerPassword;
    return s;
}

// The album file of grid entry `index` can be opened (a hidden entry names no file).
bool albumFileThere(const GlobalState& g, int index)
{
    if (index < 0 || index >= g.albumCount() || g.albums.at(index).isHidden())
        return false;
    return QFileInfo(g.albumPath(index)).isFile();
}

void bind(frmPicture* v, viewer::Slideshow* show)
{
    // Whether the show ended by its own close; a window that goes with its
    // owner while the show runs puts the mode back all the same.
    auto ended = std::make_shared<bool>(false);
    const auto modeBack = [] {
        GlobalState& g = stdGlobal();
        if (g.isViewerRunning())
            g.mode = qint16(g.mode - Mode::ViewerOffset);
    };
    QObject::connect(show, &viewer::Slideshow::closeRequested, v, [v, ended, modeBack] {
        *ended = true;
        v->unload();
        modeBack();
    });
    QObject::connect(v, &QObject::destroyed, [ended, modeBack] {
        if (!*ended)
            modeBack();
    });
    QObject::connect(show, &viewer::Slideshow::albumChanged, v, [show](int index) {
        GlobalState& g = stdGlobal();
        g.selectedIndex = qint16(index);
        g.viewerAlbumPath = g.albumPath(index);
        g.viewerPhotoCount = qint16(show->table().photoCount());
        g.set(Flag::DialogOK);
    });
    QObject::connect(show, &viewer::Slideshow::photoReady, v, [show](const viewer::SlidePhoto& p) {
        GlobalState& g = stdGlobal();
        g.viewerPhotoIndex = qint16(show->photoIndex());
        g.pictureWidth = qint16(std::clamp(p.prepared.photoSize.width(), 0, 32767));
        g.pictureHeight = qint16(std::clamp(p.prepared.photoSize.height(), 0, 32767));
    });
    QObject::connect(show, &viewer::Slideshow::enteredPasswordChanged, v,
                     [](const PasswordBytes& entered) { stdGlobal().enteredPassword = entered; });
    QObject::connect(show, &viewer::Slideshow::badAlbum, v, [v](const QString& path) {
        PointerShownDuring shown(*v);
        informInvalidFile(path, QStringLiteral("アルバムファイルの読込み "));
    });
    // The album's password prompt, asked while the show waits for it.
    QObject::connect(show, &viewer::Slideshow::passwordWanted, v,
                     [v, show](const viewer::AlbumPasswordQuestion& q) {
                         GlobalState& g = stdGlobal();
                         g.enteredPassword = q.entered;
                         bool open = false;
                         {
                             PointerShownDuring shown(*v);
                             open = unlockAlbum(q.stored, q.fileName, q.path);
                         }
                         if (open)
                             show->answerPassword(g.enteredPassword);
                         else
                             show->answerPassword(std::nullopt);
                     });
}

} // namespace

void startSlideshow(frmMain& w, bool random)
{
    GlobalState& g = stdGlobal();
    if (!g.isGridShown() || frmPicture::current())
        return;
    if (g.mode == Mode::Shown)
        g.selectedIndex = 0;
    if (!albumFileThere(g, g.selectedIndex)) {
        prompts().warn(QStringLiteral("ファイルが見つかりません。"),
                       random ? QStringLiteral("ランダム表示") : QStringLiteral("スライドショー"));
        return;
    }
    g.viewerAlbumPath = g.albumPath(g.selectedIndex);
    g.set(Flag::Random, random);
    g.viewerPhotoIndex = 0;
    g.mode = qint16(g.mode + Mode::ViewerOffset);
    g.enteredPassword = g.containerPassword;

    // The screen that shows the main window, in device pixels.
    QScreen* screen = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    QSize device(1, 1);
    if (screen) {
        device = (QSizeF(screen->geometry().size()) * screen->devicePixelRatio()).toSize();
        device = device.boundedTo(QSize(32767, 32767)).expandedTo(QSize(1, 1));
    }
    g.screenWidth = qint16(device.width());
    g.screenHeight = qint16(device.height());

    auto* show = new viewer::Slideshow(setupFrom(g, random, device), viewer::drawsForNextShow());
    auto* v = new frmPicture(&w, screen, device, show);
    bind(v, show);
    v->hidePointer();
    v->showFullScreen();
    v->activateWindow();
    v->setFocus();
    // The album is read once the window is up, without the command waiting for it.
    QMetaObject::invokeMethod(show, &viewer::Slideshow::begin, Qt::QueuedConnection);
}

} // namespace quorbell
