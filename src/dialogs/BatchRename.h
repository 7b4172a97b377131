// The batch rename of every album file of the grid: a check pass that tests
// every new name against the album folder before any file changes, then the
// rename pass. Works on the document and asks through the prompts
// interface, so it runs without the dialog.
#pragma once

#include "dialogs/RenamePreview.h"
#include "dialogs/RenameRules.h"

#include <QList>
#include <QPair>
#include <QString>

#include <functional>

namespace quorbell {

class AlbumDocument;

// Renames a file without ever replacing one: fails when the new name is taken.
// On failure, error (when given) gets a short Japanese reason.
bool renameFileNoReplace(const QString& from, const QString& to, QString* error = nullptr);

// Tests one new name against the album folder: true when no file has that
// name; otherwise warns, naming the file, and returns false.
bool CheckRenameTarget(const AlbumDocument& doc, const QString& newName);

enum class RenameResult {
    Renamed,       // the file and the entry carry the new name
    SourceMissing, // no album file to rename: the entry keeps its name
    TargetExists,  // a file of the new name is there: nothing changed
    Failed,        // the system refused the rename: nothing changed
};

// Renames the album file of one entry and stores the new name in the entry;
// a hidden entry keeps its "*" in front of the new name. newName is the
// file's name (without a "*").
RenameResult RenameAlbumFile(AlbumDocument& doc, int index, const QString& newName,
                             QString* error = nullptr);

struct BatchRenameOutcome
{
    enum class Status {
        NotRun,    // not in a mode with a grid
        Forbidden, // the common part has a character a file name may not have
        Clash,     // a new name is taken in the folder: no file was renamed
        Declined,  // the user said no to what the rename would do: nothing changed
        Done,      // every album file present was renamed
        Stopped,   // a rename failed half-way: the entries before it are renamed
    };
    Status status = Status::NotRun;
    int renamed = 0;    // files renamed
    int stoppedAt = -1; // index of the entry whose rename failed
    // Each file renamed, in order: its path before and after.
    QList<QPair<QString, QString>> renames;
};

// Asked, once every new name is known to be free, with the renames to be
// done (file names before and after); false stops before any file changes.
using RenameConfirmation = std::function<bool(const QList<RenamePair>&)>;

// Runs the whole rename with its messages (title "リネーミング") and sets the
// modified flag when the document changed.
BatchRenameOutcome runBatchRename(AlbumDocument& doc, bool gridShown, const QString& common,
                                  RenameNumberStyle style, const RenameConfirmation& confirm = {});

// The message lines of the rename and properties dialogs.
QString forbiddenNameMessage();
inline constexpr char kRenameTitle[] = QT_TRANSLATE_NOOP("BatchRename", "リネーミング");
// The title of the rename messages, in the interface's language.
QString renameTitle();

} // namespace quorbell
