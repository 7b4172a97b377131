// Root passes every permission check, so a test of a permission failure
// proves nothing when run as root (as CI does). Such tests run as the
// unprivileged user "nobody" instead: as root, the test function runs itself
// again, for its current data row, in a child test process that setpriv has
// dropped to nobody, and the child's result is the test's result.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTest>

namespace quorbell::test {

bool runningAsRoot();

// The command words that start a program as nobody with no groups; empty
// when not running as root (nothing to drop).
QStringList dropRootPrefix();

struct ChildTestRun
{
    bool passed = false;
    QByteArray output; // the child's test log, for the failure message
};

// Runs the current test function and data row again as nobody.
ChildTestRun rerunCurrentTestAsNobody();

} // namespace quorbell::test

// First statement of a test function (or of its branch) whose failure needs
// a user without root's privileges.
#define QUORBELL_RUN_AS_NOBODY_WHEN_ROOT()                                                         \
    do {                                                                                           \
        if (::quorbell::test::runningAsRoot()) {                                                   \
            const ::quorbell::test::ChildTestRun child =                                           \
                ::quorbell::test::rerunCurrentTestAsNobody();                                      \
            QVERIFY2(child.passed, child.output.constData());                                      \
            return;                                                                                \
        }                                                                                          \
    } while (false)
