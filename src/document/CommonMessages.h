// Messages that several commands show, each with the title of the command
// that shows it.
#pragma once

#include <QString>

namespace quorbell {

// A message about a file: `text`, then the file's path on its own line.
QString withFilePath(const QString& text, const QString& path);

// "ファイルが保存されていません。保存しますか？" (Yes/No); true for Yes.
bool askSaveChanges(const QString& title);

// "不正なファイルです。" with the path on its own line.
void informInvalidFile(const QString& path, const QString& title);

// "中止しました。表示サムネイルは無効です。": loading was abandoned.
void informLoadingAbandoned(const QString& title);

} // namespace quorbell
