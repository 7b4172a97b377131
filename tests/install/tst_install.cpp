// Installs the build into a temporary prefix, as a user's `cmake --install`
// does, and checks what a Linux desktop needs there: the programs and the data
// folder, the desktop entry, the file types, the AppStream metainfo, the icons
// and the manual pages; then makes the Debian package and reads its fields.
// The desktop tools' own validators judge their files where they are installed.
#include "core/Version.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString kAppId = QStringLiteral("io.github.quorbell.Quorbell");
const QString kContainerType = QStringLiteral("application/x-quorbell-container");
const QString kAlbumType = QStringLiteral("application/x-quorbell-album");

struct Run
{
    bool started = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    bool ok() const { return started && exitCode == 0; }
    QByteArray describe() const
    {
        return "exit " + QByteArray::number(exitCode) + "\nstdout: " + out + "\nstderr: " + err;
    }
};

QProcessEnvironment cleanEnvironment()
{
    // The suite points the programs at the build's data folder; an installed
    // program must find its own.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QUORBELL_DATA_DIR"));
    return env;
}

Run run(const QString& program, const QStringList& args,
        const QProcessEnvironment& env = cleanEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    Run r;
    r.started = p.waitForStarted();
    if (!r.started)
        return r;
    if (!p.waitForFinished(120000)) { // a hung tool is a failure, not a stuck suite
        p.kill();
        p.waitForFinished();
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Keys of one group of a desktop entry file (by default its main group).
QMap<QString, QString> readDesktopEntry(const QString& path,
                                        const QString& group = QStringLiteral("[Desktop Entry]"))
{
    QMap<QString, QString> keys;
    bool inMain = false;
    for (const QString& line : QString::fromUtf8(readAll(path)).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('['))) {
            inMain = line == group;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inMain && eq > 0)
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return keys;
}

QSet<QString> splitList(const QString& value)
{
    QSet<QString> items;
    for (const QString& item : value.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        items.insert(item);
    return items;
}

struct MagicMatch
{
    QString type;
    QString offset;
    QString value;
};

struct MimeTypeInfo
{
    QMap<QString, QString> comments; // language ("" for the default) to text
    QStringList globs;
    QList<MagicMatch> magic;
};

// The types of a shared MIME info package; empty when the XML is not well formed.
QMap<QString, MimeTypeInfo> readMimeInfo(const QString& path)
{
    QMap<QString, MimeTypeInfo> types;
    QXmlStreamReader xml(readAll(path));
    QString current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto attr = [&xml](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toString();
        };
        if (xml.name() == QLatin1String("mime-type")) {
            current = attr("type");
            types[current];
        } else if (xml.name() == QLatin1String("comment") && !current.isEmpty()) {
            const QString lang = xml.attributes().value(QLatin1String("xml:lang")).toString();
            types[current].comments.insert(lang, xml.readElementText());
        } else if (xml.name() == QLatin1String("glob") && !current.isEmpty()) {
            types[current].globs << attr("pattern");
        } else if (xml.name() == QLatin1String("match") && !current.isEmpty()) {
            types[current].magic.append({attr("type"), attr("offset"), attr("value")});
        }
    }
    if (xml.hasError())
        return {};
    return types;
}

// Texts of an AppStream file's elements keyed by path ("component/provides/binary"),
// with "[lang]" after translated ones; attributes under "path@name". Descriptions
// are left to the validator.
QMultiMap<QString, QString> readMetainfo(const QString& path, bool* wellFormed)
{
    QMultiMap<QString, QString> values;
    QXmlStreamReader xml(readAll(path));
    QStringList stack;
    QStringList languages;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (xml.name() == QLatin1String("description")) {
                xml.skipCurrentElement();
                break;
            }
            stack << xml.name().toString();
            languages << xml.attributes().value(QLatin1String("xml:lang")).toString();
            const QString key = stack.join(QLatin1Char('/'));
            for (const QXmlStreamAttribute& a : xml.attributes())
                values.insert(key + QLatin1Char('@') + a.qualifiedName().toString(),
                              a.value().toString());
            break;
        }
        case QXmlStreamReader::Characters:
            if (!xml.isWhitespace() && !stack.isEmpty()) {
                QString key = stack.join(QLatin1Char('/'));
                if (!languages.constLast().isEmpty())
                    key += QLatin1Char('[') + languages.constLast() + QLatin1Char(']');
                values.insert(key, xml.text().toString().trimmed());
            }
            break;
        case QXmlStreamReader::EndElement:
            stack.removeLast();
            languages.removeLast();
            break;
        default:
            break;
        }
    }
    *wellFormed = !xml.hasError();
    return values;
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void wholeDataFolderInstalled();
    void icons_data();
    void icons();
    void scalableIcon();
    void desktopEntry();
    void mimeInfo_data();
    void mimeInfo();
    void metainfo();
    void filesAgreeOnIdAndTypes();
    void mimeDatabaseRecognisesFiles_data();
    void mimeDatabaseRecognisesFiles();
    void installedCliRuns();
    void thumbnailerEntry();
    void thumbnailerRunsAsFileManagersRunIt_data();
    void thumbnailerRunsAsFileManagersRunIt();
    void manPages_data();
    void manPages();
    void manPageCoversEveryCommand();
    void debianPackage();

private:
    QString installed(const QString& relative) const { return m_prefix.filePath(relative); }
    QString desktopFile() const { return installed("share/applications/" + kAppId + ".desktop"); }
    QString mimeFile() const { return installed("share/mime/packages/" + kAppId + ".xml"); }
    QString thumbnailerFile() const { return installed("share/thumbnailers/quorbell.thumbnailer"); }
    QString metainfoFile() const { return installed("share/metainfo/" + kAppId + ".metainfo.xml"); }
    static QString tool(const char* name) { return QStandardPaths::findExecutable(name); }

    QTemporaryDir m_prefix;
    QTemporaryDir m_emptyHome;
    bool m_mimeCacheBuilt = false;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    const Run install = run(QStringLiteral(QUORBELL_CMAKE),
                            {QStringLiteral("--install"), QStringLiteral(QUORBELL_BUILD_DIR),
                             QStringLiteral("--prefix"), m_prefix.path()});
    QVERIFY2(install.ok(), install.describe());

    // A MIME cache for the installed tree alone, as a desktop builds it after
    // installation, so lookups below see only our definitions.
    const QString updater = tool("update-mime-database");
    if (!updater.isEmpty()) {
        const Run update = run(updater, {installed("share/mime")});
        QVERIFY2(update.ok(), update.describe());
        m_mimeCacheBuilt = QFileInfo::exists(installed("share/mime/mime.cache"));
    }
}

void TestInstall::installedFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::newRow("program") << "bin/quorbell" << true;
    QTest::newRow("cli") << "bin/quorbell-cli" << true;
    QTest::newRow("thumbnailer program") << "bin/quorbell-thumbnailer" << true;
    QTest::newRow("data file") << "share/quorbell/Image.bmp" << false;
    QTest::newRow("desktop entry") << "share/applications/" + kAppId + ".desktop" << false;
    QTest::newRow("mime info") << "share/mime/packages/" + kAppId + ".xml" << false;
    QTest::newRow("metainfo") << "share/metainfo/" + kAppId + ".metainfo.xml" << false;
    QTest::newRow("scalable icon")
        << "share/icons/hicolor/scalable/apps/" + kAppId + ".svg" << false;
    QTest::newRow("thumbnailer") << "share/thumbnailers/quorbell.thumbnailer" << false;
    QTest::newRow("man quorbell") << "share/man/man1/quorbell.1" << false;
    QTest::newRow("man quorbell-cli") << "share/man/man1/quorbell-cli.1" << false;
    QTest::newRow("copyright") << "share/doc/quorbell/copyright" << false;
}

void TestInstall::installedFiles()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo info(installed(path));
    QVERIFY2(info.isFile(), qPrintable(info.filePath()));
    QVERIFY(info.size() > 0);
    QCOMPARE(info.isExecutable(), executable);
}

void TestInstall::wholeDataFolderInstalled()
{
    // Whatever the build put into its data folder (help pages, the demo) is
    // what the installed program finds beside itself at ../share/quorbell.
    const QDir built(QStringLiteral(QUORBELL_BUILD_DIR "/share/quorbell"));
    QVERIFY(built.exists());
    int files = 0;
    QDirIterator it(built.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo source(it.next());
        const QFileInfo target(
            installed("share/quorbell/" + built.relativeFilePath(source.filePath())));
        QVERIFY2(target.isFile(), qPrintable(target.filePath()));
        QCOMPARE(target.size(), source.size());
        ++files;
    }
    QVERIFY(files >= 1);
}

void TestInstall::icons_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void TestInstall::icons()
{
    QFETCH(int, size);
    const QString path =
        installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + kAppId + ".png");
    const QImage icon(path);
    QVERIFY2(!icon.isNull(), qPrintable(path));
    QCOMPARE(icon.size(), QSize(size, size));
    // A tile with a transparent surround: the theme draws it on any background.
    QVERIFY(icon.hasAlphaChannel());
    QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(icon.pixelColor(size / 2, size / 2).alpha(), 255);
    QCOMPARE(icon.pixelColor(size - 1, size - 1).alpha(), 0);
}

void TestInstall::scalableIcon()
{
    QXmlStreamReader xml(
        readAll(installed("share/icons/hicolor/scalable/apps/" + kAppId + ".svg")));
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name().toString(), QStringLiteral("svg"));
    QCOMPARE(xml.namespaceUri().toString(), QStringLiteral("http://www.w3.org/2000/svg"));
    QCOMPARE(xml.attributes().value(QLatin1String("viewBox")).toString(),
             QStringLiteral("0 0 256 256"));
    int shapes = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            (xml.name() == QLatin1String("rect") || xml.name() == QLatin1String("polygon")))
            ++shapes;
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(shapes > 4);
}

void TestInstall::desktopEntry()
{
    const QMap<QString, QString> entry = readDesktopEntry(desktopFile());
    QCOMPARE(entry.value("Type"), QStringLiteral("Application"));
    // The file manager hands one path; the program takes it as the container to open.
    QCOMPARE(entry.value("Exec"), QStringLiteral("quorbell %f"));
    QVERIFY(QFileInfo(installed("bin/" + entry.value("TryExec"))).isExecutable());
    QCOMPARE(entry.value("Icon"), kAppId);
    for (const char* key : {"Name", "Name[ja]", "Comment", "Comment[ja]"})
        QVERIFY2(!entry.value(QLatin1String(key)).isEmpty(), key);
    const QSet<QString> categories = splitList(entry.value("Categories"));
    QVERIFY(categories.contains("Graphics"));
    QVERIFY(categories.contains("Viewer"));

    const QString validator = tool("desktop-file-validate");
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed (Debian: desktop-file-utils)");
    const Run check = run(validator, {desktopFile()});
    QVERIFY2(check.ok() && check.out.isEmpty(), check.describe());
}

void TestInstall::mimeInfo_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("glob");
    QTest::addColumn<QString>("magic");
    QTest::newRow("container") << kContainerType << "*.cov"
                               << "QuorbellVer";
    QTest::newRow("album") << kAlbumType << "*.sld"
                           << "Vintrel Ver";
}

void TestInstall::mimeInfo()
{
    QFETCH(QString, type);
    QFETCH(QString, glob);
    QFETCH(QString, magic);
    const QMap<QString, MimeTypeInfo> types = readMimeInfo(mimeFile());
    QVERIFY2(types.contains(type), "missing, or the MIME info is not well-formed XML");
    const MimeTypeInfo& info = types[type];
    QVERIFY(!info.comments.value(QString()).isEmpty());
    QVERIFY(!info.comments.value("ja").isEmpty());
    QCOMPARE(info.globs, QStringList{glob});
    QCOMPARE(info.magic.size(), 1);
    QCOMPARE(info.magic[0].type, QStringLiteral("string"));
    QCOMPARE(info.magic[0].offset, QStringLiteral("0"));
    QCOMPARE(info.magic[0].value, magic);
}

void TestInstall::metainfo()
{
    bool wellFormed = false;
    const QMultiMap<QString, QString> meta = readMetainfo(metainfoFile(), &wellFormed);
    QVERIFY(wellFormed);
    QCOMPARE(meta.value("component@type"), QStringLiteral("desktop-application"));
    for (const char* key : {"component/name", "component/name[ja]", "component/summary",
                            "component/summary[ja]", "component/developer_name"})
        QVERIFY2(!meta.value(QLatin1String(key)).isEmpty(), key);
    QVERIFY(meta.contains("component/content_rating@type"));
    QCOMPARE(meta.value("component/project_license"), QStringLiteral("GPL-3.0-or-later"));
    QVERIFY(meta.values("component/releases/release@version")
                .contains(QString::fromLatin1(quorbell::kVersionText)));

    const QString validator = tool("appstreamcli");
    if (validator.isEmpty())
        QSKIP("appstreamcli is not installed (Debian: appstream)");
    const Run check = run(validator, {"validate", "--no-net", "--strict", metainfoFile()});
    QVERIFY2(check.ok(), check.describe());
}

void TestInstall::filesAgreeOnIdAndTypes()
{
    // The desktop entry, the MIME info and the metainfo name the same
    // application and the same file types; a typo in one breaks file opening.
    bool wellFormed = false;
    const QMultiMap<QString, QString> meta = readMetainfo(metainfoFile(), &wellFormed);
    QVERIFY(wellFormed);
    QCOMPARE(meta.value("component/id"), kAppId);
    QCOMPARE(meta.value("component/launchable"), kAppId + ".desktop");

    const QSet<QString> expected{kContainerType, kAlbumType};
    const QMap<QString, MimeTypeInfo> declared = readMimeInfo(mimeFile());
    QCOMPARE(QSet<QString>(declared.keyBegin(), declared.keyEnd()), expected);
    QCOMPARE(splitList(readDesktopEntry(desktopFile()).value("MimeType")), expected);
    const QStringList mediaTypes = meta.values("component/provides/mediatype");
    QCOMPARE(QSet<QString>(mediaTypes.begin(), mediaTypes.end()), expected);

    const QStringList binaries = meta.values("component/provides/binary");
    QCOMPARE(QSet<QString>(binaries.begin(), binaries.end()),
             QSet<QString>({"quorbell", "quorbell-cli"}));
    for (const QString& binary : binaries)
        QVERIFY2(QFileInfo(installed("bin/" + binary)).isExecutable(), qPrintable(binary));
}

void TestInstall::mimeDatabaseRecognisesFiles_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected"); // empty: not one of the program's types

    QTest::newRow("container by content")
        << "saved" << QByteArray("QuorbellVer2.50\1\0", 17) << kContainerType;
    QTest::newRow("album by content")
        << "photos" << QByteArray("Vintrel Ver1.00\0\0", 17) << kAlbumType;
    QTest::newRow("container by name") << "trip.cov" << QByteArray("plain words") << kContainerType;
    QTest::newRow("album by name") << "holiday.sld" << QByteArray("plain words") << kAlbumType;
    QTest::newRow("container magic not at the start")
        << "shifted" << QByteArray(" QuorbellVer2.50") << QString();
    QTest::newRow("album magic not at the start")
        << "shifted2" << QByteArray("xVintrel Ver1.00") << QString();
    QTest::newRow("container magic one letter off")
        << "near" << QByteArray("QuorbellVar2.50") << QString();
    QTest::newRow("album magic without its blank")
        << "near2" << QByteArray("VintrelVer 1.00") << QString();
}

void TestInstall::mimeDatabaseRecognisesFiles()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    if (!m_mimeCacheBuilt)
        QSKIP("update-mime-database is not installed (Debian: shared-mime-info)");
    QTemporaryDir dir;
    QFile f(dir.filePath(fileName));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();

    // Only the installed tree's database: the system's must not stand in for it.
    QProcessEnvironment env = cleanEnvironment();
    env.insert("XDG_DATA_DIRS", installed("share"));
    env.insert("XDG_DATA_HOME", m_emptyHome.path());
    const Run probe = run(QStringLiteral(QUORBELL_MIME_PROBE), {f.fileName()}, env);
    QVERIFY2(probe.ok(), probe.describe());
    const QString found = QString::fromUtf8(probe.out).trimmed();
    // With only our two types known, anything else comes back unnamed.
    QCOMPARE(found, expected);
}

void TestInstall::installedCliRuns()
{
    const Run version = run(installed("bin/quorbell-cli"), {"--version"});
    QVERIFY2(version.ok(), version.describe());
    QCOMPARE(version.out.trimmed(), QByteArray("2.50"));
}

void TestInstall::thumbnailerEntry()
{
    const QMap<QString, QString> entry =
        readDesktopEntry(thumbnailerFile(), QStringLiteral("[Thumbnailer Entry]"));
    QVERIFY(QFileInfo(installed("bin/" + entry.value("TryExec"))).isExecutable());
    const QStringList exec = entry.value("Exec").split(QLatin1Char(' '));
    QCOMPARE(exec.value(0), entry.value("TryExec"));
    for (const char* code : {"%s", "%i", "%o"})
        QVERIFY2(exec.contains(QLatin1String(code)), code);
    // Exactly the file types the MIME info declares.
    const QMap<QString, MimeTypeInfo> declared = readMimeInfo(mimeFile());
    QCOMPARE(splitList(entry.value("MimeType")),
             QSet<QString>(declared.keyBegin(), declared.keyEnd()));
}

void TestInstall::thumbnailerRunsAsFileManagersRunIt_data()
{
    QTest::addColumn<QString>("file"); // of the installed demo
    QTest::addColumn<int>("status");
    QTest::newRow("album") << "kyoto-2003.sld" << 0;
    QTest::newRow("container") << "デモ.cov" << 0;
    QTest::newRow("protected album") << "ひみつ.sld" << 1;
}

void TestInstall::thumbnailerRunsAsFileManagersRunIt()
{
    QFETCH(QString, file);
    QFETCH(int, status);
    // The Exec line with its codes filled in, the program found on PATH.
    const QMap<QString, QString> entry =
        readDesktopEntry(thumbnailerFile(), QStringLiteral("[Thumbnailer Entry]"));
    QTemporaryDir out;
    const QString png = out.filePath(QStringLiteral("thumbnail.png"));
    QStringList command;
    for (const QString& word : entry.value("Exec").split(QLatin1Char(' '))) {
        command << (word == QLatin1String("%s")   ? QStringLiteral("128")
                    : word == QLatin1String("%i") ? installed("share/quorbell/demo/" + file)
                    : word == QLatin1String("%o") ? png
                                                  : word);
    }
    QProcessEnvironment env = cleanEnvironment();
    env.insert("PATH", installed("bin"));
    const QString program = QStandardPaths::findExecutable(command.first(), {installed("bin")});
    QVERIFY(!program.isEmpty());
    const Run r = run(program, command.mid(1), env);
    QCOMPARE(r.exitCode, status);
    const QImage picture(png);
    if (status != 0) {
        QVERIFY2(r.err.contains("password"), r.describe());
        QVERIFY(!QFileInfo::exists(png));
        return;
    }
    QVERIFY2(!picture.isNull(), r.describe());
    QVERIFY(picture.width() <= 128 && picture.height() <= 128);
    QVERIFY(picture.width() == 128 || picture.height() == 128 || file.endsWith(".cov"));
}

void TestInstall::manPages_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::newRow("quorbell") << "quorbell.1"
                              << "QUORBELL";
    QTest::newRow("quorbell-cli") << "quorbell-cli.1"
                                  << "QUORBELL\\-CLI";
}

void TestInstall::manPages()
{
    QFETCH(QString, page);
    QFETCH(QString, title);
    const QString path = installed("share/man/man1/" + page);
    const QString text = QString::fromUtf8(readAll(path));
    QVERIFY(text.contains(QRegularExpression("^\\.TH " + QRegularExpression::escape(title) + " 1 ",
                                             QRegularExpression::MultilineOption)));
    QVERIFY(text.contains(".SH NAME\n"));
    QVERIFY(text.contains(".SH SYNOPSIS\n"));

    const QString groff = tool("groff");
    if (groff.isEmpty())
        QSKIP("groff is not installed");
    const Run format = run(groff, {"-man", "-ww", "-z", "-K", "utf8", path});
    QVERIFY2(format.ok() && format.err.isEmpty(), format.describe());
}

void TestInstall::manPageCoversEveryCommand()
{
    // Every command the installed tool offers has its own entry in its manual.
    const Run help = run(installed("bin/quorbell-cli"), {"--help"});
    QVERIFY2(help.ok(), help.describe());
    QString page = QString::fromUtf8(readAll(installed("share/man/man1/quorbell-cli.1")));
    page.replace("\\-", "-");
    const QRegularExpression commandLine("^  ([a-z][a-z0-9-]*)(?: |$)",
                                         QRegularExpression::MultilineOption);
    auto it = commandLine.globalMatch(QString::fromUtf8(help.out));
    while (it.hasNext()) {
        const QString command = it.next().captured(1);
        const QRegularExpression entry("^\\.BR? " + QRegularExpression::escape(command) + "(?: |$)",
                                       QRegularExpression::MultilineOption);
        QVERIFY2(page.contains(entry), qPrintable(command + " is not in quorbell-cli.1"));
    }
    for (int status = 0; status <= 4; ++status)
        QVERIFY(page.contains(QStringLiteral(".B %1\n").arg(status)));
}

void TestInstall::debianPackage()
{
    const QString dpkgDeb = tool("dpkg-deb");
    const QString dpkg = tool("dpkg");
    if (dpkgDeb.isEmpty() || dpkg.isEmpty())
        QSKIP("not a Debian system");
    QTemporaryDir out;
    const Run pack =
        run(QStringLiteral(QUORBELL_CPACK),
            {"-G", "DEB", "--config", QUORBELL_BUILD_DIR "/CPackConfig.cmake", "-B", out.path()});
    QVERIFY2(pack.ok(), pack.describe());
    const Run arch = run(dpkg, {"--print-architecture"});
    QVERIFY(arch.ok());
    const QString deb =
        out.filePath("quorbell_2.50_" + QString::fromLatin1(arch.out.trimmed()) + ".deb");
    QVERIFY2(QFileInfo::exists(deb), qPrintable(deb));

    const auto field = [&](const char* name) {
        return QString::fromUtf8(run(dpkgDeb, {"--field", deb, name}).out.trimmed());
    };
    QCOMPARE(field("Package"), QStringLiteral("quorbell"));
    QCOMPARE(field("Version"), QString::fromLatin1(quorbell::kVersionText));
    QCOMPARE(field("Section"), QStringLiteral("graphics"));
    QVERIFY(field("Maintainer").contains(QRegularExpression("^.+ <.+@.+>$")));
    QVERIFY(!field("Description").isEmpty());
    QSet<QString> depends;
    for (const QString& d : field("Depends").split(QLatin1Char(',')))
        depends.insert(d.trimmed().section(QLatin1Char(' '), 0, 0));
    for (const char* needed :
         {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6concurrent6", "qt6-qpa-plugins",
          "libicu72", "fonts-ipafont-gothic", "qt6-translations-l10n"})
        QVERIFY2(depends.contains(QLatin1String(needed)), needed);

    const Run contents = run(dpkgDeb, {"--contents", deb});
    QVERIFY(contents.ok());
    for (const QString& file :
         {QStringLiteral("./usr/bin/quorbell"), QStringLiteral("./usr/bin/quorbell-cli"),
          "./usr/share/applications/" + kAppId + ".desktop",
          "./usr/share/mime/packages/" + kAppId + ".xml",
          QStringLiteral("./usr/share/quorbell/Image.bmp"),
          QStringLiteral("./usr/share/quorbell/translations/quorbell_en.qm"),
          QStringLiteral("./usr/share/quorbell/help/en/index.html"),
          QStringLiteral("./usr/share/doc/quorbell/copyright")})
        QVERIFY2(contents.out.contains(" " + file.toUtf8() + "\n"), qPrintable(file));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
