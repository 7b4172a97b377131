// Opening files for reading without ever blocking on a pipe or a device, and
// writing whole files so that a failure leaves the old file as it was.
#pragma once

#include <QByteArrayView>
#include <QString>

class QFile;
class QIODevice;
class QSaveFile;

namespace quorbell {

enum class OpenResult {
    Opened,
    Missing,    // no file at the path
    NotAFile,   // a folder, a device, a pipe
    Unreadable, // the file could not be opened (the QFile's errorString says why)
};

// Opens `path` into `file` for unbuffered reading when it is a regular file.
// A missing file, a folder, a pipe or a device is refused before anything is
// opened, so nothing blocks on it; on any result but Opened, nothing is left open.
OpenResult openRegularFile(QFile& file, const QString& path);

struct AtomicWriteOptions
{
    // The folder of `path` is made first when it does not exist.
    bool makeParentFolder = false;
    // Where no temporary file can be made beside the target (a folder the
    // user may not add to), an existing writable file is written in place.
    bool directWriteFallback = false;
    // False for files that are made again whenever they are wanted (a
    // thumbnail a file manager asked for): the rename still replaces the
    // target whole, but nothing waits for the bytes to reach the disk, which
    // costs milliseconds. directWriteFallback does not apply then.
    bool waitForDisk = true;
};

// Why a write to `device` failed, in the system's words. A write that stopped
// short without an error code ran out of space (the system's writes only stop
// short on a full disk), which Qt reports as "Unknown error": the system's
// message for a full disk is given instead.
QString writeFailureReason(const QIODevice& device);

// Finishes `file`, every write to which succeeded: the bytes still buffered
// are written and forced to the disk, and the file is put in place. On
// failure nothing is put in place and `error` (when given) gets the reason.
bool commitSaveFile(QSaveFile& file, QString* error = nullptr);

// Writes `bytes` to `path` through a temporary file renamed over the target
// once every byte is written (and on disk, unless the options say otherwise),
// so a failed write leaves an older file as it was. On failure `error` (when given) gets the
// system's reason.
bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* error = nullptr,
                         AtomicWriteOptions options = {});

} // namespace quorbell
