// quorbell-cli album-edit end to end: each edit (or a refused one) run on a
// real album in a temporary folder, and the file read back with a parser of
// its own that walks the album layout field by field: header tail, password
// field, unused value, sizes, names, blocks, positions and lengths, with no
// byte left over. A refused edit must leave the album and the folder as they
// were.
#include "album/AlbumFileReader.h"
#include "core/BinaryIO.h"

#include "AlbumFixtures.h"
#include "CliRunner.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;
using quorbell::tools::PhotoFormat;

namespace {

const QByteArray kHeaderTail("Q\x01\xFE!", 4);
constexpr qint16 kUnused = -1234;
const QString kLockedWith = QStringLiteral("Pass1234");

struct Photo
{
    QByteArray name; // as stored
    qint32 sizeWord = 0;
    QByteArray image;
};

// The album's three photos: a JPEG whose name holds a character with two
// codes (0x8790 and 0x81E0 both read as U+2252), a BMP stored with two hidden
// marks, a GIF. Their names as stored, written out by hand.
QList<Photo> basePhotos()
{
    return {{QByteArray("\x87\x90.JPG"), 64 << 16 | 48,
             tools::makeSamplePhoto(QSize(64, 48), 1, PhotoFormat::Jpeg)},
            {QByteArray("**\x8E\xCA\x90\x5E.bmp"), 33 << 16 | 17,
             tools::makeSamplePhoto(QSize(33, 17), 2, PhotoFormat::Bmp)},
            {QByteArray("c.gif"), 20 << 16 | 30,
             tools::makeSamplePhoto(QSize(20, 30), 3, PhotoFormat::Gif)}};
}

// Files offered to --add, by placeholder: name as stored, size, bytes.
QMap<QString, std::pair<QString, Photo>> addable()
{
    return {
        {QStringLiteral("@jpg"),
         {QStringLiteral("new.jpg"),
          {"new.jpg", 40 << 16 | 30, tools::makeSamplePhoto(QSize(40, 30), 4, PhotoFormat::Jpeg)}}},
        {QStringLiteral("@bmp"),
         {QStringLiteral("ｱ.bmp"),
          {"\xB1.bmp", 17 << 16 | 9, tools::makeSamplePhoto(QSize(17, 9), 5, PhotoFormat::Bmp)}}},
        {QStringLiteral("@gif"),
         {QStringLiteral("n.gif"),
          {"n.gif", 25 << 16 | 25, tools::makeSamplePhoto(QSize(25, 25), 6, PhotoFormat::Gif)}}},
        {QStringLiteral("@text"), {QStringLiteral("text.jpg"), {"", 0, "not an image"}}},
        {QStringLiteral("@hangul"),
         {QStringLiteral("한.jpg"),
          {"", 0, tools::makeSamplePhoto(QSize(8, 8), 7, PhotoFormat::Jpeg)}}}};
}

// The album written by the generator, the first name then given its other code.
QByteArray baseAlbum(bool locked)
{
    tools::AlbumSpec recipe;
    recipe.headerTail = kHeaderTail;
    recipe.unusedValue = kUnused;
    if (locked)
        recipe.password = storedPasswordForm(kLockedWith);
    recipe.photos = {
        test::samplePhoto(QStringLiteral("≒.JPG"), QSize(64, 48), 1),
        test::samplePhoto(QStringLiteral("*写真.bmp"), QSize(33, 17), 2, PhotoFormat::Bmp),
        test::samplePhoto(QStringLiteral("c.gif"), QSize(20, 30), 3, PhotoFormat::Gif)};
    recipe.photos[1].hidden = true;
    QByteArray bytes = test::albumBytes(recipe);
    const qsizetype name = bytes.indexOf("\x81\xE0.JPG");
    if (name > 0)
        bytes.replace(name, 2, "\x87\x90");
    return bytes;
}

// The password field for a password of ASCII and half-width katakana: each
// code exclusive-or 0xFF, then 0xFF; "-" for none (all zero).
QByteArray passwordField(const QString& text)
{
    if (text == QLatin1String("-"))
        return QByteArray(8, '\0');
    QByteArray field(8, '\xFF');
    for (int i = 0; i < text.size() && i < 8; ++i) {
        const char16_t u = text.at(i).unicode();
        field[i] = char((u >= 0xFF61 ? u - 0xFEC0 : u) ^ 0xFF);
    }
    return field;
}

// The photos expected from tokens: "N" photo N of the album unchanged, "N*"
// hidden, "N-" shown (every leading mark gone), "@x" the added file, "@x*"
// hidden.
QList<Photo> expectedPhotos(const QStringList& tokens)
{
    const QList<Photo> base = basePhotos();
    const auto added = addable();
    QList<Photo> out;
    for (QString t : tokens) {
        const QChar mark = t.back();
        if (mark == QLatin1Char('*') || mark == QLatin1Char('-'))
            t.chop(1);
        Photo p = t.startsWith(QLatin1Char('@')) ? added.value(t).second : base.at(t.toInt());
        if (mark == QLatin1Char('-')) {
            while (p.name.startsWith('*'))
                p.name.remove(0, 1);
        } else if (mark == QLatin1Char('*') && !p.name.startsWith('*')) {
            p.name.prepend('*');
        }
        out << p;
    }
    return out;
}

// Walks the file as the album layout lays it out and compares every field.
void verifyAlbum(const QByteArray& file, const QByteArray& password, const QList<Photo>& photos)
{
    ByteReader r(file);
    // A field the file does not have reads as nothing, and r.ok() turns false.
    auto bytes = [&r](qint64 n) { return r.bytes(n).value_or(QByteArrayView()).toByteArray(); };
    auto i16 = [&r] { return r.i16().value_or(0); };
    auto i32 = [&r] { return r.i32().value_or(0); };
    QCOMPARE(bytes(11), QByteArray("Vintrel Ver"));
    QCOMPARE(bytes(4), kHeaderTail);
    QCOMPARE(bytes(8), password);
    QCOMPARE(i16(), qint16(photos.size()));
    QCOMPARE(i16(), kUnused);
    for (const Photo& p : photos)
        QCOMPARE(i32(), p.sizeWord);
    for (const Photo& p : photos)
        QCOMPARE(bytes(quint16(i16())), p.name);
    QList<qint64> starts;
    for (const Photo& p : photos) {
        QCOMPARE(i32(), qint32(p.image.size()));
        starts << r.pos();
        QVERIFY(bytes(p.image.size()) == p.image); // unchanged, byte for byte
    }
    for (qint64 start : std::as_const(starts))
        QCOMPARE(i32(), qint32(start + 1));
    for (const Photo& p : photos)
        QCOMPARE(i32(), qint32(p.image.size()));
    QVERIFY(r.ok());
    QVERIFY(r.atEnd());
}

QStringList listing(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestAlbumEdit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void edit_data();
    void edit();
};

void TestAlbumEdit::edit_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("photos"); // tokens of expectedPhotos; success only
    QTest::addColumn<QString>("password");   // "=" as before, "-" none, else the text

    const QStringList all{"0", "1", "2"};
    QTest::newRow("remove one") << false << QStringList{"--remove", "1"} << 0
                                << QStringList{"0", "2"} << "=";
    QTest::newRow("removals numbered as read")
        << false << QStringList{"--remove", "2", "--remove", "0"} << 0 << QStringList{"1"} << "=";
    QTest::newRow("add the three kinds")
        << false << QStringList{"--add", "@jpg", "--add", "@bmp", "--add", "@gif"} << 0
        << QStringList{"0", "1", "2", "@jpg", "@bmp", "@gif"} << "=";
    // Given out of order, applied as remove, add, move, hide and show.
    QTest::newRow("steps in their order")
        << false << QStringList{"--hide", "0",        "--move", "2:0",    "--add",
                                "@jpg",   "--remove", "0",      "--show", "1"}
        << 0 << QStringList{"@jpg*", "1-", "2"} << "=";
    QTest::newRow("moves one after another")
        << false << QStringList{"--move", "0:2", "--move", "0:1"} << 0 << QStringList{"2", "1", "0"}
        << "=";
    QTest::newRow("hide is idempotent") << false << QStringList{"--hide", "1", "--hide", "2"} << 0
                                        << QStringList{"0", "1", "2*"} << "=";
    QTest::newRow("set password") << false << QStringList{"--password", "ab"} << 0 << all << "ab";
    QTest::newRow("katakana password")
        << false << QStringList{"--password", "ｱｲｳｴｵｶｷｸ"} << 0 << all << "ｱｲｳｴｵｶｷｸ";
    QTest::newRow("locked: change password")
        << true << QStringList{"--current-password", kLockedWith, "--password", "new"} << 0 << all
        << "new";
    QTest::newRow("locked: drop password")
        << true << QStringList{"--no-password", "--current-password", kLockedWith} << 0 << all
        << "-";
    QTest::newRow("locked: edit keeps password")
        << true << QStringList{"--current-password", kLockedWith, "--remove", "0"} << 0
        << QStringList{"1", "2"} << "=";

    const QStringList none;
    QTest::newRow("locked: no current password")
        << true << QStringList{"--remove", "0"} << 4 << none << "";
    QTest::newRow("locked: wrong current password")
        << true << QStringList{"--current-password", "pass1234", "--no-password"} << 4 << none
        << "";
    QTest::newRow("no edit") << false << QStringList{} << 2 << none << "";
    QTest::newRow("remove out of range")
        << false << QStringList{"--remove", "3"} << 2 << none << "";
    QTest::newRow("remove twice") << false << QStringList{"--remove", "1", "--remove", "1"} << 2
                                  << none << "";
    QTest::newRow("remove every photo")
        << false << QStringList{"--remove", "0", "--remove", "1", "--remove", "2"} << 2 << none
        << "";
    QTest::newRow("move out of range") << false << QStringList{"--move", "0:3"} << 2 << none << "";
    QTest::newRow("move malformed") << false << QStringList{"--move", "1"} << 2 << none << "";
    QTest::newRow("hide numbered after removal")
        << false << QStringList{"--remove", "0", "--hide", "2"} << 2 << none << "";
    QTest::newRow("hide and show one photo")
        << false << QStringList{"--hide", "1", "--show", "1"} << 2 << none << "";
    QTest::newRow("password too long")
        << false << QStringList{"--password", "123456789"} << 2 << none << "";
    QTest::newRow("password double-byte")
        << false << QStringList{"--password", "あ"} << 2 << none << "";
    QTest::newRow("password and no password")
        << false << QStringList{"--password", "a", "--no-password"} << 2 << none << "";
    QTest::newRow("add missing file")
        << false << QStringList{"--add", "@missing"} << 1 << none << "";
    QTest::newRow("add a folder") << false << QStringList{"--add", "@folder"} << 1 << none << "";
    QTest::newRow("add not an image, after good steps")
        << false << QStringList{"--remove", "0", "--add", "@jpg", "--add", "@text"} << 3 << none
        << "";
    QTest::newRow("add a name without code page 932 form")
        << false << QStringList{"--add", "@hangul"} << 2 << none << "";
}

void TestAlbumEdit::edit()
{
    QFETCH(bool, locked);
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QStringList, photos);
    QFETCH(QString, password);

    QTemporaryDir dir;
    const QString album = dir.filePath(QStringLiteral("album.sld"));
    const QByteArray before = baseAlbum(locked);
    QVERIFY(before.contains("\x87\x90.JPG"));
    QVERIFY(test::writeBytes(album, before));
    const auto added = addable();
    for (auto f = added.cbegin(); f != added.cend(); ++f)
        QVERIFY(test::writeBytes(dir.filePath(f->first), f->second.image));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    for (QString& a : args) {
        if (added.contains(a))
            a = dir.filePath(added.value(a).first);
        else if (a.startsWith(QLatin1Char('@')))
            a = dir.filePath(a.mid(1));
    }
    const QStringList filesBefore = listing(dir.path());

    const test::CliRun r = test::runCli(QStringList{QStringLiteral("album-edit"), album} + args);
    QCOMPARE(r.status, status);
    QCOMPARE(listing(dir.path()), filesBefore); // no work file left behind
    const QByteArray after = test::readBytes(album);
    if (status != 0) {
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY(after == before);
        return;
    }
    QVERIFY(r.err.isEmpty());
    const QByteArray field = password == QLatin1String("=")
                                 ? passwordField(locked ? kLockedWith : QStringLiteral("-"))
                                 : passwordField(password);
    verifyAlbum(after, field, expectedPhotos(photos));
    QVERIFY(album::readAlbumTable(album).ok());
}

QTEST_GUILESS_MAIN(TestAlbumEdit)
#include "tst_albumedit.moc"
