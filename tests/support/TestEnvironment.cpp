#include "TestEnvironment.h"

#include "core/GlobalState.h"

namespace quorbell::test {

TestEnvironment::TestEnvironment() : m_previous(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    resetGlobalState();
}

TestEnvironment::~TestEnvironment()
{
    if (m_previous.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", m_previous);
    resetGlobalState();
}

QString TestEnvironment::settingsFile() const
{
    return m_config.path() + QStringLiteral("/Quorbell/Quorbell.ini");
}

} // namespace quorbell::test
