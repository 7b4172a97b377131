// The viewer's binding to the program's state.
#include "viewer/SlideshowBinding.h"

#include "album/frmPasswd2.h"
#include "document/CommonMessages.h"
#include "document/Prompts.h"
#include "core/frmMain.h"
#include "viewer/RandomSource.h"
#include "viewer/Slideshow.h"
#include "viewer/frmPicture.h"

#include <QCoreApplication>

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <memory>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(SlideshowBinding)
};
} // namespace

viewer::SizingChoice viewer::sizingChoiceFrom(const Settings& g)
{
    return sizingChoiceFrom(g.has(Flag::Fit), (g.viewerOptions & ViewerOpt::FullSize) != 0);
}

viewer::NameLineStyle viewer::nameLineStyleFrom(const Settings& g)
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

viewer::SlideshowSetup setupFrom(const frmMain& w, bool random, QSize screen)
{
    const AlbumDocument& doc = w.document();
    const Settings& g = w.settings();
    viewer::SlideshowSetup s;
    for (int i = 0; i < doc.albumCount(); ++i) {
        const AlbumEntry& e = doc.entry(i);
        s.albums.append({e.fileName, doc.albumPath(i), e.comment, e.isHidden()});
    }
    s.startAlbum = doc.selectedIndex();
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
    s.entered = doc.containerPassword();
    return s;
}

// The album file of grid entry `index` can be opened (a hidden entry names no file).
bool albumFileThere(const AlbumDocument& doc, int index)
{
    if (index < 0 || index >= doc.albumCount() || doc.entry(index).isHidden())
        return false;
    return QFileInfo(doc.albumPath(index)).isFile();
}

void bind(frmMain& w, frmPicture* v, viewer::Slideshow* show)
{
    frmMain* win = &w;
    // Whether the show ended by its own close; a window that goes with its
    // owner while the show runs puts the mode back all the same.
    auto ended = std::make_shared<bool>(false);
    const auto modeBack = [win] {
        if (win->isViewerRunning())
            win->setMode(qint16(win->mode() - Mode::ViewerOffset));
    };
    QObject::connect(show, &viewer::Slideshow::closeRequested, v, [v, ended, modeBack] {
        *ended = true;
        v->unload();
        modeBack();
    });
    // The document is a member of the main window and goes before the window's
    // children do: a viewer deleted with its owner then finds no window to set.
    QObject::connect(v, &QObject::destroyed, &w.document(), [ended, modeBack] {
        if (!*ended)
            modeBack();
    });
    QObject::connect(show, &viewer::Slideshow::albumChanged, v, [win, show](int index) {
        win->document().setSelectedIndex(index);
        ViewerState& vs = win->viewerState();
        vs.viewerAlbumPath = win->document().albumPath(index);
        vs.viewerPhotoCount = qint16(show->table().photoCount());
    });
    QObject::connect(show, &viewer::Slideshow::photoReady, v,
                     [win, show](const viewer::SlidePhoto& p) {
                         ViewerState& vs = win->viewerState();
                         vs.viewerPhotoIndex = qint16(show->photoIndex());
                         vs.pictureSize = p.prepared.photoSize.boundedTo(QSize(32767, 32767));
                     });
    QObject::connect(
        show, &viewer::Slideshow::enteredPasswordChanged, v,
        [win](const PasswordBytes& entered) { win->document().setEnteredPassword(entered); });
    QObject::connect(show, &viewer::Slideshow::badAlbum, v, [v](const QString& path) {
        PointerShownDuring shown(*v);
        informInvalidFile(path, Tr::tr("アルバムファイルの読込み "));
    });
    // The album's password prompt, asked while the show waits for it.
    QObject::connect(show, &viewer::Slideshow::passwordWanted, v,
                     [win, v, show](const viewer::AlbumPasswordQuestion& q) {
                         AlbumDocument& doc = win->document();
                         doc.setEnteredPassword(q.entered);
                         bool open = false;
                         {
                             PointerShownDuring shown(*v);
                             open = unlockAlbum(doc, q.stored, q.fileName, q.path);
                         }
                         if (open)
                             show->answerPassword(doc.enteredPassword());
                         else
                             show->answerPassword(std::nullopt);
                     });
}

} // namespace

void startSlideshow(frmMain& w, bool random)
{
    AlbumDocument& doc = w.document();
    if (!w.isGridShown() || frmPicture::current())
        return;
    if (w.mode() == Mode::Shown)
        doc.setSelectedIndex(0);
    if (!albumFileThere(doc, doc.selectedIndex())) {
        prompts().warn(
            withFilePath(Tr::tr("ファイルが見つかりません。"), doc.albumPath(doc.selectedIndex())),
            random ? Tr::tr("ランダム表示") : Tr::tr("スライドショー"));
        return;
    }
    ViewerState& vs = w.viewerState();
    vs.viewerAlbumPath = doc.albumPath(doc.selectedIndex());
    vs.random = random;
    vs.viewerPhotoIndex = 0;
    w.setMode(qint16(w.mode() + Mode::ViewerOffset));
    doc.setEnteredPassword(doc.containerPassword());

    // The screen that shows the main window, in device pixels.
    QScreen* screen = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    QSize device(1, 1);
    if (screen) {
        device = (QSizeF(screen->geometry().size()) * screen->devicePixelRatio()).toSize();
        device = device.boundedTo(QSize(32767, 32767)).expandedTo(QSize(1, 1));
    }
    w.setScreenSize(device);

    auto* show = new viewer::Slideshow(setupFrom(w, random, device), viewer::drawsForNextShow());
    auto* v = new frmPicture(&w, screen, device, show);
    bind(w, v, show);
    v->hidePointer();
    v->showFullScreen();
    v->activateWindow();
    v->setFocus();
    // The album is read once the window is up, without the command waiting for it.
    QMetaObject::invokeMethod(show, &viewer::Slideshow::begin, Qt::QueuedConnection);
}

} // namespace quorbell
