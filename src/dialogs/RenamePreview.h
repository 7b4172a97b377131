// What a batch rename will do, shown before any file changes its name: the
// first and last few "old → new" lines and how many files it renames.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace quorbell {

// One album file's name before and after the rename.
using RenamePair = QPair<QString, QString>;

// How many lines are shown from each end of a long list.
inline constexpr int kRenamePreviewEnds = 5;

// The "old → new" lines: all of them for a short list; for a longer one the
// first and the last `ends`, with "…" between.
QStringList renamePreviewLines(const QList<RenamePair>& renames, int ends = kRenamePreviewEnds);

// The whole confirmation text: the count, the lines, the question.
QString renamePreviewText(const QList<RenamePair>& renames);

// Asks with that text (OK/Cancel, title "リネーミング"); true for OK.
bool confirmRenames(const QList<RenamePair>& renames);

} // namespace quorbell
