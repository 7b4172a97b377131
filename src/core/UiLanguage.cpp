// Choosing the interface language and installing its translators.
#include "core/UiLanguage.h"

#include "core/Paths.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace quorbell {

namespace {

// Set in main() before any window exists; read by the help window.
UiLanguage g_language = UiLanguage::Japanese;
// The translator installed for it, replaced when the language is set again.
QPointer<QTranslator> g_translator;

const QString kLangOption = QStringLiteral("--lang");

} // namespace

std::optional<UiLanguage> uiLanguageFromName(const QString& name)
{
    if (name == QLatin1String("ja"))
        return UiLanguage::Japanese;
    if (name == QLatin1String("en"))
        return UiLanguage::English;
    return std::nullopt;
}

UiLanguage uiLanguageForLocale(const QStringList& uiLanguages)
{
    if (uiLanguages.isEmpty())
        return UiLanguage::Japanese;
    const QLocale::Language first = QLocale(uiLanguages.first()).language();
    if (first == QLocale::Japanese || first == QLocale::C)
        return UiLanguage::Japanese;
    return UiLanguage::English;
}

StartArguments parseStartArguments(const QStringList& args)
{
    StartArguments parsed;
    parsed.rest = args;
    if (args.isEmpty())
        return parsed;
    QString name;
    qsizetype used = 0;
    if (args.first() == kLangOption) {
        if (args.size() < 2) {
            parsed.error = QStringLiteral("--lang needs a language: ja or en");
            return parsed;
        }
        name = args.at(1);
        used = 2;
    } else if (args.first().startsWith(kLangOption + QLatin1Char('='))) {
        name = args.first().mid(kLangOption.size() + 1);
        used = 1;
    } else {
        return parsed;
    }
    parsed.language = uiLanguageFromName(name);
    if (!parsed.language) {
        parsed.error = QStringLiteral("unknown language \"%1\" for --lang: use ja or en").arg(name);
        return parsed;
    }
    parsed.rest = args.mid(used);
    return parsed;
}

UiLanguage uiLanguage()
{
    return g_language;
}

bool installUiLanguage(QCoreApplication& app, UiLanguage language)
{
    g_language = language;
    if (g_translator) {
        QCoreApplication::removeTranslator(g_translator);
        delete g_translator;
    }
    auto* translator = new QTranslator(&app);
    const bool loaded = language == UiLanguage::English
                            ? translator->load(QStringLiteral("quorbell_en"),
                                               dataFolder() + QStringLiteral("translations"))
                            // Qt's own buttons and dialogs (Yes/No, file dialogs) in Japanese;
                            // the program's texts are Japanese already.
                            : translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                                               QStringLiteral("_"),
                                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded) {
        QCoreApplication::installTranslator(translator);
        g_translator = translator;
    } else {
        delete translator;
    }
    return loaded;
}

QString helpFolderName(UiLanguage language)
{
    return language == UiLanguage::English ? QStringLiteral("help/en/") : QStringLiteral("help/");
}

} // namespace quorbell
