// Order and timing rules of the viewer.
#include "viewer/ShowOrder.h"

#include <QtGlobal>

#include <algorithm>

namespace quorbell::viewer {

int photoIntervalMs(int intervalSetting)
{
    return std::clamp(intervalSetting, 1, 6) * 1000 - 500;
}

bool isMarkedPhoto(const QString& name)
{
    return name.startsWith(QLatin1Char('*'));
}

std::optional<int> firstShowablePhoto(const QStringList& names, int from)
{
    for (int i = std::max(from, 0); i < names.size(); ++i) {
        if (!isMarkedPhoto(names.at(i)))
            return i;
    }
    return std::nullopt;
}

QList<int> showablePhotos(const QStringList& names)
{
    QList<int> out;
    for (int i = 0; i < names.size(); ++i) {
        if (!isMarkedPhoto(names.at(i)))
            out.append(i);
    }
    return out;
}

std::optional<int> nextAlbumIndex(int current, int count, bool endless)
{
    if (count <= 0)
        return std::nullopt;
    if (current < count - 1)
        return std::max(current + 1, 0);
    if (endless)
        return 0;
    return std::nullopt;
}

QList<int> albumWalk(int first, int count, bool endless)
{
    QList<int> out;
    if (count <= 0 || first < 0 || first >= count)
        return out;
    std::optional<int> at = first;
    while (at && out.size() < count) {
        out.append(*at);
        at = nextAlbumIndex(*at, count, endless);
    }
    return out;
}

int drawnIndex(double r, int n)
{
    Q_ASSERT(n >= 1);
    const int i = int(r * n);
    return std::clamp(i, 0, n - 1);
}

ManualStep manualStep(const QStringList& names, int current, StepDirection direction, bool endless)
{
    const int count = int(names.size());
    if (count <= 0)
        return {};
    int index = std::clamp(current, 0, count - 1);
    for (int tries = 0; tries < count; ++tries) {
        if (direction == StepDirection::Back) {
            if (index <= 0) {
                if (!endless)
                    return {ManualStep::Outcome::Close, -1};
                index = count - 1;
            } else {
                --index;
            }
        } else {
            if (index >= count - 1) {
                if (!endless)
                    return {ManualStep::Outcome::Close, -1};
                index = 0;
            } else {
                ++index;
            }
        }
        if (!isMarkedPhoto(names.at(index)))
            return {ManualStep::Outcome::Show, index};
    }
    return {};
}

} // namespace quorbell::viewer
