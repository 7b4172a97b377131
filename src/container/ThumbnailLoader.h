// Decodes all thumbnails of an open container in the background, in grid
// order: the records are cut into chunks (small ones first, so the first
// screen is ready at once), worker threads take the chunks in order, and the
// consumer sees a growing prefix of finished thumbnails. It never touches the
// program's state; the UI thread takes the pictures and draws them.
#pragma once

#include "container/ContainerFile.h"

#include <QImage>
#include <QMutex>
#include <QWaitCondition>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QThreadPool;

namespace quorbell::container {

class ThumbnailLoader
{
public:
    explicit ThumbnailLoader(std::shared_ptr<const ContainerFile> file);
    ThumbnailLoader(const ThumbnailLoader&) = delete;
    ThumbnailLoader& operator=(const ThumbnailLoader&) = delete;
    // Cancels and waits for the running chunks.
    ~ThumbnailLoader();

    // Called on a worker thread each time the ready prefix grows, with its new
    // length. Set it before start(); it must only hand the news on (for
    // example with a queued call to the UI thread).
    void setReadyCallback(std::function<void(int readyCount)> callback);
    // Starts the workers on `pool` (the global pool when none is given).
    void start(QThreadPool* pool = nullptr);
    // Stops handing out chunks and waits for the ones being decoded.
    void cancel();

    int count() const { return int(m_images.size()); }
    // Thumbnails 0 .. readyCount()-1 are decoded (or have failed).
    int readyCount() const;
    bool isFinished() const { return readyCount() == count(); }
    // Waits until every worker has stopped (its last ready callback included).
    void waitForWorkers();
    // Blocks until readyCount() >= n, or the time runs out (-1: no limit) or
    // the loader is cancelled; true when the n thumbnails are ready.
    bool waitForReady(int n, int timeoutMs = -1) const;

    // Moves a ready thumbnail out (index < readyCount()): null for an entry
    // without picture and for a record that could not be decoded.
    QImage takeThumbnail(int index);
    // Why a ready record could not be decoded; nothing when it was.
    std::optional<ContainerError> failure(int index) const;
    // The first failed record among the ready ones, if any.
    std::optional<ContainerError> firstFailure() const;

private:
    void runWorker();
    void finishChunk(int chunk);

    std::shared_ptr<const ContainerFile> m_file;
    std::vector<int> m_chunkStarts; // record index where each chunk starts, plus count() at the end
    std::vector<QImage> m_images;
    std::vector<std::optional<ContainerError>> m_failures;
    std::unique_ptr<std::atomic<bool>[]> m_chunkDone;
    std::atomic<int> m_nextChunk{0};
    std::atomic<bool> m_cancelled{false};
    std::function<void(int)> m_callback;
    // Workers report in turn, and only counts larger than the last one reported.
    QMutex m_callbackMutex;
    int m_reported = 0; // guarded by m_callbackMutex

    mutable QMutex m_mutex;
    mutable QWaitCondition m_changed;
    int m_readyChunks = 0; // guarded by m_mutex
    int m_readyCount = 0;  // guarded by m_mutex
    int m_running = 0;     // workers still running; guarded by m_mutex
    bool m_started = false;
};

} // namespace quorbell::container
