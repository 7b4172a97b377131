// Random draws with a look-ahead.
#include "viewer/RandomDraws.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <algorithm>

namespace quorbell::viewer {

RandomDraws::RandomDraws()
{
    QRandomGenerator rng{quint32(QDateTime::currentMSecsSinceEpoch())};
    m_source = [rng]() mutable { return rng.generateDouble(); };
}

RandomDraws::RandomDraws(std::function<double()> source) : m_source(std::move(source)) {}

double RandomDraws::next()
{
    const double r = peek(0);
    m_ahead.pop_front();
    return r;
}

double RandomDraws::peek(int ahead)
{
    ahead = std::max(ahead, 0);
    while (int(m_ahead.size()) <= ahead) {
        // A source that strays outside [0, 1) is brought back into it.
        const double r = m_source ? m_source() : 0.0;
        m_ahead.push_back(r >= 0.0 && r < 1.0 ? r : 0.0);
    }
    return m_ahead[size_t(ahead)];
}

} // namespace quorbell::viewer
