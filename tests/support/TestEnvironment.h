// A private configuration folder for a test: the settings file of the run
// lives there, and its state folder (where unsaved documents are kept) beside
// it, so tests never touch the user's own.
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

private:
    QTemporaryDir m_config;
    QByteArray m_previous;
    QByteArray m_previousState;
};

} // namespace quorbell::test
