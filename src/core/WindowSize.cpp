#include "core/WindowSize.h"

#include <QtGlobal>

namespace quorbell {
namespace {

QSize roomFor(QSize available, QSize frame)
{
    return QSize(qMax(1, available.width() - frame.width()),
                 qMax(1, available.height() - frame.height()));
}

int recorded(int stored, int opened, int current, int room)
{
    return stored > current && (current == opened || current >= room) ? stored : current;
}

} // namespace

QSize windowSizeToOpen(QSize stored, QSize available, QSize frame)
{
    return stored.expandedTo(kSmallestWindow).boundedTo(roomFor(available, frame));
}

QSize windowSizeToRecord(QSize stored, QSize opened, QSize current, QSize available, QSize frame)
{
    if (!stored.isValid() || stored.isEmpty())
        return current;
    const QSize room = roomFor(available, frame);
    return QSize(recorded(stored.width(), opened.width(), current.width(), room.width()),
                 recorded(stored.height(), opened.height(), current.height(), room.height()));
}

} // namespace quorbell
