#include "document/CommonMessages.h"

#include "document/Prompts.h"

namespace quorbell {

bool askSaveChanges(const QString& title)
{
    return prompts().askYesNo(QStringLiteral("ファイルが保存されていません。保存しますか？"),
                              title);
}

void informInvalidFile(const QString& path, const QString& title)
{
    prompts().inform(QStringLiteral("不正なファイルです。\r\n") + path, title);
}

void informLoadingAbandoned(const QString& title)
{
    prompts().inform(QStringLiteral("中止しました。表示サムネイルは無効です。"), title);
}

} // namespace quorbell
