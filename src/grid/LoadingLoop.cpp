#include "grid/LoadingLoop.h"

#include "grid/AlbumLoadingSource.h"

#include "core/frmMain.h"
#include "grid/GridDrawing.h"

#include <QAction>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QScrollBar>
#include <QTimer>

#include <optional>

namespace quorbell {
namespace {

// Entries being added to a shown grid, rather than a whole grid loading.
struct Adding
{
    int first = 0;
    int count = 0;
    int filled = 0;
    bool inLoad = false;  // a prompt of the source's load keeps events turning
    bool escaped = false; // Escape came meanwhile: end after that load
    std::function<void(int)> finished;
};

struct Loop
{
    std::unique_ptr<LoadingSource> source;
    quint64 generation = 0; // a wake-up from an earlier load finds a newer generation
    std::optional<Adding> adding;
};

// Process-wide: the program has one main window and so one loading loop.
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
    AlbumDocument& doc = w.document();
    GridLayout& lay = w.layout();
    if (p.redraw) {
        RedrawGrid(w, lay.firstDrawnIndex, lastLoaded);
        UpdateScrollRange(w);
        QSignalBlocker block(w.vScroll());
        w.vScroll()->setValue(w.vScroll()->maximum());
        w.vScroll()->show();
    }
    if (p.counts) {
        w.progressBar()->setValue(doc.loadIndex());
        w.setPanel(1, loadingText(doc));
    }
    p = PendingView();
}

// Places a newly loaded entry at the layout cursor and draws it, keeping the
// newest row in view: when the next row no longer fits, the view moves down
// one row.
void placeLoadedEntry(frmMain& w, int index, PendingView& p)
{
    AlbumDocument& doc = w.document();
    GridLayout& lay = w.layout();
    if (!p.redraw) // otherwise it is drawn with the whole view
        DrawThumbnailCell(w, index, lay.cursorX, lay.cursorY);
    const PlaceResult r = PlaceNextCell(w);
    if (!r.wrapped)
        return;
    if (r.newRowFits) {
        lay.cellsInRow = 0;
        return;
    }
    int visible = 0, hidden = 0;
    for (int k = lay.firstDrawnIndex; visible < lay.cellsInRow && k < doc.albumCount(); ++k) {
        if (doc.entry(k).isHidden())
            ++hidden;
        else
            ++visible;
    }
    lay.firstDrawnIndex = qint16(lay.firstDrawnIndex + visible + hidden);
    LayOutGridOnly(w, lay.firstDrawnIndex, index);
    p.redraw = true;
}

void finishLoading(frmMain& w)
{
    AlbumDocument& doc = w.document();
    if (doc.isGridSource())
        doc.setModified(true); // a new document is unsaved
    loop().source.reset();
    w.progressBar()->hide();
    // The whole grid from the top: the window follows the mode.
    w.layout().firstDrawnIndex = 0;
    w.setMode(Mode::Shown);
}

void finishAdding(frmMain& w)
{
    Loop& l = loop();
    Adding adding = std::move(*l.adding);
    l.adding.reset();
    if (l.source)
        l.source->cancel();
    l.source.reset();
    ++l.generation; // no wake-up of this work reaches the loop any more
    w.progressBar()->setValue(w.progressBar()->maximum());
    w.progressBar()->hide();
    adding.finished(adding.filled);
}

// One step of adding entries: as many as are ready within the step's time.
void addingStep(frmMain& w)
{
    AlbumDocument& doc = w.document();
    Loop& l = loop();
    QElapsedTimer budget;
    budget.start();
    while (true) {
        Adding& a = *l.adding;
        if (a.filled >= a.count || a.escaped) {
            finishAdding(w);
            return;
        }
        const int i = a.first + a.filled;
        if (!l.source->isReady(i)) {
            const quint64 generation = l.generation;
            l.source->whenReady(i, [&w, generation] {
                if (loop().generation == generation && w.mode() == Mode::Loading)
                    w.intTimer()->start(0);
            });
            return;
        }
        const quint64 generation = l.generation;
        a.inLoad = true;
        const LoadingSource::Outcome outcome = l.source->load(w, i);
        // A new document started from a prompt inside the load drops the adding.
        if (l.generation != generation || !l.adding)
            return;
        l.adding->inLoad = false;
        if (outcome == LoadingSource::Outcome::Stop) {
            finishAdding(w); // the entries not read are the caller's to drop
            return;
        }
        if (doc.entry(i).isHidden())
            doc.setHiddenCount(qint16(doc.hiddenCount() + 1));
        ++l.adding->filled;
        // Before the first album the bar stands at 1; after the last, at count + 1.
        w.progressBar()->setValue(l.adding->filled + 1);
        l.source->prefetch(i + 1);
        if (budget.elapsed() >= kStepBudgetMs) {
            w.intTimer()->start(kStepPauseMs);
            return;
        }
    }
}

} // namespace

void abortLoading()
{
    Loop& l = loop();
    if (l.source)
        l.source->cancel();
    l.source.reset();
    l.adding.reset();
    ++l.generation;
}

void startAddingEntries(frmMain& w, std::unique_ptr<LoadingSource> source, int first, int count,
                        std::function<void(int filled)> finished)
{
    abortLoading();
    Loop& l = loop();
    l.source = std::move(source);
    l.adding = Adding{first, count, 0, false, false, std::move(finished)};
    w.setMode(Mode::Loading);
    w.progressBar()->setRange(0, count + 2);
    w.progressBar()->setValue(1);
    w.progressBar()->show();
    w.intTimer()->setInterval(kStepPauseMs);
    l.source->prefetch(first);
    w.intTimer()->start(0);
}

bool stopAddingEntries(frmMain& w)
{
    Loop& l = loop();
    if (!l.adding)
        return false;
    l.adding->escaped = true;
    // Inside a load the step ends the adding once the load returns.
    if (!l.adding->inLoad) {
        w.intTimer()->stop();
        finishAdding(w);
    }
    return true;
}

bool isAddingEntries()
{
    return loop().adding.has_value();
}

void startLoading(frmMain& w, std::unique_ptr<LoadingSource> source)
{
    abortLoading();
    AlbumDocument& doc = w.document();
    GridLayout& lay = w.layout();
    loop().source = std::move(source);
    w.intTimer()->setInterval(kStepPauseMs);
    // The grid fills from an empty picture.
    ClearGridPicture(w);
    w.vScroll()->hide();
    doc.setLoadIndex(0);
    lay.cellsInRow = 0;
    lay.rowsBelow = 0;
    lay.firstDrawnIndex = 0;
    lay.cursorX = Grid::Left;
    lay.cursorY = Grid::Top;
    w.progressBar()->setRange(0, doc.albumCount());
    w.progressBar()->setValue(0);
    w.progressBar()->show();
    doc.setHiddenCount(0);
    w.setPanel(1, loadingText(doc));
    w.setPanel(2, QString());
    w.setMode(Mode::Loading);
    w.action(Command::ViewComment)->setEnabled(false);
    loop().source->prefetch(0);
    w.intTimer()->start(0);
}

void frmMain_intTimer_Timer(frmMain& w)
{
    w.intTimer()->stop();
    AlbumDocument& doc = w.document();
    Loop& l = loop();
    if (l.adding && l.source) {
        // Only in mode 2: a new document chosen meanwhile drops the adding
        // when its own load starts.
        if (w.mode() == Mode::Loading)
            addingStep(w);
        return;
    }
    if (w.mode() != Mode::Loading || !l.source)
        return;

    QElapsedTimer budget;
    budget.start();
    PendingView pending;
    while (true) {
        if (doc.loadIndex() >= doc.albumCount()) {
            finishLoading(w);
            return;
        }
        const int i = doc.loadIndex();
        if (!l.source->isReady(i)) {
            // Nothing to do until the worker hands in entry i: no idle ticks.
            const quint64 generation = l.generation;
            l.source->whenReady(i, [&w, generation] {
                if (loop().generation == generation && w.mode() == Mode::Loading)
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
        if (l.generation != generation || w.mode() != Mode::Loading || !l.source)
            return;
        if (outcome == LoadingSource::Outcome::Stop)
            break; // the timer stays stopped; the source said why
        if (doc.entry(i).isHidden())
            doc.setHiddenCount(qint16(doc.hiddenCount() + 1));
        else
            placeLoadedEntry(w, i, pending);
        doc.setLoadIndex(qint16(i + 1));
        pending.counts = true;
        l.source->prefetch(doc.loadIndex());
        if (budget.elapsed() >= kStepBudgetMs) {
            w.intTimer()->start(kStepPauseMs);
            break;
        }
    }
    showPending(w, doc.loadIndex() - 1, pending);
    w.surface()->commit();
}

void frmMain_Form_Activate(frmMain& w)
{
    if (w.mode() == Mode::Chosen)
        startLoading(w, std::make_unique<AlbumLoadingSource>(w.document()));
}

void registerLoadingLoop(frmMain& w)
{
    frmMain* win = &w;
    QObject::connect(w.intTimer(), &QTimer::timeout, win, [win] { frmMain_intTimer_Timer(*win); });
    QObject::connect(win, &frmMain::activated, win, [win] { frmMain_Form_Activate(*win); });
}

} // namespace quorbell
