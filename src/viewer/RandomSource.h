// The random values of the shows started from now on: drawn from the clock,
// or from a source a test sets for a known order.
#pragma once

#include "viewer/RandomDraws.h"

#include <functional>

namespace quorbell::viewer {

// An empty function restores drawing seeded from the clock.
void setRandomSourceForNextShows(std::function<double()> source);
RandomDraws drawsForNextShow();

} // namespace quorbell::viewer
