// Entries from an open container file: every thumbnail record is decoded in
// bulk on worker threads (ThumbnailLoader), and the loading loop applies the
// decoded pictures in grid order as fast as they come, many per step. The
// names, comments, size words, file sizes and dates are already in the
// document when loading starts; only the pictures arrive here.
#pragma once

#include "grid/LoadingLoop.h"

#include <functional>
#include <memory>

class QObject;

namespace quorbell {

namespace container {
class ContainerFile;
class ThumbnailLoader;
} // namespace container

class ContainerLoadingSource : public LoadingSource
{
public:
    explicit ContainerLoadingSource(std::shared_ptr<const container::ContainerFile> file);
    ~ContainerLoadingSource() override;

    void prefetch(int index) override;
    bool isReady(int index) const override;
    void whenReady(int index, std::function<void()> wake) override;
    Outcome load(frmMain& w, int index) override;
    void cancel() override;
    bool mayAskUser() const override { return false; }

    // Records whose picture could not be decoded: their entries show an empty cell.

private:
    void wakeIfReady();

    std::shared_ptr<const container::ContainerFile> m_file;
    std::unique_ptr<container::ThumbnailLoader> m_loader;
    // Lives on the UI thread: the workers' news is queued to it, and a news
    // item still queued when the source goes away is dropped with it.
    std::unique_ptr<QObject> m_receiver;
    std::function<void()> m_wake;
    int m_wakeIndex = -1;
    bool m_started = false;
};

} // namespace quorbell
