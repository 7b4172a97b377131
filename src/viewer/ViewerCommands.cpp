#include "viewer/ViewerCommands.h"

#include "album/AlbumFileReader.h"
#include "album/frmPasswd2.h"
#include "core/CommonMessages.h"
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

bool inViewerMode(const frmMain& w)
{
    return w.mode() == Mode::Shown + Mode::ViewerOffset ||
           w.mode() == Mode::Selected + Mode::ViewerOffset;
}

bool rangeOn(const frmMain& w)
{
    return (w.settings().viewerOptions & ViewerOpt::Range) != 0;
}

// The entry names an album file that can be opened. A hidden entry keeps a
// name beginning with "*" that names no album, so it counts as missing even
// should a file of that name exist.
bool albumFileThere(const frmMain& w, int index)
{
    const AlbumDocument& doc = w.document();
    if (index < 0 || index >= doc.albumCount() || doc.entry(index).isHidden())
        return false;
    return QFileInfo(doc.albumPath(index)).isFile();
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
    v.prefetcher().request(
        viewer::planNextPhoto(v.showInputs(), v.draws(), v.sldTimer()->isActive()));
}

// Notes that the show passed an album without showing a photo of it. When
// every album of the grid has been passed so, nothing can ever be shown and
// the viewer closes quietly; false then.
bool noteAlbumWithoutPhoto(frmPicture& v, int index)
{
    const AlbumDocument& doc = v.main().document();
    const ViewerState& vs = v.main().viewerState();
    ViewerRun& run = v.run();
    bool nothingAnywhere = false;
    if (vs.random) {
        // Random draws may pick the same album again and again: count albums.
        run.albumsWithNothing.insert(index);
        nothingAnywhere = run.albumsWithNothing.size() >= doc.albumCount();
    } else {
        // The slideshow passes the albums in order: count them in a row.
        nothingAnywhere = ++run.albumsWithoutPhoto >= doc.albumCount();
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
    AlbumDocument& doc = v.main().document();
    Settings& st = v.main().settings();
    ViewerState& vs = v.main().viewerState();
    const std::optional<int> next =
        viewer::nextAlbumIndex(doc.selectedIndex(), doc.albumCount(), st.has(Flag::Endless));
    if (!next) {
        closeViewer(v);
        return false;
    }
    doc.setSelectedIndex(qint16(*next));
    vs.viewerPhotoIndex = 0;
    vs.viewerAlbumPath = doc.albumPath(*next);
    return true;
}

// Reads the album at the selected index into the viewer's tables; false when
// the viewer closed on the way (wrong header, cancelled prompt, end of the
// show, or nothing to show anywhere). The timer is left running at 10 ms.
bool readCurrentAlbum(frmPicture& v)
{
    AlbumDocument& doc = v.main().document();
    ViewerState& vs = v.main().viewerState();
    v.sldTimer()->stop();
    v.hidePointer();

    // An album whose file is not there is passed over with the range on. With
    // the range off the file was there at the start; gone since, the show
    // has nothing left and ends quietly.
    while (!albumFileThere(v.main(), doc.selectedIndex())) {
        if (!rangeOn(v.main()) || doc.selectedIndex() < 0 ||
            doc.selectedIndex() >= doc.albumCount()) {
            closeViewer(v);
            return false;
        }
        if (!noteAlbumWithoutPhoto(v, doc.selectedIndex()) || !moveToNextAlbum(v))
            return false;
    }
    vs.viewerAlbumPath = doc.albumPath(doc.selectedIndex());
    const QString path = vs.viewerAlbumPath;

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
    if (table)
        viewer::setViewerTables(vs, *table);
    else
        viewer::clearViewerTables(vs);
    v.run().shownSinceRead = false;

    if (table && table->hasPassword()) {
        bool open = false;
        {
            PointerShownDuring shown(v);
            open = unlockAlbum(doc, table->password, doc.entry(doc.selectedIndex()).fileName, path);
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
    ViewerState& vs = v.main().viewerState();
    v.ShowPhoto(vs.viewerPhotoIndex);
    v.ShowPhotoName(vs.viewerPhotoIndex);
    v.run().shownSinceRead = true;
    v.run().albumsWithoutPhoto = 0;
}

void randomStep(frmPicture& v)
{
    AlbumDocument& doc = v.main().document();
    Settings& st = v.main().settings();
    ViewerState& vs = v.main().viewerState();
    const bool range = rangeOn(v.main());
    if (range) {
        if (doc.albumCount() <= 0) {
            closeViewer(v);
            return;
        }
        doc.setSelectedIndex(qint16(viewer::drawnIndex(v.draws().next(), doc.albumCount())));
        vs.viewerAlbumPath = doc.albumPath(doc.selectedIndex());
        if (!readCurrentAlbum(v))
            return;
        v.sldTimer()->stop(); // this step decides when the next one comes
    }
    const double draw = v.draws().next();
    if (viewer::showablePhotos(vs.photoNames).isEmpty() || vs.viewerPhotoCount <= 0) {
        // Nothing in this album can ever be drawn.
        if (!range) {
            closeViewer(v);
            return;
        }
        if (!noteAlbumWithoutPhoto(v, doc.selectedIndex()))
            return;
        startTimer(v, viewer::kSkipStepMs);
        planAhead(v);
        return;
    }
    vs.viewerPhotoIndex = qint16(viewer::drawnIndex(draw, vs.viewerPhotoCount));
    if (!viewer::hasViewerPhoto(vs, vs.viewerPhotoIndex) ||
        viewer::isMarkedPhoto(vs.photoNames.at(vs.viewerPhotoIndex))) {
        startTimer(v, viewer::kSkipStepMs); // a new draw follows
        planAhead(v);
        return;
    }
    showCurrentPhoto(v);
    if (st.has(Flag::AutoAdvance))
        startTimer(v, viewer::photoIntervalMs(st.interval));
    planAhead(v);
}

void slideStep(frmPicture& v)
{
    AlbumDocument& doc = v.main().document();
    Settings& st = v.main().settings();
    ViewerState& vs = v.main().viewerState();
    if (vs.viewerPhotoIndex < 0)
        vs.viewerPhotoIndex = 0;
    if (vs.viewerPhotoIndex >= vs.viewerPhotoCount) {
        // The end of the album.
        if (rangeOn(v.main())) {
            if (!v.run().shownSinceRead && !noteAlbumWithoutPhoto(v, doc.selectedIndex()))
                return;
            if (!moveToNextAlbum(v) || !readCurrentAlbum(v))
                return;
            startTimer(v, viewer::kSkipStepMs);
        } else if (st.has(Flag::Endless)) {
            // Round again only when the last round showed something.
            if (!v.run().shownSinceRead) {
                closeViewer(v);
                return;
            }
            v.run().shownSinceRead = false;
            vs.viewerPhotoIndex = 0;
            startTimer(v, viewer::kSkipStepMs);
        } else {
            closeViewer(v);
            return;
        }
    } else if (!viewer::hasViewerPhoto(vs, vs.viewerPhotoIndex) ||
               viewer::isMarkedPhoto(vs.photoNames.at(vs.viewerPhotoIndex))) {
        vs.viewerPhotoIndex = qint16(vs.viewerPhotoIndex + 1);
        startTimer(v, viewer::kSkipStepMs);
    } else {
        showCurrentPhoto(v);
        if (st.has(Flag::AutoAdvance)) {
            startTimer(v, viewer::photoIntervalMs(st.interval));
            vs.viewerPhotoIndex = qint16(vs.viewerPhotoIndex + 1);
        }
        // Manual advance: the timer stays stopped and the index stays on the
        // photo on the screen.
    }
    planAhead(v);
}

void startViewer(frmMain& w, bool random)
{
    AlbumDocument& doc = w.document();
    ViewerState& vs = w.viewerState();
    if (!w.isGridShown())
        return;
    if (frmPicture::current())
        return;
    if (w.mode() == Mode::Shown)
        doc.setSelectedIndex(0);
    if (!albumFileThere(w, doc.selectedIndex())) {
        prompts().warn(QStringLiteral("ファイルが見つかりません。"),
                       random ? QStringLiteral("ランダム表示") : QStringLiteral("スライドショー"));
        return;
    }
    vs.viewerAlbumPath = doc.albumPath(doc.selectedIndex());

    viewer::RandomDraws draws;
    if (random) {
        vs.random = true;
        if (randomSourceForNextShow())
            draws = viewer::RandomDraws(randomSourceForNextShow());
    } else {
        vs.random = false;
    }
    vs.viewerPhotoIndex = 0;
    w.setMode(qint16(w.mode() + Mode::ViewerOffset));
    doc.setEnteredPassword(doc.containerPassword());

    // The screen that shows the main window, in device pixels.
    QScreen* screen = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QSize device =
            (QSizeF(screen->geometry().size()) * screen->devicePixelRatio()).toSize();
        w.setScreenSize(
            QSize(std::clamp(device.width(), 1, 32767), std::clamp(device.height(), 1, 32767)));
    }

    auto* v = new frmPicture(w, screen, std::move(draws));
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
    if (v.run().closed || !inViewerMode(v.main()))
        return;
    if (readCurrentAlbum(v))
        planAhead(v);
}

void frmPicture_sldTimer_Timer(frmPicture& v)
{
    v.sldTimer()->stop();
    v.sldTimer()->setInterval(0);
    if (v.run().closed || !inViewerMode(v.main()))
        return;
    if (v.main().viewerState().random)
        randomStep(v);
    else
        slideStep(v);
}

void frmPicture_Form_MouseDown(frmPicture& v, Qt::MouseButton button)
{
    Settings& st = v.main().settings();
    ViewerState& vs = v.main().viewerState();
    if (v.run().closed || !inViewerMode(v.main()) || st.has(Flag::AutoAdvance))
        return;
    if (vs.viewerPhotoCount <= 0)
        return;
    if (vs.random) {
        // Drawn among the photos that may be shown, which is what drawing
        // again until one of them comes up amounts to, in one draw.
        const QList<int> showable = viewer::showablePhotos(vs.photoNames);
        if (showable.isEmpty())
            return;
        vs.viewerPhotoIndex =
            qint16(showable.at(viewer::drawnIndex(v.draws().next(), int(showable.size()))));
    } else {
        const viewer::ManualStep step =
            viewer::manualStep(vs.photoNames, vs.viewerPhotoIndex,
                               button == Qt::RightButton ? viewer::StepDirection::Back
                                                         : viewer::StepDirection::Forward,
                               st.has(Flag::Endless));
        if (step.outcome == viewer::ManualStep::Outcome::Close) {
            closeViewer(v);
            return;
        }
        if (step.outcome == viewer::ManualStep::Outcome::Stay)
            return;
        vs.viewerPhotoIndex = qint16(step.index);
    }
    showCurrentPhoto(v);
    planAhead(v);
}

void frmPicture_Form_DblClick(frmPicture& v)
{
    const Settings& st = v.main().settings();
    if (!v.run().closed && inViewerMode(v.main()) && st.has(Flag::AutoAdvance))
        closeViewer(v);
}

void frmPicture_Form_KeyPress(frmPicture& v, int ascii)
{
    if (!v.run().closed && inViewerMode(v.main()) && ascii == 27)
        closeViewer(v);
}

void closeViewer(frmPicture& v)
{
    if (v.run().closed)
        return;
    v.unload();
    frmMain& w = v.main();
    if (w.isViewerRunning())
        w.setMode(qint16(w.mode() - Mode::ViewerOffset));
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
