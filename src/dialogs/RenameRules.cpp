// Names of a batch rename.
#include "dialogs/RenameRules.h"

#include "core/TextRules.h"

namespace quorbell {

int renameNumberWidth(int albumCount)
{
    if (albumCount < 10)
        return 1;
    if (albumCount < 100)
        return 2;
    if (albumCount < 1000)
        return 3;
    return 4;
}

QString renameNumberText(int number, int albumCount, RenameNumberStyle style)
{
    if (style == RenameNumberStyle::Growing)
        return QString::number(number);
    return QStringLiteral("%1").arg(number, renameNumberWidth(albumCount), 10, QLatin1Char('0'));
}

QString renameTargetName(const QString& common, int index, int albumCount, RenameNumberStyle style,
                         const QString& oldName)
{
    return common + renameNumberText(index + 1, albumCount, style) +
           extensionFromFirstDot(withoutHiddenMark(oldName));
}

} // namespace quorbell
