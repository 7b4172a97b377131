#include "container/ContainerDocument.h"

#include "core/CommentMetrics.h"

#include <algorithm>
#include <iterator>

namespace quorbell::container {

bool isValidCellSize(int cellSize)
{
    return std::find(std::begin(kCellSizes), std::end(kCellSizes), cellSize) !=
           std::end(kCellSizes);
}

bool isNoPictureRecord(int bmpWidth, int bmpHeight, qint32 sizeWord)
{
    return bmpWidth == 1 && bmpHeight == 1 && sizeWord == 0;
}

} // namespace quorbell::container
