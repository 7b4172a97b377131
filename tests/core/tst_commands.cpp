// The command table against the window the program wires: every command has
// its own menu item and a handler, so none of them can be a silent no-op.
#include "app/Wiring.h"
#include "core/Command.h"
#include "core/frmMain.h"

#include "TestEnvironment.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using namespace quorbell;

class TestCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyCommandIsWired_data();
    void everyCommandIsWired();
};

void TestCommands::everyCommandIsWired_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < kCommandCount; ++i)
        QTest::newRow(commandTable().at(i).name) << i;
}

void TestCommands::everyCommandIsWired()
{
    QFETCH(int, index);
    QCOMPARE(int(commandTable().size()), kCommandCount);
    const CommandDef& def = commandTable().at(index);
    // The table lists the enum in its order, so a lookup finds its own row.
    QCOMPARE(int(def.command), index);
    test::TestEnvironment env;
    frmMain w;
    wireCommands(w);
    QAction* item = w.action(def.command);
    QVERIFY(item);
    if (def.command == Command::EditSort) {
        // The submenu's item opens the sorts and runs nothing itself.
        QVERIFY(item->menu());
        QVERIFY(!w.hasCommand(def.command));
        return;
    }
    QCOMPARE(item->objectName(), QString::fromLatin1(def.name));
    QCOMPARE(item->text(), QString::fromUtf8(def.caption));
    QVERIFY(w.hasCommand(def.command));
    if (def.buttonKey)
        QCOMPARE(w.button(def.command)->objectName(), QString::fromLatin1(def.buttonKey));
    if (def.shortcutName)
        QCOMPARE(w.shortcutItem(def.command)->objectName(), QString::fromLatin1(def.shortcutName));
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
