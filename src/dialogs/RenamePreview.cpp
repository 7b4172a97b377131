#include "dialogs/RenamePreview.h"

#include "dialogs/BatchRename.h"
#include "document/Prompts.h"

#include <QCoreApplication>

#include <QStringList>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(RenamePreview)
};
} // namespace

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
    return Tr::tr("次の %1 個のアルバムファイルの名前を変更します。\r\n\r\n%2\r\n\r\n"
                  "よろしいですか？")
        .arg(QString::number(renames.size()),
             renamePreviewLines(renames).join(QStringLiteral("\r\n")));
}

bool confirmRenames(const QList<RenamePair>& renames)
{
    return prompts().message({renamePreviewText(renames), renameTitle(), MsgIcon::Question,
                              MsgButtons::OkCancel, false}) == MsgAnswer::Ok;
}

} // namespace quorbell
