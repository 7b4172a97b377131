// Which of the three image formats an album's photo is, from its first bytes.
#pragma once

#include <QByteArrayView>

namespace quorbell::album {

enum class ImageKind { Unknown, Bmp, Jpeg, Gif };

// The kind of image the bytes hold, from their first bytes.
ImageKind sniffImageKind(QByteArrayView bytes);

} // namespace quorbell::album
