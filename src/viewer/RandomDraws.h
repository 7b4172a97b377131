// The random numbers of the random display, in [0, 1). Draws can be looked at
// before they are taken, so the photo a later step will draw can be prepared
// in advance: a peeked value is the one the next take returns.
#pragma once

#include <deque>
#include <functional>

namespace quorbell::viewer {

class RandomDraws
{
public:
    // Seeded from the clock.
    RandomDraws();
    // Values from `source`, each in [0, 1).
    explicit RandomDraws(std::function<double()> source);

    // Takes the next value.
    double next();
    // The value the take after `ahead` more takes will return (0: the next).
    double peek(int ahead = 0);

private:
    std::function<double()> m_source;
    std::deque<double> m_ahead;
};

} // namespace quorbell::viewer
