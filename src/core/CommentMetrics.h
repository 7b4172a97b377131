// The comment strip under each cell, whose measures follow the cell size.
#pragma once

#include <QtGlobal>

#include <optional>

namespace quorbell {

struct CommentMetrics
{
    qint16 stripHeight = 0; // pixels
    qint16 fontSize = 0;    // points
    qint16 widthLimit = 0;  // half-width columns
    friend bool operator==(const CommentMetrics&, const CommentMetrics&) = default;
};

// The seven cell sizes and their strip values; nothing for any other size.
std::optional<CommentMetrics> commentMetricsFor(int cellSize);
inline constexpr int kCellSizes[] = {60, 70, 80, 90, 100, 110, 120};

} // namespace quorbell
