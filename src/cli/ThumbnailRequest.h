// What `quorbell-cli thumbnail` and the desktop thumbnailer are asked for,
// read from the same command line; and how both end when the album they read
// through a mapping shrinks meanwhile. Qt Core alone.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quorbell::cli {

// Freedesktop thumbnails are asked for at 128, 256, 512 or 1024 pixels.
inline constexpr int kDefaultThumbnailSize = 256;
inline constexpr int kMinThumbnailSize = 16;
inline constexpr int kMaxThumbnailSize = 4096;

struct ThumbnailRequest
{
    int size = kDefaultThumbnailSize;
    QString input;
    QString output;
};

// "-s SIZE", "-sSIZE", "--size SIZE" or "--size=SIZE", then INPUT OUTPUT;
// "--" ends the options. The file manager's command line is
// "-s %s %i %o", so a single-dash option is taken as well. Nothing, with the
// reason in `problem`, for any other command line.
std::optional<ThumbnailRequest> parseThumbnailRequest(const QStringList& args, QString* problem);

// A file that shrinks while it is read through a mapping raises SIGBUS: from
// now on that ends the process with one line on standard error and status 1
// (a file that cannot be read), not as a crash. `message` must outlive the
// process.
void endQuietlyOnShrunkFile(const char* message);

} // namespace quorbell::cli
