// Writing a container file. The whole document is checked and its texts
// encoded before the first byte is written, so a refused document leaves
// nothing behind; the file itself is written to a temporary file beside the
// target and renamed over it only when every byte is on disk, so the old file
// survives any failure.
#pragma once

#include "container/ContainerDocument.h"
#include "container/ContainerError.h"

#include <QString>

#include <functional>
#include <optional>

class QIODevice;

namespace quorbell::container {

// Called after each thumbnail record with the records written so far and the
// album count. It runs on the writing thread for every record; a caller that
// shows progress should throttle its own redraws.
using WriteProgress = std::function<void(int written, int count)>;

// Whether the document can be written, without writing anything: at most
// 32767 entries, a known cell size, names without "/" or NUL, every name,
// comment and date text with an exact code page 932 form of at most 65535
// bytes, every thumbnail small enough for a BMP record. The error names the
// entry (index) and the table (Names, Comments, FileDates); for
// UnencodableText its detail is the first character that has no form.
std::optional<ContainerError> checkContainer(const ContainerDocument& doc);

// The container's bytes onto an open device. The magic always carries this
// program's version text; the album folder is written with "?" for
// characters that have no code page 932 form (it is never read back to find
// albums).
std::optional<ContainerError> writeContainerTo(QIODevice& device, const ContainerDocument& doc,
                                               const WriteProgress& progress = {});

// The container at `path`, replacing any file there, a read-only one
// included. On failure the old file is left as it was and the error says why
// (WriteFailed with the system's reason as detail).
std::optional<ContainerError> writeContainer(const QString& path, const ContainerDocument& doc,
                                             const WriteProgress& progress = {});

} // namespace quorbell::container
