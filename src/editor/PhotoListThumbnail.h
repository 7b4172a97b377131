// The small picture of a photo in the album editor's list: upright, shrunk
// on load (or the camera's embedded thumbnail when it will do), fitted to a
// square of `side` pixels. Thread-agnostic: the editor calls it on workers.
#pragma once

#include <QByteArray>
#include <QImage>

namespace quorbell::editor {

// A null image when the bytes cannot be decoded.
QImage photoListThumbnail(const QByteArray& imageBytes, int side);

} // namespace quorbell::editor
