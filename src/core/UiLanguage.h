// The language of the window's texts: the program's own Japanese, or the
// English catalogue. Chosen once at start-up from the command line and the
// user's locale; the help pages and Qt's own dialogs follow the same choice.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCoreApplication;

namespace quorbell {

enum class UiLanguage { Japanese, English };

// "ja" or "en" as given to --lang; nothing for any other name.
std::optional<UiLanguage> uiLanguageFromName(const QString& name);

// Japanese when the first of the user's interface languages is Japanese, or
// when the locale is C/POSIX (no language at all: the program's own texts);
// English for any other language.
UiLanguage uiLanguageForLocale(const QStringList& uiLanguages);

// The program's arguments with a leading "--lang ja|en" (or "--lang=..")
// taken off; what remains names the container to open.
struct StartArguments
{
    std::optional<UiLanguage> language;
    QStringList rest;
    QString error; // non-empty when --lang is missing its value or names no known language
};
StartArguments parseStartArguments(const QStringList& args);

// The language in use for this run. Process-wide: the translators installed
// at start-up serve the whole program, so there is one choice per process.
UiLanguage uiLanguage();

// Sets the language of the run and installs the translators for it: for
// English the program's catalogue from the data folder, for Japanese Qt's
// own Japanese catalogue; the translators of an earlier call are removed.
// Returns false when a catalogue could not be loaded
// (the texts then stay in the program's own language).
bool installUiLanguage(QCoreApplication& app, UiLanguage language);

// The folder of the help pages in the data folder, ending in "/": "help/"
// for Japanese, "help/en/" for English.
QString helpFolderName(UiLanguage language);

} // namespace quorbell
