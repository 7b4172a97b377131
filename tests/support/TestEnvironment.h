// A private configuration folder for a test: the settings file of the run
// lives there, so tests never touch the user's own.
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

private:
    QTemporaryDir m_config;
    QByteArray m_previous;
};

} // namespace quorbell::test
