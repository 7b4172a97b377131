#include "dialogs/RenamePreview.h"

#include "dialogs/BatchRename.h"
#include "document/Prompts.h"

#include <QStringList>

namespace quorbell {

QStringList renamePreviewLines(const QList<RenamePair>& renames, int ends)
{
    const auto line = [](const RenamePair& r) {
        return r.first + QStringLiteral(" → ") + r.second;
    };
    QStringList lines;
    const qsizetype n = renames.size();
    if (n <= 2 * qsizetype(ends) + 1) {
        for (const RenamePair& r : renames)
            lines << line(r);
        return lines;
    }
    for (qsizetype i = 0; i < ends; ++i)
        lines << line(renames.at(i));
    lines << QStringLiteral("…");
    for (qsizetype i = n - ends; i < n; ++i)
        lines << line(renames.at(i));
    return lines;
}

QString renamePreviewText(const QList<RenamePair>& renames)
{
    return QStringLiteral("次の %1 個のアルバムファイルの名前を変更します。\r\n\r\n")
               .arg(renames.size()) +
           renamePreviewLines(renames).join(QStringLiteral("\r\n")) +
           QStringLiteral("\r\n\r\nよろしいですか？");
}

bool confirmRenames(const QList<RenamePair>& renames)
{
    return prompts().message({renamePreviewText(renames), QString::fromUtf8(kRenameTitle),
                              MsgIcon::Question, MsgButtons::OkCancel, false}) == MsgAnswer::Ok;
}

} // namespace quorbell
