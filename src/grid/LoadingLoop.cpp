#include "grid/LoadingLoop.h"

#include "grid/AlbumLoadingSource.h"

#include "core/CommandState.h"
#include "core/GlobalState.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"

#include <QAction>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QScrollBar>
#include <QTimer>

namespace quorbell {
namespace {

struct Loop
{
    std::unique_ptr<LoadingSource> source;
    quint64 generation = 0; // a wake-up from an earlier load finds a newer generation
};

Loop& loop()
{
    static Loop l;
    return l;
}

// What a step has changed but not yet shown. Many entries may be applied in
// one step; the window is only painted between steps, so the view that moves
// down a row with each new row is laid out as it goes and drawn once.
struct PendingView
{
    bool redraw = false; // the view moved down: the visible rows are drawn again
    bool counts = false; // the progress bar and the loading count in panel 1
};

void showPending(frmMain& w, int lastLoaded, PendingView& p)
{
    GlobalState& g = stdGlobal();
    if (p.redraw) {
        RedrawGrid(w, g.firstDrawnIndex, lastLoaded);
        UpdateScrollRange(w);
        QSignalBlocker block(w.vScroll());
        w.vScroll()->setValue(w.vScroll()->maximum());
        w.vScroll()->show();
    }
    if (p.counts) {
        w.progressBar()->setValue(g.loadIndex);
        w.setPanel(1, loadingText(g));
    }
    p = PendingView();
}

// Places a newly loaded entry at the layout cursor and draws it, keeping the
// newest row in view: when the next row no longer fits, the view moves down
// one row.
void placeLoadedEntry(frmMain& w, int index, PendingView& p)
{
    GlobalState& g = stdGlobal();
    if (!p.redraw) // otherwise it is drawn with the whole view
        DrawThumbnailCell(w, index, g.cursorX, g.cursorY);
    const PlaceResult r = PlaceNextCell(w);
    if (!r.wrapped)
        return;
    if (r.newRowFits) {
        g.cellsInRow = 0;
        return;
    }
    int visible = 0, hidden = 0;
    for (int k = g.firstDrawnIndex; visible < g.cellsInRow && k < g.albumCount(); ++k) {
        if (g.albums.at(k).isHidden())
            ++hidden;
        else
            ++visible;
    }
    g.firstDrawnIndex = qint16(g.firstDrawnIndex + visible + hidden);
    LayOutGridOnly(w, g.firstDrawnIndex, index);
    p.redraw = true;
}

void finishLoading(frmMain& w)
{
    GlobalState& g = stdGlobal();
    if (g.has(Flag::GridSource))
        g.set(Flag::Modified); // a new document is unsaved
    loop().source.reset();

    w.setPanel(1, shownAlbumsText(g));
    w.setPanel(2, hiddenAlbumsText(g));
    g.firstDrawnIndex = 0;
    RedrawGrid(w, 0, g.albumCount() - 1);
    UpdateScrollRange(w);
    {
        QSignalBlocker block(w.vScroll());
        w.vScroll()->setValue(0);
    }
    w.setPanel(3, QString());
    w.progressBar()->hide();
    EnableGridItems(w);
    w.action(Command::ViewComment)->setEnabled(true);
    g.mode = Mode::Shown;
}

} // namespace

void abortLoading()
{
    Loop& l = loop();
    if (l.source)
        l.source->cancel();
    l.source.reset();
    ++l.generation;
}

void startLoading(frmMain& w, std::unique_ptr<LoadingSource> source)
{
    abortLoading();
    GlobalState& g = stdGlobal();
    loop().source = std::move(source);
    w.intTimer()->setInterval(kStepPauseMs);
    g.loadIndex = 0;
    g.cellsInRow = 0;
    g.rowsBelow = 0;
    g.firstDrawnIndex = 0;
    g.cursorX = Grid::Left;
    g.cursorY = Grid::Top;
    w.progressBar()->setRange(0, g.albumCount());
    w.progressBar()->setValue(0);
    w.progressBar()->show();
    g.hiddenCount = 0;
    w.setPanel(1, loadingText(g));
    w.setPanel(2, QString());
    g.mode = Mode::Loading;
    w.action(Command::ViewComment)->setEnabled(false);
    loop().source->prefetch(0);
    w.intTimer()->start(0);
}

void frmMain_intTimer_Timer(frmMain& w)
{
    w.intTimer()->stop();
    GlobalState& g = stdGlobal();
    Loop& l = loop();
    if (g.mode != Mode::Loading || !l.source)
        return;

    QElapsedTimer budget;
    budget.start();
    PendingView pending;
    while (true) {
        if (g.loadIndex >= g.albumCount()) {
            finishLoading(w);
            return;
        }
        const int i = g.loadIndex;
        if (!l.source->isReady(i)) {
            // Nothing to do until the worker hands in entry i: no idle ticks.
            const quint64 generation = l.generation;
            l.source->whenReady(i, [&w, generation] {
                if (loop().generation == generation && stdGlobal().mode == Mode::Loading)
                    w.intTimer()->start(0);
            });
            break;
        }
        // The window is brought up to date before a load that may show a
        // message or a prompt.
        if (l.source->mayAskUser()) {
            showPending(w, i - 1, pending);
            w.surface()->commit();
        }
        const quint64 generation = l.generation;
        const LoadingSource::Outcome outcome = l.source->load(w, i);
        // A prompt inside the load keeps events turning: Escape or a new
        // document may have ended this load meanwhile.
        if (l.generation != generation || g.mode != Mode::Loading || !l.source)
            return;
        if (outcome == LoadingSource::Outcome::Stop)
            break; // the timer stays stopped; the source said why
        if (g.albums.at(i).isHidden())
            g.hiddenCount = qint16(g.hiddenCount + 1);
        else
            placeLoadedEntry(w, i, pending);
        g.loadIndex = qint16(i + 1);
        pending.counts = true;
        l.source->prefetch(g.loadIndex);
        if (budget.elapsed() >= kStepBudgetMs) {
            w.intTimer()->start(kStepPauseMs);
            break;
        }
    }
    showPending(w, g.loadIndex - 1, pending);
    w.surface()->commit();
}

void frmMain_Form_Activate(frmMain& w)
{
    if (stdGlobal().mode == Mode::Chosen)
        startLoading(w, std::make_unique<AlbumLoadingSource>());
}

void registerLoadingLoop(frmMain& w)
{
    frmMain* win = &w;
    QObject::connect(w.intTimer(), &QTimer::timeout, win, [win] { frmMain_intTimer_Timer(*win); });
    QObject::connect(win, &frmMain::activated, win, [win] { frmMain_Form_Activate(*win); });
}

} // namespace quorbell
