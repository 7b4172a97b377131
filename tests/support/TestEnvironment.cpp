#include "TestEnvironment.h"

namespace quorbell::test {

namespace {

void restore(const char* name, const QByteArray& value)
{
    if (value.isEmpty())
        qunsetenv(name);
    else
        qputenv(name, value);
}

} // namespace

TestEnvironment::TestEnvironment()
    : m_previous(qgetenv("XDG_CONFIG_HOME")), m_previousState(qgetenv("XDG_STATE_HOME")),
      m_previousData(qgetenv("XDG_DATA_HOME"))
{
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", stateFolder().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dataFolder().toLocal8Bit());
}

TestEnvironment::~TestEnvironment()
{
    restore("XDG_CONFIG_HOME", m_previous);
    restore("XDG_STATE_HOME", m_previousState);
    restore("XDG_DATA_HOME", m_previousData);
}

QString TestEnvironment::settingsFile() const
{
    return m_config.path() + QStringLiteral("/Quorbell/Quorbell.ini");
}

} // namespace quorbell::test
