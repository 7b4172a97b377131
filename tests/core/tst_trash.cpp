// Deleting files into the trash on a fresh account: the home trash is made
// when it is missing, and a file goes to a trash or is deleted, never moved
// anywhere else (in particular not into the working folder).
#include "core/Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;

namespace {

// HOME, XDG_DATA_HOME and the working folder of one test, put back after it.
class PrivateHome
{
public:
    PrivateHome()
        : m_home(qgetenv("HOME")), m_data(qgetenv("XDG_DATA_HOME")), m_cwd(QDir::currentPath())
    {
        qputenv("HOME", QFile::encodeName(home()));
        qunsetenv("XDG_DATA_HOME");
        QDir().mkpath(cwd());
        QDir::setCurrent(cwd());
    }
    ~PrivateHome()
    {
        QDir::setCurrent(m_cwd);
        qputenv("HOME", m_home);
        if (m_data.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_data);
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString home() const { return path(QStringLiteral("home")); }
    QString cwd() const { return path(QStringLiteral("cwd")); }

private:
    QTemporaryDir m_dir;
    QByteArray m_home, m_data;
    QString m_cwd;
};

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QFile::Permissions modeOf(const QString& path)
{
    return QFileInfo(path).permissions() & (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                            QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
}

} // namespace

class TestTrash : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void deletedFileGoesToATrashOrAway_data();
    void deletedFileGoesToATrashOrAway();
};

void TestTrash::deletedFileGoesToATrashOrAway_data()
{
    QTest::addColumn<QString>("dataHome"); // XDG_DATA_HOME under the test folder; "" unset
    QTest::addColumn<QString>("prepare");  // what is there before the delete
    QTest::addColumn<QString>("trash");    // where the file lands; "" deleted
    QTest::newRow("fresh home without .local/share") << ""
                                                     << "home"
                                                     << "home/.local/share/Trash";
    QTest::newRow("data folder named but missing") << "data"
                                                   << "home"
                                                   << "data/Trash";
    QTest::newRow("only files/ there") << ""
                                       << "home/.local/share/Trash/files"
                                       << "home/.local/share/Trash";
    QTest::newRow("trash without files/ and info/") << ""
                                                    << "home/.local/share/Trash"
                                                    << "home/.local/share/Trash";
    QTest::newRow("no trash can be made: deleted") << "blocker/data"
                                                   << "home"
                                                   << "";
}

void TestTrash::deletedFileGoesToATrashOrAway()
{
    QFETCH(QString, dataHome);
    QFETCH(QString, prepare);
    QFETCH(QString, trash);
    PrivateHome env;
    QVERIFY(QDir().mkpath(env.path(prepare)));
    QVERIFY(writeFile(env.path("blocker"), "a file where a folder would have to be"));
    if (!dataHome.isEmpty())
        qputenv("XDG_DATA_HOME", QFile::encodeName(env.path(dataHome)));
    QVERIFY(QDir().mkpath(env.path("albums")));
    const QString album = env.path("albums/旅行.sld");
    QVERIFY(writeFile(album, "album bytes"));

    QVERIFY(moveFileToTrash(album));
    QVERIFY(!QFileInfo::exists(album));
    // Nothing lands in the working folder, whatever happened.
    QCOMPARE(QDir(env.cwd()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
    if (trash.isEmpty()) {
        QCOMPARE(QDir(env.path("albums")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        return;
    }
    QCOMPARE(homeTrashFolder(), env.path(trash));
    QFile inTrash(env.path(trash + "/files/旅行.sld"));
    QVERIFY(inTrash.open(QIODevice::ReadOnly));
    QCOMPARE(inTrash.readAll(), QByteArray("album bytes"));
    QVERIFY(QFileInfo::exists(env.path(trash + "/info/旅行.sld.trashinfo")));
    const QFile::Permissions userOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    if (!prepare.startsWith(trash)) // folders the delete made are the user's alone
        QCOMPARE(modeOf(env.path(trash)), userOnly);
    QCOMPARE(modeOf(env.path(trash + "/info")), userOnly);
}

QTEST_GUILESS_MAIN(TestTrash)
#include "tst_trash.moc"
