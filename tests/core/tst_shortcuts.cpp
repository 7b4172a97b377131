// The menu commands' keys: each is shown on its menu item, runs exactly the
// item's command once, does nothing while the item is greyed, and is listed
// in the help pages.
#include "core/Command.h"
#include "core/CommandShortcuts.h"
#include "core/frmMain.h"

#include "TestEnvironment.h"

#include <QAction>
#include <QFile>
#include <QTest>

using namespace quorbell;

class TestShortcuts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keys_data();
    void keys();
};

void TestShortcuts::keys_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("key"); // as the menu shows it
    using C = Command;
    const QList<QPair<C, const char*>> expected = {
        {C::ContnrNew, "Ctrl+N"},       {C::ContnrOpen, "Ctrl+O"},     {C::ContnrSave, "Ctrl+S"},
        {C::ContnrAdd, "Ctrl+Shift+S"}, {C::ContnrInfo, "Alt+Return"}, {C::ContnrExit, "Ctrl+Q"},
        {C::EditUndo, "Ctrl+Z"},        {C::EditRedo, "Ctrl+Shift+Z"}, {C::EditCut, "Ctrl+X"},
        {C::EditCopy, "Ctrl+C"},        {C::EditPut, "Ctrl+V"},        {C::EditDelete, "Del"},
        {C::EditRename, "Ctrl+R"},      {C::ViewSlide, "F5"},          {C::ViewRandom, "Shift+F5"},
        {C::OptionCondition, "Ctrl+,"}, {C::HelpIndex, "F1"},
    };
    // The key table and this list name the same commands.
    QCOMPARE(commandShortcuts().size(), expected.size());
    for (const auto& [command, key] : expected)
        QTest::newRow(commandDef(command).name) << int(command) << QString::fromLatin1(key);
}

void TestShortcuts::keys()
{
    QFETCH(int, command);
    QFETCH(QString, key);
    const Command c = Command(command);
    test::TestEnvironment env;
    frmMain w;
    int runs[kCommandCount] = {};
    for (int i = 0; i < kCommandCount; ++i)
        w.setCommand(Command(i), [&runs, i] { ++runs[i]; });
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.surface()->setFocus();

    QAction* item = w.action(c);
    QVERIFY(!item->shortcuts().isEmpty());
    QCOMPARE(item->shortcut().toString(QKeySequence::PortableText), key);
    const QKeySequence sequence(key);

    item->setEnabled(false);
    QTest::keySequence(w.surface(), sequence);
    for (int i = 0; i < kCommandCount; ++i)
        QCOMPARE(runs[i], 0);

    item->setEnabled(true);
    QTest::keySequence(w.surface(), sequence);
    for (int i = 0; i < kCommandCount; ++i)
        QCOMPARE(runs[i], i == command ? 1 : 0);

    // The help's key list names it (Return is the Enter key there).
    QFile help(QStringLiteral(QUORBELL_HELP_DIR "/index.html"));
    QVERIFY(help.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(help.readAll());
    QString listed = key;
    listed.replace(QLatin1String("Return"), QLatin1String("Enter"));
    QVERIFY2(page.contains(QStringLiteral("<td>%1</td>").arg(listed.toHtmlEscaped())),
             qPrintable(listed));
}

QTEST_MAIN(TestShortcuts)
#include "tst_shortcuts.moc"
