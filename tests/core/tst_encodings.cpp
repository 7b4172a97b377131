// Golden bytes for the shared encodings: code page 932, string and variant
// entries, packed pairs, the stored password form and the small text rules.
#include "core/BinaryIO.h"
#include "core/Cp932.h"
#include "core/DateVariant.h"
#include "core/PasswordForm.h"
#include "core/TextRules.h"

#include <QTest>

#include <type_traits>

using namespace quorbell;

// A reader keeps a view of its bytes: one built from a temporary array would
// read freed memory, so that must not compile.
static_assert(!std::is_constructible_v<ByteReader, QByteArray>);
static_assert(!std::is_constructible_v<ByteReader, const QByteArray>);
static_assert(std::is_constructible_v<ByteReader, const QByteArray&>);
static_assert(std::is_constructible_v<ByteReader, QByteArrayView>);

class TestEncodings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cp932Mapping_data();
    void cp932Mapping();
    void cp932RefusesWhatItCannotHold_data();
    void cp932RefusesWhatItCannotHold();
    void cp932InvalidBytes();
    void packedPairs();
    void stringEntries_data();
    void stringEntries();
    void variantEntries();
    void readerStopsAtTheEnd();
    void passwordForm_data();
    void passwordForm();
    void sizeText_data();
    void sizeText();
    void halfWidth_data();
    void halfWidth();
    void forbiddenCharacters();
    void nameRules();
    void dateTexts_data();
    void dateTexts();
    void oleDates_data();
    void oleDates();
};

void TestEncodings::cp932Mapping_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("backslash") << QByteArray("\x5C") << QStringLiteral("\\");
    QTest::newRow("tilde") << QByteArray("\x7E") << QStringLiteral("~");
    QTest::newRow("wave dash as fullwidth tilde")
        << QByteArray("\x81\x60") << QString(QChar(0xFF5E));
    QTest::newRow("fullwidth reverse solidus") << QByteArray("\x81\x5F") << QString(QChar(0xFF3C));
    QTest::newRow("fullwidth hyphen-minus") << QByteArray("\x81\x7C") << QString(QChar(0xFF0D));
    QTest::newRow("NEC row 13 circled one") << QByteArray("\x87\x40") << QString(QChar(0x2460));
    QTest::newRow("IBM extension small roman one")
        << QByteArray("\xFA\x40") << QString(QChar(0x2170));
    QTest::newRow("half-width katakana a") << QByteArray("\xB1") << QString(QChar(0xFF71));
    QTest::newRow("kanji") << QByteArray("\x8E\xCA\x90\x5E") << QStringLiteral("写真");
    QTest::newRow("mixed") << QByteArray("IMG\x82\xA0.JPG") << QStringLiteral("IMGあ.JPG");
    QTest::newRow("control codes stay themselves")
        << QByteArray("\x1A\x1C\x7F\x01", 4) << QString::fromUtf16(u"\u001A\u001C\u007F\u0001");
}

void TestEncodings::cp932Mapping()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(cp932::decode(bytes), text);
    QCOMPARE(cp932::decodeStrict(bytes), std::optional<QString>(text));
    QCOMPARE(cp932::encodeExact(text), std::optional<QByteArray>(bytes));
    QCOMPARE(cp932::encodeLossy(text), bytes);
}

void TestEncodings::cp932RefusesWhatItCannotHold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("first");
    QTest::newRow("e acute") << QStringLiteral("caf\u00E9") << QStringLiteral("\u00E9");
    QTest::newRow("yen sign has only a best fit")
        << QStringLiteral("\u00A5100") << QStringLiteral("\u00A5");
    QTest::newRow("emoji") << QStringLiteral("a\U0001F600b") << QStringLiteral("\U0001F600");
    QTest::newRow("hangul") << QStringLiteral("\uD55C") << QStringLiteral("\uD55C");
}

void TestEncodings::cp932RefusesWhatItCannotHold()
{
    QFETCH(QString, text);
    QFETCH(QString, first);
    QVERIFY(!cp932::canEncode(text));
    QVERIFY(!cp932::encodeExact(text).has_value());
    QCOMPARE(cp932::firstUnencodable(text), first);
    QVERIFY(cp932::encodeLossy(text).contains('?'));
}

void TestEncodings::cp932InvalidBytes()
{
    QVERIFY(!cp932::decodeStrict(QByteArray("\x81")).has_value());     // lone lead byte
    QVERIFY(!cp932::decodeStrict(QByteArray("\x81\x20")).has_value()); // bad trail byte
    QVERIFY(!cp932::decode(QByteArray("\x81")).isEmpty());             // lenient: replaced
}

void TestEncodings::packedPairs()
{
    QCOMPARE(packPair(640, 480), 640 * 65536 + 480);
    QCOMPARE(pairHigh(packPair(640, 480)), 640);
    QCOMPARE(pairLow(packPair(640, 480)), 480);
    QCOMPARE(pairHigh(packPair(80, 60)), 80);
    QCOMPARE(pairLow(packPair(32767, 32767)), 32767);
    ByteWriter w;
    w.i32(packPair(640, 480));
    QCOMPARE(w.data(), QByteArray("\xE0\x01\x80\x02", 4));
}

void TestEncodings::stringEntries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QString() << QByteArray("\x00\x00", 2);
    QTest::newRow("a.sld") << QStringLiteral("a.sld")
                           << QByteArray("\x05\x00"
                                         "a.sld",
                                         7);
    QTest::newRow("double-byte counts two")
        << QStringLiteral("夏の旅行") << QByteArray("\x08\x00\x89\xC4\x82\xCC\x97\xB7\x8D\x73", 10);
}

void TestEncodings::stringEntries()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    ByteWriter w;
    w.string(text);
    QCOMPARE(w.data(), bytes);
    ByteReader r(bytes);
    QCOMPARE(r.string(), std::optional<QString>(text));
    QVERIFY(r.atEnd());
}

void TestEncodings::variantEntries()
{
    // 2003-01-02 03:04:05 local = OLE 37623.127835648...
    const QDateTime when(QDate(2003, 1, 2), QTime(3, 4, 5));
    const DateVariant date = DateVariant::fromDateTime(when);
    ByteWriter w;
    w.variant(date);
    QCOMPARE(w.data().size(), 10);
    QCOMPARE(w.data().left(2), QByteArray("\x07\x00", 2));
    ByteReader r(w.data());
    const std::optional<DateVariant> back = r.variant();
    QVERIFY(back);
    QCOMPARE(back->kind, DateVariant::Kind::Date);
    QCOMPARE(back->toDateTime(), std::optional<QDateTime>(when));

    // Midnight 2000-01-01 is OLE 36526.0 exactly.
    ByteWriter w2;
    w2.variant(DateVariant::fromDate(36526.0));
    QCOMPARE(w2.data(), QByteArray("\x07\x00\x00\x00\x00\x00\xC0\xD5\xE1\x40", 10));

    ByteWriter w3;
    w3.variant(DateVariant::fromText(QStringLiteral("03/01/02 0:00:00")));
    QCOMPARE(w3.data(), QByteArray("\x08\x00\x10\x00"
                                   "03/01/02 0:00:00",
                                   20));

    ByteWriter w4;
    w4.variant(DateVariant{});
    QCOMPARE(w4.data(), QByteArray("\x00\x00", 2));

    for (const QByteArray& bad : {QByteArray("\x05\x00", 2), QByteArray("\x07\x00\x00", 3),
                                  QByteArray("\x08\x00\x05\x00"
                                             "ab",
                                             6)}) {
        ByteReader rb(bad);
        QVERIFY(!rb.variant().has_value());
        QVERIFY(!rb.ok());
    }
}

void TestEncodings::readerStopsAtTheEnd()
{
    const QByteArray data("\x01\x00\x02", 3);
    ByteReader r(data);
    QCOMPARE(r.i16(), std::optional<qint16>(1));
    QVERIFY(!r.i32().has_value());
    QVERIFY(!r.ok());
    QVERIFY(!r.i16().has_value()); // a failed reader stays failed
    ByteReader r2(data);
    QVERIFY(!r2.bytes(-1).has_value());
    const QByteArray claimsTooMuch("\xFF\xFF"
                                   "abc",
                                   5); // claims 65535 bytes
    ByteReader r3(claimsTooMuch);
    QVERIFY(!r3.stringBytes().has_value());
}

void TestEncodings::passwordForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("empty is eight FF") << QString() << QByteArray(8, '\xFF');
    QTest::newRow("abc") << QStringLiteral("abc")
                         << QByteArray("\x9E\x9D\x9C\xFF\xFF\xFF\xFF\xFF", 8);
    QTest::newRow("only eight count")
        << QStringLiteral("123456789") << QByteArray("\xCE\xCD\xCC\xCB\xCA\xC9\xC8\xC7", 8);
    QTest::newRow("half-width katakana")
        << QString(QChar(0xFF71)) << QByteArray("\x4E\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8);
}

void TestEncodings::passwordForm()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, stored);
    const PasswordBytes form = storedPasswordForm(text);
    QCOMPARE(passwordToBytes(form), stored);
    QVERIFY(hasPassword(form));
    QVERIFY(passwordMatches(form, storedPasswordForm(text)));
    // Characters after the eighth do not count.
    const bool eightOrMore = text.size() >= 8;
    QCOMPARE(passwordMatches(form, storedPasswordForm(text + QStringLiteral("xyz"))), eightOrMore);
}

void TestEncodings::sizeText_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << qint64(0) << QStringLiteral("1KB");
    QTest::newRow("1023") << qint64(1023) << QStringLiteral("1KB");
    QTest::newRow("1024") << qint64(1024) << QStringLiteral("2KB");
    QTest::newRow("1 MiB") << qint64(1048576) << QStringLiteral("1,025KB");
    QTest::newRow("2 MiB") << qint64(2097152) << QStringLiteral("2,049KB");
    QTest::newRow("1 GiB") << qint64(1073741824) << QStringLiteral("1,048,577KB");
}

void TestEncodings::sizeText()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(sizeTextKB(bytes), text);
}

void TestEncodings::halfWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("latin") << QStringLiteral("trip01") << 6;
    QTest::newRow("three full-width") << QStringLiteral("夏の旅") << 6;
    QTest::newRow("half-width katakana") << QStringLiteral("ｱﾙﾊﾞﾑ") << 5;
    QTest::newRow("mixed") << QStringLiteral("A写真1") << 6;
    QTest::newRow("no cp932 form counts one") << QStringLiteral("\u00E9") << 1;
    QTest::newRow("empty") << QString() << 0;
}

void TestEncodings::halfWidth()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QCOMPARE(halfWidthWidth(text), width);
}

void TestEncodings::forbiddenCharacters()
{
    for (QChar c : QStringLiteral("/\\:\"*?<>|"))
        QVERIFY2(containsForbiddenFileChar(QStringLiteral("ab") + c), qPrintable(QString(c)));
    QVERIFY(!containsForbiddenFileChar(QStringLiteral("夏の旅行 2003.sld")));
}

void TestEncodings::nameRules()
{
    QCOMPARE(nameBeforeFirstDot(QStringLiteral("a.b.sld")), QStringLiteral("a"));
    QCOMPARE(nameBeforeFirstDot(QStringLiteral("noext")), QStringLiteral("noext"));
    QCOMPARE(extensionFromFirstDot(QStringLiteral("a.b.sld")), QStringLiteral(".b.sld"));
    QCOMPARE(extensionFromFirstDot(QStringLiteral("noext")), QString());
    QCOMPARE(unquoteArgument(QStringLiteral("\"/tmp/a b.cov\"")), QStringLiteral("/tmp/a b.cov"));
    QCOMPARE(unquoteArgument(QStringLiteral("/tmp/c.cov")), QStringLiteral("/tmp/c.cov"));
    QCOMPARE(unquoteArgument(QStringLiteral("\"")), QStringLiteral("\""));
    QCOMPARE(withTrailingSlash(QStringLiteral("/tmp")), QStringLiteral("/tmp/"));
    QCOMPARE(withTrailingSlash(QStringLiteral("/")), QStringLiteral("/"));
}

void TestEncodings::dateTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("two-digit 03") << QStringLiteral("03/01/02 0:00:00")
                                  << QDateTime(QDate(2003, 1, 2), QTime(0, 0));
    QTest::newRow("two-digit 29") << QStringLiteral("29/12/31 23:59:59")
                                  << QDateTime(QDate(2029, 12, 31), QTime(23, 59, 59));
    QTest::newRow("two-digit 30") << QStringLiteral("30/01/01 0:00:00")
                                  << QDateTime(QDate(1930, 1, 1), QTime(0, 0));
    QTest::newRow("two-digit 99") << QStringLiteral("99/07/04 12:30:00")
                                  << QDateTime(QDate(1999, 7, 4), QTime(12, 30));
    QTest::newRow("four-digit") << QStringLiteral("2003/01/02 0:00:00")
                                << QDateTime(QDate(2003, 1, 2), QTime(0, 0));
    QTest::newRow("no time") << QStringLiteral("2003/01/02")
                             << QDateTime(QDate(2003, 1, 2), QTime(0, 0));
    QTest::newRow("garbage") << QStringLiteral("yesterday") << QDateTime();
    QTest::newRow("bad month") << QStringLiteral("2003/13/02 0:00:00") << QDateTime();
}

void TestEncodings::dateTexts()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    const std::optional<QDateTime> parsed = parseDateText(text);
    QCOMPARE(parsed.has_value(), expected.isValid());
    if (parsed) {
        QCOMPARE(*parsed, expected);
        QCOMPARE(DateVariant::fromText(text).sortSeconds(),
                 DateVariant::fromDateTime(expected).sortSeconds());
    }
}

void TestEncodings::oleDates_data()
{
    QTest::addColumn<double>("ole");
    QTest::addColumn<QDateTime>("when");
    QTest::newRow("epoch") << 0.0 << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    QTest::newRow("2000-01-01") << 36526.0 << QDateTime(QDate(2000, 1, 1), QTime(0, 0));
    QTest::newRow("noon") << 36526.5 << QDateTime(QDate(2000, 1, 1), QTime(12, 0));
    QTest::newRow("before epoch: -1.25") << -1.25 << QDateTime(QDate(1899, 12, 29), QTime(6, 0));
}

void TestEncodings::oleDates()
{
    QFETCH(double, ole);
    QFETCH(QDateTime, when);
    QCOMPARE(fromOleDate(ole), when);
    QCOMPARE(toOleDate(when), ole);
}

QTEST_GUILESS_MAIN(TestEncodings)
#include "tst_encodings.moc"
