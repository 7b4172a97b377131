// The worker threads that decode thumbnails: albums' first photos while a grid
// loads or thumbnails are added, and a container's thumbnail records.
#pragma once

class QThreadPool;

namespace quorbell {

// One pool for every load, so a dropped load never waits for its workers:
// their results are thrown away when they come. It lives as long as the
// program.
QThreadPool* thumbnailPool();

} // namespace quorbell
