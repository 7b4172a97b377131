// The English catalogue against the code: lupdate run over the sources finds
// exactly the texts the catalogue holds, and every entry is translated with
// the same arguments, line breaks and mnemonic as its source.
#include "TsCatalogue.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace quorbell;
using test::TsEntry;

namespace {

const QString kSourceDir = QStringLiteral(QUORBELL_SOURCE_DIR);
const QString kShipped = kSourceDir + QStringLiteral("/translations/quorbell_en.ts");

QString key(const TsEntry& e)
{
    return e.context + QStringLiteral(" | ") + e.source;
}

// The %n arguments, sorted: a translation may reorder them but not drop or add one.
QStringList arguments(const QString& text)
{
    static const QRegularExpression arg(QStringLiteral("%[1-9]"));
    QStringList found;
    for (auto it = arg.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    std::sort(found.begin(), found.end());
    return found;
}

bool hasMnemonic(const QString& text)
{
    static const QRegularExpression mnemonic(QStringLiteral("&[^&\\s]"));
    return text.contains(mnemonic);
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void catalogueHoldsExactlyTheCodesTexts();
    void everyEntryIsTranslated_data();
    void everyEntryIsTranslated();
};

void TestCatalogue::catalogueHoldsExactlyTheCodesTexts()
{
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString fresh = scratch.filePath(QStringLiteral("fresh.ts"));
    const QString src = kSourceDir + QStringLiteral("/src");
    QProcess lupdate;
    lupdate.start(QStringLiteral(QUORBELL_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-I"), src,
                   QStringLiteral("-locations"), QStringLiteral("none"), src, QStringLiteral("-ts"),
                   fresh});
    QVERIFY(lupdate.waitForFinished(120000));
    QCOMPARE(lupdate.exitCode(), 0);

    QString error;
    const QList<TsEntry> code = test::readTsCatalogue(fresh, &error);
    QVERIFY2(!code.isEmpty(), qPrintable(error));
    const QList<TsEntry> shipped = test::readTsCatalogue(kShipped, &error);
    QVERIFY2(!shipped.isEmpty(), qPrintable(error));

    QSet<QString> inCode, inCatalogue;
    for (const TsEntry& e : code)
        inCode.insert(key(e));
    for (const TsEntry& e : shipped)
        inCatalogue.insert(key(e));
    const QStringList missing = (inCode - inCatalogue).values();
    const QStringList stale = (inCatalogue - inCode).values();
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not in the catalogue (run "
                                                          "scripts/update-translations.sh):\n") +
                                           missing.join(QLatin1Char('\n'))));
    QVERIFY2(stale.isEmpty(), qPrintable(QStringLiteral("in the catalogue but not in the code:\n") +
                                         stale.join(QLatin1Char('\n'))));
}

void TestCatalogue::everyEntryIsTranslated_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");
    QTest::addColumn<bool>("finished");
    QString error;
    const QList<TsEntry> shipped = test::readTsCatalogue(kShipped, &error);
    QVERIFY2(!shipped.isEmpty(), qPrintable(error));
    for (const TsEntry& e : shipped)
        QTest::newRow(qPrintable(key(e))) << e.source << e.translation << e.finished;
}

void TestCatalogue::everyEntryIsTranslated()
{
    QFETCH(QString, source);
    QFETCH(QString, translation);
    QFETCH(bool, finished);
    QVERIFY(finished);
    QVERIFY(!translation.trimmed().isEmpty());
    QCOMPARE(arguments(translation), arguments(source));
    QCOMPARE(translation.count(QStringLiteral("\r\n")), source.count(QStringLiteral("\r\n")));
    QCOMPARE(hasMnemonic(translation), hasMnemonic(source));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
