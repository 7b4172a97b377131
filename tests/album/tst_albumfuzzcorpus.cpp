// Replays the album fuzz corpus through the fuzz target's own entry function,
// then every prefix of each file and single-byte changes at every offset:
// nothing may crash or accept a photo that lies outside its file.
#include "AlbumFuzzEntry.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestAlbumFuzzCorpus : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void corpus_data();
    void corpus();
};

void TestAlbumFuzzCorpus::corpus_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QDir dir(QStringLiteral(QUORBELL_ALBUM_CORPUS));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    QVERIFY(files.size() >= 5);
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable(name)) << f.readAll();
    }
}

void TestAlbumFuzzCorpus::corpus()
{
    QFETCH(QByteArray, bytes);
    auto run = [](const QByteArray& b) {
        quorbell::fuzz::fuzzAlbumFile(reinterpret_cast<const std::uint8_t*>(b.constData()),
                                      std::size_t(b.size()));
    };
    run(bytes);
    for (qsizetype n = 0; n < bytes.size(); ++n)
        run(bytes.left(n));
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        for (const char v : {'\x00', '\x7F', '\x80', '\xFF'}) {
            QByteArray changed = bytes;
            changed[at] = v;
            run(changed);
        }
    }
}

QTEST_GUILESS_MAIN(TestAlbumFuzzCorpus)
#include "tst_albumfuzzcorpus.moc"
