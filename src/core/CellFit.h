// How a picture fits a square thumbnail cell: reduced, keeping its
// proportions, until its longer side fills the cell's edge less 2; never
// enlarged; ties go to the height. Exact integer arithmetic, truncating.
#pragma once

#include <QPoint>
#include <QSize>

namespace quorbell {

constexpr QSize fitToCell(QSize picture, int cellSize)
{
    const qint64 w = picture.width();
    const qint64 h = picture.height();
    const qint64 s = cellSize - 2;
    if (w > h)
        return w > s ? QSize(int(s), int(h * s / w)) : picture;
    return h > s && h > 0 ? QSize(int(w * s / h), int(s)) : picture;
}

// The pixel size as the program records it: width and height are 16-bit
// values, so a picture with a side beyond 32767 is recorded reduced in
// proportion until that side is 32767.
constexpr QSize recordedPixelSize(QSize full)
{
    constexpr qint64 kMax = 32767;
    const qint64 longer = full.width() > full.height() ? full.width() : full.height();
    if (longer <= kMax)
        return full;
    const auto reduced = [&](qint64 side) {
        return int(side * kMax / longer > 1 ? side * kMax / longer : 1);
    };
    return QSize(reduced(full.width()), reduced(full.height()));
}

// Where a fitted picture goes inside the cell: centred, truncating.
constexpr QPoint offsetInCell(QSize fitted, int cellSize)
{
    return QPoint((cellSize - fitted.width()) / 2, (cellSize - fitted.height()) / 2);
}

} // namespace quorbell
