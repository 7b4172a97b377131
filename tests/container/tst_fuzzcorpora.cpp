// Replays the committed corpora of the container, BMP record, settings and EXIF
// fuzz targets through the targets' own entry functions, then every prefix of
// each file and single-byte changes at every offset. Each entry function
// aborts the test when its invariant breaks (decoding twice differs, the
// writer's bytes read back different), so this is more than "no crash".
#include "BmpFuzzEntry.h"
#include "ContainerFuzzEntry.h"
#include "ExifFuzzEntry.h"
#include "SettingsFuzzEntry.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

using Entry = int (*)(const std::uint8_t*, std::size_t);

void addCorpus(const char* corpus, Entry entry, int minimumFiles)
{
    const QDir dir(QStringLiteral(QUORBELL_FUZZ_DIR "/") + QLatin1String(corpus) +
                   QStringLiteral("/corpus"));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    QVERIFY2(files.size() >= minimumFiles, qPrintable(dir.path()));
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QTest::addRow("%s/%s", corpus, qPrintable(name))
            << reinterpret_cast<quintptr>(entry) << f.readAll();
    }
}

} // namespace

class TestFuzzCorpora : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void corpus_data();
    void corpus();
};

void TestFuzzCorpora::corpus_data()
{
    QTest::addColumn<quintptr>("entry");
    QTest::addColumn<QByteArray>("bytes");
    addCorpus("container", &quorbell::fuzz::fuzzContainerFile, 5);
    addCorpus("bmp", &quorbell::fuzz::fuzzBmpRecord, 10);
    addCorpus("settings", &quorbell::fuzz::fuzzSettingsFile, 3);
    addCorpus("exif", &quorbell::fuzz::fuzzExifSegment, 4);
}

void TestFuzzCorpora::corpus()
{
    QFETCH(quintptr, entry);
    QFETCH(QByteArray, bytes);
    const auto run = [target = reinterpret_cast<Entry>(entry)](const QByteArray& b) {
        target(reinterpret_cast<const std::uint8_t*>(b.constData()), std::size_t(b.size()));
    };
    run(bytes);
    for (qsizetype n = 0; n < bytes.size(); ++n)
        run(bytes.left(n));
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        for (const char v : {'\x00', '\x01', '\x7F', '\x80', '\xFF'}) {
            QByteArray changed = bytes;
            changed[at] = v;
            run(changed);
        }
    }
}

QTEST_GUILESS_MAIN(TestFuzzCorpora)
#include "tst_fuzzcorpora.moc"
