#include "core/TextRules.h"

#include "core/Cp932.h"

#include <QLocale>

namespace quorbell {

QString sizeNumberText(qint64 bytes)
{
    const qint64 kb = bytes / 1024 + 1;
    // "##,##0": thousands separated by commas whatever the user's locale.
    QString digits = QString::number(kb);
    for (qsizetype i = digits.size() - 3; i > 0 && digits.at(i - 1).isDigit(); i -= 3)
        digits.insert(i, QLatin1Char(','));
    return digits;
}

QString sizeTextKB(qint64 bytes)
{
    return sizeNumberText(bytes) + QStringLiteral("KB");
}

int halfWidthColumns(QChar c)
{
    const ushort u = c.unicode();
    if (u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F))
        return 1;
    const std::optional<int> code = cp932::charCode(c);
    // No code page 932 form: written as "?", one column.
    return code && *code > 0xFF ? 2 : 1;
}

int halfWidthWidth(const QString& text)
{
    int width = 0;
    for (QChar c : text)
        width += halfWidthColumns(c);
    return width;
}

bool containsForbiddenFileChar(const QString& text)
{
    static const QString forbidden = QStringLiteral("/\\:\"*?<>|");
    for (QChar c : text) {
        if (forbidden.contains(c))
            return true;
    }
    return false;
}

QString nameBeforeFirstDot(const QString& fileName)
{
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

QString initialComment(const QString& fileName)
{
    return nameBeforeFirstDot(withoutHiddenMark(fileName));
}

QString extensionFromFirstDot(const QString& fileName)
{
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot);
}

QString withoutHiddenMark(const QString& name)
{
    return isHiddenName(name) ? name.mid(1) : name;
}

QString withTrailingSlash(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString unquoteArgument(const QString& arg)
{
    if (arg.size() >= 2 && arg.startsWith(QLatin1Char('"')) && arg.endsWith(QLatin1Char('"')))
        return arg.mid(1, arg.size() - 2);
    return arg;
}

} // namespace quorbell
