#include "document/CommonMessages.h"

#include "document/Prompts.h"

#include <QCoreApplication>

#include <QDir>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(CommonMessages)
};
} // namespace

QString withFilePath(const QString& text, const QString& path)
{
    // Messages break their lines with CR LF.
    return text + QStringLiteral("\r\n") + QDir::toNativeSeparators(path);
}

bool askSaveChanges(const QString& title)
{
    return prompts().askYesNo(Tr::tr("ファイルが保存されていません。保存しますか？"), title);
}

void informInvalidFile(const QString& path, const QString& title)
{
    prompts().inform(withFilePath(Tr::tr("不正なファイルです。"), path), title);
}

void informLoadingAbandoned(const QString& title)
{
    prompts().inform(Tr::tr("中止しました。表示サムネイルは無効です。"), title);
}

} // namespace quorbell
