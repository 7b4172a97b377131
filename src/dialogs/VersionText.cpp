// The version box text.
#include "dialogs/VersionText.h"

#include "core/Version.h"

#include <QCoreApplication>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(VersionText)
};
} // namespace

QString versionBoxText()
{
    const QString indent(7, QLatin1Char(' '));
    const QString lineBreak = QStringLiteral("\r\n");
    return indent + QString::fromLatin1(kProgramName) + QStringLiteral(" Version ") +
           QString::fromLatin1(kVersionText) + indent + lineBreak + lineBreak + indent +
           QStringLiteral("Copyright (C) The %1 developers")
               .arg(QString::fromLatin1(kProgramName)) +
           lineBreak + indent + Tr::tr("アルバム (.sld) とコンテナ (.cov) に対応しています。") +
           lineBreak + indent + Tr::tr("フリーソフトウェアです。無保証で提供されます。");
}

} // namespace quorbell
