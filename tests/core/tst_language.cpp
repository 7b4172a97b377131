// The interface language: how it is chosen, and the window under each choice.
// Japanese shows the program's own texts byte for byte; English shows the
// catalogue's; texts written into files do not change with the language.
#include "app/Wiring.h"
#include "core/DateVariant.h"
#include "core/UiLanguage.h"
#include "core/frmMain.h"
#include "dialogs/AlbumList.h"
#include "dialogs/frmCondition.h"
#include "dialogs/frmHelp.h"

#include "ScriptedPrompts.h"
#include "TestEnvironment.h"
#include "TsCatalogue.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>

using namespace quorbell;

namespace {

QString mnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (text.at(i + 1) != QLatin1Char('&'))
                return text.at(i + 1).toLower();
            ++i; // "&&" is a literal ampersand
        }
    }
    return QString();
}

// The items of a menu (or the menu bar) that share a mnemonic, as "X: a, b".
QStringList mnemonicClashes(const QList<QAction*>& actions)
{
    QMultiHash<QString, QString> byKey;
    for (const QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        if (const QString key = mnemonicOf(a->text()); !key.isEmpty())
            byKey.insert(key, a->text());
    }
    QStringList clashes;
    for (const QString& key : byKey.uniqueKeys()) {
        if (byKey.count(key) > 1)
            clashes << key + QStringLiteral(": ") + byKey.values(key).join(QStringLiteral(", "));
    }
    return clashes;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void choice_data();
    void choice();
    void windowTexts_data();
    void windowTexts();
    void cleanupTestCase();
};

void TestLanguage::choice_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<QString>("expected"); // "ja", "en" or "error"
    QTest::addColumn<QStringList>("rest");
    const QStringList none;
    const QStringList cov = {QStringLiteral("a.cov")};
    QTest::newRow("Japanese locale") << none << QStringList{"ja-JP", "ja"} << "ja" << none;
    QTest::newRow("English locale") << none << QStringList{"en-US", "en"} << "en" << none;
    QTest::newRow("German locale") << none << QStringList{"de-DE", "de"} << "en" << none;
    QTest::newRow("C locale") << none << QLocale::c().uiLanguages() << "ja" << none;
    QTest::newRow("no language at all") << none << none << "ja" << none;
    QTest::newRow("Japanese before English") << none << QStringList{"ja", "en-US"} << "ja" << none;
    QTest::newRow("English before Japanese") << none << QStringList{"en-GB", "ja"} << "en" << none;
    QTest::newRow("--lang en over Japanese")
        << QStringList{"--lang", "en", "a.cov"} << QStringList{"ja-JP"} << "en" << cov;
    QTest::newRow("--lang=ja over English")
        << QStringList{"--lang=ja", "a.cov"} << QStringList{"en-US"} << "ja" << cov;
    QTest::newRow("--lang later names a file")
        << QStringList{"my", "--lang", "en"} << QStringList{"ja"} << "ja"
        << QStringList{"my", "--lang", "en"};
    QTest::newRow("--lang without a value") << QStringList{"--lang"} << none << "error" << none;
    QTest::newRow("--lang fr") << QStringList{"--lang", "fr", "a.cov"} << none << "error" << none;
    QTest::newRow("--lang= empty") << QStringList{"--lang="} << none << "error" << none;
}

void TestLanguage::choice()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, uiLanguages);
    QFETCH(QString, expected);
    QFETCH(QStringList, rest);
    const StartArguments start = parseStartArguments(args);
    if (expected == QLatin1String("error")) {
        QVERIFY(!start.error.isEmpty());
        return;
    }
    QVERIFY2(start.error.isEmpty(), qPrintable(start.error));
    QCOMPARE(start.rest, rest);
    const UiLanguage chosen = start.language.value_or(uiLanguageForLocale(uiLanguages));
    QCOMPARE(chosen, *uiLanguageFromName(expected));
}

void TestLanguage::windowTexts_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("ja") << int(UiLanguage::Japanese);
    QTest::newRow("en") << int(UiLanguage::English);
    QTest::newRow("C locale") << int(uiLanguageForLocale(QLocale::c().uiLanguages()));
}

void TestLanguage::windowTexts()
{
    QFETCH(int, language);
    const auto lang = UiLanguage(language);
    test::TestEnvironment env;
    QVERIFY(installUiLanguage(*qApp, lang));
    const bool english = lang == UiLanguage::English;
    QString error;
    const QList<test::TsEntry> catalogue = test::readTsCatalogue(
        QStringLiteral(QUORBELL_SOURCE_DIR "/translations/quorbell_en.ts"), &error);
    QVERIFY2(!catalogue.isEmpty(), qPrintable(error));
    // Japanese as the program has always said it; English as the catalogue says it.
    const auto expected = [&](const char* japanese) {
        const QString ja = QString::fromUtf8(japanese);
        return english ? test::translatedIn(catalogue, ja) : ja;
    };

    frmMain w;
    wireCommands(w);
    QStringList bar;
    const QList<QAction*> barItems = w.findChild<QMenuBar*>()->actions();
    for (const QAction* a : barItems)
        bar << a->text();
    QCOMPARE(bar, (QStringList{expected("コンテナ(&C)"), expected("編集(&E)"), expected("表示(&V)"),
                               expected("設定(&O)"), expected("ヘルプ(&H)")}));
    if (english) {
        // Japanese shares some mnemonics within a menu as it always has; English does not.
        QStringList clashes = mnemonicClashes(barItems);
        const QList<QMenu*> menus = w.findChildren<QMenu*>();
        for (const QMenu* m : menus)
            clashes << mnemonicClashes(m->actions());
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char('\n'))));
    }

    frmCondition settings(w);
    QCOMPARE(settings.windowTitle(), expected("環境設定"));
    const auto* tabs = settings.findChild<QTabWidget*>(QStringLiteral("SSTab"));
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->tabText(0), expected("基本設定"));
    QCOMPARE(tabs->tabText(3), expected("ｽﾗｲﾄﾞｼｮｰ拡張設定"));

    test::ScriptedPrompts prompts;
    w.runCommand(Command::HelpVersion);
    QCOMPARE(prompts.messageTitles(), QStringList{expected("バージョン情報")});
    QVERIFY(prompts.messageTexts().first().endsWith(
        expected("フリーソフトウェアです。無保証で提供されます。")));

    // The help pages of the language exist where the help window looks.
    QVERIFY(frmHelp::helpFolder().endsWith(english ? QStringLiteral("/help/en/")
                                                   : QStringLiteral("/help/")));
    QVERIFY(QFileInfo::exists(frmHelp::helpFolder() + QStringLiteral("index.html")));

    // The album list text goes into files: the same bytes in every language.
    AlbumEntry album;
    album.fileName = QStringLiteral("北海道.sld");
    album.comment = QStringLiteral("雪まつり");
    album.fileSize = 2048;
    album.fileDate = DateVariant::fromText(QStringLiteral("03/02/01 0:00:00"));
    const QString text =
        albumListText({album}, QStringLiteral("/albums/"), [](const QString&) { return true; });
    QCOMPARE(text, QStringLiteral("1   北海道    雪まつり    sld    3KB    03/02/01 0:00:00\r\n"));
}

void TestLanguage::cleanupTestCase()
{
    installUiLanguage(*qApp, UiLanguage::Japanese);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
