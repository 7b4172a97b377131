// The loading loop: fills the grid one entry after another on the main
// window's timer, drawing each cell the moment its entry is ready, with the
// progress bar and the running counts in the status bar. The work of making
// an entry (decoding an album's first photo, or a container's thumbnail
// record) runs ahead on worker threads; entries are applied on the UI thread
// in grid order, so messages and password prompts come in order too.
#pragma once

#include <functional>
#include <memory>

namespace quorbell {

class frmMain;

// Where the entries come from: album files or a container file.
class LoadingSource
{
public:
    enum class Outcome {
        Loaded, // the entry is filled (possibly without a thumbnail); go on
        Stop,   // loading stops here (a refused file or a cancelled prompt)
    };

    virtual ~LoadingSource() = default;
    // Starts the work for entries from `index` on, as far ahead as is useful.
    virtual void prefetch(int index) = 0;
    // True when entry `index` can be applied without waiting for a worker.
    virtual bool isReady(int index) const = 0;
    // Calls `wake` once, on the UI thread, when entry `index` becomes ready.
    virtual void whenReady(int index, std::function<void()> wake) = 0;
    // Fills entry `index` of the document (UI thread; may ask the user).
    virtual Outcome load(frmMain& w, int index) = 0;
    // Drops the work in flight; nothing of it reaches the document afterwards.
    virtual void cancel() = 0;
    // Whether loading an entry may show a message or a prompt: the loop then
    // shows what it has loaded so far first. A source that never asks lets
    // the loop apply many entries and draw them once per step.
    virtual bool mayAskUser() const { return true; }
};

// Starts loading when the interface mode is 1 (albums chosen), from the
// album files of the document.
void frmMain_Form_Activate(frmMain& w);

// Starts the loop over a source: mode 2, progress bar, status texts.
void startLoading(frmMain& w, std::unique_ptr<LoadingSource> source);

// Stops the loop and drops the work in flight (Escape, or a container
// closed while it loads); nothing of it reaches the document afterwards.
void abortLoading();

// Fills entries added to a shown grid (adding thumbnails): the `count`
// entries from `first` on are in the document with their names only. The
// loop reads them in order, with the progress bar and Escape, in interface
// mode 2; the grid stays as it was shown meanwhile. `finished` gets how many
// were filled from `first` on: all of them, or fewer when a file was
// refused, a prompt cancelled or Escape pressed. A new document started
// meanwhile drops the whole thing without calling it.
void startAddingEntries(frmMain& w, std::unique_ptr<LoadingSource> source, int first, int count,
                        std::function<void(int filled)> finished);
// Escape while entries are being added: they end with what is filled so far.
// False when no entries are being added.
bool stopAddingEntries(frmMain& w);
bool isAddingEntries();

// One step of the loop (the timer's handler).
void frmMain_intTimer_Timer(frmMain& w);

// Connects the timer, the window's activation and the abort command.
void registerLoadingLoop(frmMain& w);

// How long one step may keep the UI thread before it returns to the event loop.
inline constexpr int kStepBudgetMs = 15;
inline constexpr int kStepPauseMs = 10;

} // namespace quorbell
