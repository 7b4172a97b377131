#include "core/CommentMetrics.h"

namespace quorbell {

std::optional<CommentMetrics> commentMetricsFor(int cellSize)
{
    switch (cellSize) {
    case 60:
        return CommentMetrics{12, 8, 10};
    case 70:
        return CommentMetrics{12, 8, 11};
    case 80:
        return CommentMetrics{12, 8, 13};
    case 90:
        return CommentMetrics{14, 9, 14};
    case 100:
        return CommentMetrics{14, 9, 15};
    case 110:
        return CommentMetrics{16, 10, 16};
    case 120:
        return CommentMetrics{16, 10, 18};
    default:
        return std::nullopt;
    }
}

} // namespace quorbell
