#include "viewer/ViewerCommands.h"

#include "album/AlbumFileReader.h"
#include "album/frmPasswd2.h"
#include "core/CommonMessages.h"
#include "core/GlobalState.h"
#include "core/Prompts.h"
#include "core/frmMain.h"
#include "viewer/PrefetchPlanner.h"
#include "viewer/ShowOrder.h"
#include "viewer/ViewerTables.h"
#include "viewer/frmPicture.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace quorbell {
namespace {

std::function<double()>& randomSourceForNextShow()
{
    static std::function<double()> source;
    return source;
}

bool inViewerMode(const GlobalState& g)
{
    return g.mode == Mode::Shown + Mode::ViewerOffset ||
           g.mode == Mode::Selected + Mode::ViewerOffset;
}

bool rangeOn(const GlobalState& g)
{
    return (g.viewerOptions & ViewerOpt::Range) != 0;
}

// The entry names an album file that can be opened. A hidden entry keeps a
// name beginning with "*" that names no album, so it counts as missing even
// should a file of that name exist.
bool albumFileThere(const GlobalState& g, int index)
{
    if (index < 0 || index >= g.albumCount() || g.albums.at(index).isHidden())
        return false;
    return QFileInfo(g.albumPath(index)).isFile();
}

void startTimer(frmPicture& v, int ms)
{
    v.sldTimer()->setInterval(ms);
    v.sldTimer()->start();
}

// Hands the prefetcher what the show will need next.
void planAhead(frmPicture& v)
{
    if (v.run().closed)
        return;
    v.prefetcher().request(viewer::planNextPhoto(stdGlobal(), v.draws(), v.sldTimer()->isActive()));
}

// Notes that the show passed an album without showing a photo of it. When
// every album of the grid has been passed so, nothing can ever be shown and
// the viewer closes quietly; false then.
bool noteAlbumWithoutPhoto(frmPicture& v, int index)
{
    const GlobalState& g = stdGlobal();
    ViewerRun& run = v.run();
    bool nothingAnywhere = false;
    if (g.has(Flag::Random)) {
        // Random draws may pick the same album again and again: count albums.
        run.albumsWithNothing.insert(index);
        nothingAnywhere = run.albumsWithNothing.size() >= g.albumCount();
    } else {
        // The slideshow passes the albums in order: count them in a row.
        nothingAnywhere = ++run.albumsWithoutPhoto >= g.albumCount();
    }
    if (nothingAnywhere) {
        closeViewer(v);
        return false;
    }
    return true;
}

// The next-album rule; false when the show ended there and the viewer closed.
bool moveToNextAlbum(frmPicture& v)
{
    GlobalState& g = stdGlobal();
    const std::optional<int> next =
        viewer::nextAlbumIndex(g.selectedIndex, g.albumCount(), g.has(Flag::Endless));
    if (!next) {
        closeViewer(v);
        return false;
    }
    g.selectedIndex = qint16(*next);
    g.viewerPhotoIndex = 0;
    g.viewerAlbumPath = g.albumPath(*next);
    return true;
}

// Reads the album at the selected index into the viewer's tables; false when
// the viewer closed on the way (wrong header, cancelled prompt, end of the
// show, or nothing to show anywhere). The timer is left running at 10 ms.
bool readCurrentAlbum(frmPicture& v)
{
    GlobalState& g = stdGlobal();
    v.sldTimer()->stop();
    v.hidePointer();

    // An album whose file is not there is passed over with the range on. With
    // the range off the file was there at the start; gone since, the show
    // has nothing left and ends quietly.
    while (!albumFileThere(g, g.selectedIndex)) {
        if (!rangeOn(g) || g.selectedIndex < 0 || g.selectedIndex >= g.albumCount()) {
            closeViewer(v);
            return false;
        }
        if (!noteAlbumWithoutPhoto(v, g.selectedIndex) || !moveToNextAlbum(v))
            return false;
    }
    g.viewerAlbumPath = g.albumPath(g.selectedIndex);
    const QString path = g.viewerAlbumPath;

    std::optional<album::AlbumTable> table = v.prefetcher().takeTable(path);
    if (!table) {
        // A damaged entry only keeps that photo off the screen.
        album::AlbumResult<album::AlbumTable> read =
            album::readAlbumTable(path, album::EntryChecks::EachEntryAlone);
        if (read) {
            table = std::move(read).value();
        } else if (read.error() == album::AlbumError::BadHeader) {
            {
                PointerShownDuring shown(v);
                informInvalidFile(path, QStringLiteral("アルバムファイルの読込み "));
            }
            closeViewer(v);
            return false;
        }
        // Tables that cannot be read past a good header hold nothing to show.
    }
    g.set(Flag::DialogOK);
    if (table)
        viewer::setViewerTables(g, *table);
    else
        viewer::clearViewerTables(g);
    v.run().shownSinceRead = false;

    if (table && table->hasPassword()) {
        bool open = false;
        {
            PointerShownDuring shown(v);
            open = unlockAlbum(table->password, g.albums.at(g.selectedIndex).fileName, path);
        }
        if (v.run().closed)
            return false;
        if (!open) {
            closeViewer(v);
            return false;
        }
    }
    startTimer(v, viewer::kSkipStepMs);
    return true;
}

void showCurrentPhoto(frmPicture& v)
{
    GlobalState& g = stdGlobal();
    v.ShowPhoto(g.viewerPhotoIndex);
    v.ShowPhotoName(g.viewerPhotoIndex);
    v.run().shownSinceRead = true;
    v.run().albumsWithoutPhoto = 0;
}

void randomStep(frmPicture& v)
{
    GlobalState& g = stdGlobal();
    const bool range = rangeOn(g);
    if (range) {
        if (g.albumCount() <= 0) {
            closeViewer(v);
            return;
        }
        g.selectedIndex = qint16(viewer::drawnIndex(v.draws().next(), g.albumCount()));
        g.viewerAlbumPath = g.albumPath(g.selectedIndex);
        if (!readCurrentAlbum(v))
            return;
        v.sldTimer()->stop(); // this step decides when the next one comes
    }
    const double draw = v.draws().next();
    if (viewer::showablePhotos(g.photoNames).isEmpty() || g.viewerPhotoCount <= 0) {
        // Nothing in this album can ever be drawn.
        if (!range) {
            closeViewer(v);
            return;
        }
        if (!noteAlbumWithoutPhoto(v, g.selectedIndex))
            return;
        startTimer(v, viewer::kSkipStepMs);
        planAhead(v);
        return;
    }
    g.viewerPhotoIndex = qint16(viewer::drawnIndex(draw, g.viewerPhotoCount));
    if (!viewer::hasViewerPhoto(g, g.viewerPhotoIndex) ||
        viewer::isMarkedPhoto(g.photoNames.at(g.viewerPhotoIndex))) {
        startTimer(v, viewer::kSkipStepMs); // a new draw follows
        planAhead(v);
        return;
    }
    showCurrentPhoto(v);
    if (g.has(Flag::AutoAdvance))
        startTimer(v, viewer::photoIntervalMs(g.interval));
    planAhead(v);
}

void slideStep(frmPicture& v)
{
    GlobalState& g = stdGlobal();
    if (g.viewerPhotoIndex < 0)
        g.viewerPhotoIndex = 0;
    if (g.viewerPhotoIndex >= g.viewerPhotoCount) {
        // The end of the album.
        if (rangeOn(g)) {
            if (!v.run().shownSinceRead && !noteAlbumWithoutPhoto(v, g.selectedIndex))
                return;
            if (!moveToNextAlbum(v) || !readCurrentAlbum(v))
                return;
            startTimer(v, viewer::kSkipStepMs);
        } else if (g.has(Flag::Endless)) {
            // Round again only when the last round showed something.
            if (!v.run().shownSinceRead) {
                closeViewer(v);
                return;
            }
            v.run().shownSinceRead = false;
            g.viewerPhotoIndex = 0;
            startTimer(v, viewer::kSkipStepMs);
        } else {
            closeViewer(v);
            return;
        }
    } else if (!viewer::hasViewerPhoto(g, g.viewerPhotoIndex) ||
               viewer::isMarkedPhoto(g.photoNames.at(g.viewerPhotoIndex))) {
        g.viewerPhotoIndex = qint16(g.viewerPhotoIndex + 1);
        startTimer(v, viewer::kSkipStepMs);
    } else {
        showCurrentPhoto(v);
        if (g.has(Flag::AutoAdvance)) {
            startTimer(v, viewer::photoIntervalMs(g.interval));
            g.viewerPhotoIndex = qint16(g.viewerPhotoIndex + 1);
        }
        // Manual advance: the timer stays stopped and the index stays on the
        // photo on the screen.
    }
    planAhead(v);
}

void startViewer(frmMain& w, bool random)
{
    GlobalState& g = stdGlobal();
    if (!g.isGridShown())
        return;
    if (frmPicture::current())
        return;
    if (g.mode == Mode::Shown)
        g.selectedIndex = 0;
    if (!albumFileThere(g, g.selectedIndex)) {
        prompts().warn(QStringLiteral("ファイルが見つかりません。"),
                       random ? QStringLiteral("ランダム表示") : QStringLiteral("スライドショー"));
        return;
    }
    g.viewerAlbumPath = g.albumPath(g.selectedIndex);

    viewer::RandomDraws draws;
    if (random) {
        g.set(Flag::Random);
        if (randomSourceForNextShow())
            draws = viewer::RandomDraws(randomSourceForNextShow());
    } else {
        g.clear(Flag::Random);
    }
    g.viewerPhotoIndex = 0;
    g.mode = qint16(g.mode + Mode::ViewerOffset);
    g.enteredPassword = g.containerPassword;

    // The screen that shows the main window, in device pixels.
    QScreen* screen = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QSize device =
            (QSizeF(screen->geometry().size()) * screen->devicePixelRatio()).toSize();
        g.screenWidth = qint16(std::clamp(device.width(), 1, 32767));
        g.screenHeight = qint16(std::clamp(device.height(), 1, 32767));
    }

    auto* v = new frmPicture(&w, screen, std::move(draws));
    v->showFullScreen();
    v->activateWindow();
    v->setFocus();
    // The album is read once the window is up, without the command waiting for it.
    QMetaObject::invokeMethod(
        v, [v] { frmPicture_Form_Activate(*v); }, Qt::QueuedConnection);
}

} // namespace

void frmMain_mnuViewSlide_Click(frmMain& w)
{
    startViewer(w, false);
}

void frmMain_mnuViewRandom_Click(frmMain& w)
{
    startViewer(w, true);
}

void frmPicture_Form_Activate(frmPicture& v)
{
    if (v.run().closed || !inViewerMode(stdGlobal()))
        return;
    if (readCurrentAlbum(v))
        planAhead(v);
}

void frmPicture_sldTimer_Timer(frmPicture& v)
{
    v.sldTimer()->stop();
    v.sldTimer()->setInterval(0);
    if (v.run().closed || !inViewerMode(stdGlobal()))
        return;
    if (stdGlobal().has(Flag::Random))
        randomStep(v);
    else
        slideStep(v);
}

void frmPicture_Form_MouseDown(frmPicture& v, Qt::MouseButton button)
{
    GlobalState& g = stdGlobal();
    if (v.run().closed || !inViewerMode(g) || g.has(Flag::AutoAdvance))
        return;
    if (g.viewerPhotoCount <= 0)
        return;
    if (g.has(Flag::Random)) {
        // Drawn among the photos that may be shown, which is what drawing
        // again until one of them comes up amounts to, in one draw.
        const QList<int> showable = viewer::showablePhotos(g.photoNames);
        if (showable.isEmpty())
            return;
        g.viewerPhotoIndex =
            qint16(showable.at(viewer::drawnIndex(v.draws().next(), int(showable.size()))));
    } else {
        const viewer::ManualStep step =
            viewer::manualStep(g.photoNames, g.viewerPhotoIndex,
                               button == Qt::RightButton ? viewer::StepDirection::Back
                                                         : viewer::StepDirection::Forward,
                               g.has(Flag::Endless));
        if (step.outcome == viewer::ManualStep::Outcome::Close) {
            closeViewer(v);
            return;
        }
        if (step.outcome == viewer::ManualStep::Outcome::Stay)
            return;
        g.viewerPhotoIndex = qint16(step.index);
    }
    showCurrentPhoto(v);
    planAhead(v);
}

void frmPicture_Form_DblClick(frmPicture& v)
{
    const GlobalState& g = stdGlobal();
    if (!v.run().closed && inViewerMode(g) && g.has(Flag::AutoAdvance))
        closeViewer(v);
}

void frmPicture_Form_KeyPress(frmPicture& v, int ascii)
{
    if (!v.run().closed && inViewerMode(stdGlobal()) && ascii == 27)
        closeViewer(v);
}

void closeViewer(frmPicture& v)
{
    if (v.run().closed)
        return;
    v.unload();
    GlobalState& g = stdGlobal();
    if (g.isViewerRunning())
        g.mode = qint16(g.mode - Mode::ViewerOffset);
}

void registerViewerCommands(frmMain& w)
{
    frmMain* win = &w;
    w.setCommand(Command::ViewSlide, [win] { frmMain_mnuViewSlide_Click(*win); });
    w.setCommand(Command::ViewRandom, [win] { frmMain_mnuViewRandom_Click(*win); });
}

void setViewerRandomSource(std::function<double()> source)
{
    randomSourceForNextShow() = std::move(source);
}

} // namespace quorbell
