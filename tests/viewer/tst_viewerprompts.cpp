// Questions asked while the viewer runs, through the program's real dialogs:
// each belongs to the viewer window, and once it is answered the viewer is
// the active window again and has the keyboard, so Esc still ends the show.
#include "ViewerAlbums.h"

#include "app/QtPrompts.h"
#include "core/MainWindowHandlers.h"
#include "core/PasswordDialog.h"
#include "core/frmMain.h"
#include "viewer/ViewerCommands.h"
#include "viewer/frmPicture.h"

#include "GridFixture.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quorbell;

namespace {

// Answers the program's modal dialogs as they come up: a password dialog
// with the next scripted text, a message box with OK. Notes the window each
// one belonged to.
class DialogAnswerer : public QObject
{
public:
    explicit DialogAnswerer(QStringList passwords) : m_passwords(std::move(passwords))
    {
        connect(&m_poll, &QTimer::timeout, this, &DialogAnswerer::answer);
        m_poll.start(20);
    }

    QStringList asked; // "password" or "message", then "@" and the owner's object name

private:
    void answer()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || dialog == m_lastAnswered)
            return;
        m_lastAnswered = dialog;
        const QWidget* owner = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
        const QString ownerName = owner ? owner->objectName() : QStringLiteral("none");
        if (auto* password = qobject_cast<PasswordDialog*>(dialog)) {
            asked << QStringLiteral("password@") + ownerName;
            password->entry()->setText(m_passwords.isEmpty() ? QString() : m_passwords.takeFirst());
            password->accept();
        } else if (qobject_cast<QMessageBox*>(dialog)) {
            asked << QStringLiteral("message@") + ownerName;
            dialog->accept();
        }
    }

    QTimer m_poll;
    QStringList m_passwords;
    QPointer<QDialog> m_lastAnswered;
};

} // namespace

class TestViewerPrompts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void questionsBelongToTheViewer_data();
    void questionsBelongToTheViewer();
};

void TestViewerPrompts::questionsBelongToTheViewer_data()
{
    QTest::addColumn<bool>("badHeader");
    QTest::addColumn<QStringList>("passwords");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<bool>("showGoesOn");
    QTest::newRow("right password")
        << false << QStringList{"demo"} << QStringList{"password@frmPicture"} << true;
    QTest::newRow("wrong, then right password")
        << false << QStringList{"nope", "demo"}
        << QStringList{"password@frmPicture", "message@frmPicture", "password@frmPicture"} << true;
    QTest::newRow("bad album header")
        << true << QStringList() << QStringList{"message@frmPicture"} << false;
}

void TestViewerPrompts::questionsBelongToTheViewer()
{
    QFETCH(bool, badHeader);
    QFETCH(QStringList, passwords);
    QFETCH(QStringList, asked);
    QFETCH(bool, showGoesOn);

    test::TestEnvironment env;
    QTemporaryDir dir;
    const QString album = dir.filePath(QStringLiteral("ひみつ.sld"));
    QVERIFY(test::writeAlbumFile(album, badHeader ? QByteArrayLiteral("not an album file")
                                                  : test::solidAlbumBytes(0, {"P0.JPG"}, "demo")));
    auto w = test::makeWindow(QSize(600, 400));
    frmMain_Form_Load(*w, QString());
    registerViewerCommands(*w);
    QtPrompts dialogs(w.get());
    setPrompts(&dialogs);
    w->document().setAlbumFolder(dir.path() + QLatin1Char('/'));
    w->document().setEntries({});
    AlbumEntry entry;
    entry.fileName = QStringLiteral("ひみつ.sld");
    w->document().insertEntry(w->document().albumCount(), entry);
    w->settings().viewerOptions = 0;
    w->settings().clear(Flag::AutoAdvance); // the first photo stays until a click
    w->settings().set(Flag::Endless);
    w->setMode(Mode::Shown);
    w->activateWindow();

    DialogAnswerer answerer(passwords);
    w->runCommand(Command::ViewSlide);
    QTRY_COMPARE(answerer.asked.size(), asked.size());
    QCOMPARE(answerer.asked, asked);
    if (!showGoesOn) {
        QTRY_VERIFY(!frmPicture::current());
        setPrompts(nullptr);
        return;
    }
    frmPicture* viewer = frmPicture::current();
    QVERIFY(viewer);
    // After the question the viewer is on top with the keyboard, not the main window.
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(viewer));
    QVERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == viewer);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!frmPicture::current());
    QCOMPARE(w->mode(), Mode::Shown);
    setPrompts(nullptr);
}

QTEST_MAIN(TestViewerPrompts)
#include "tst_viewerprompts.moc"
