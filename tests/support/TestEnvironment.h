// A private configuration folder for a test: the settings file of the run
// lives there, and its state folder (where unsaved documents are kept) beside
// it, and its data folder (the recently-used list), so tests never touch the user's own.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace quorbell::test {

class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();
    QString configFolder() const { return m_config.path(); }
    QString settingsFile() const;
    QString stateFolder() const { return m_config.path() + QStringLiteral("/state"); }
    // Where the desktop's recently-used list goes.
    QString dataFolder() const { return m_config.path() + QStringLiteral("/data"); }

private:
    QTemporaryDir m_config;
    QByteArray m_previous;
    QByteArray m_previousState;
    QByteArray m_previousData;
};

} // namespace quorbell::test
