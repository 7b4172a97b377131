// Uncompressed BMP files whose pixel rows run past the end of their bytes.
// Qt's reader stops at the end and leaves the remaining rows unwritten, with
// whatever the memory held; completing the rows with zero bytes makes them
// black (or palette entry 0), the same every time.
#pragma once

#include <QByteArray>

#include <optional>

namespace quorbell {

// The file completed with zero bytes up to the end of its last pixel row;
// nothing when it needs no completing, is not an uncompressed BMP, or would
// take more than kBmpMaxCompletedBytes.
std::optional<QByteArray> completedBmpRows(QByteArrayView bmp);

inline constexpr qint64 kBmpMaxCompletedBytes = 256 * 1024 * 1024;

} // namespace quorbell
