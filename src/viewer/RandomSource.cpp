// The random source of new shows.
#include "viewer/RandomSource.h"

namespace quorbell::viewer {
namespace {

std::function<double()>& sourceForNextShows()
{
    static std::function<double()> source;
    return source;
}

} // namespace

void setRandomSourceForNextShows(std::function<double()> source)
{
    sourceForNextShows() = std::move(source);
}

RandomDraws drawsForNextShow()
{
    if (sourceForNextShows())
        return RandomDraws(sourceForNextShows());
    return RandomDraws();
}

} // namespace quorbell::viewer
