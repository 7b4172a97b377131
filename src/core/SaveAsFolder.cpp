#include "core/SaveAsFolder.h"

#include <QFileInfo>

namespace quorbell {

QString saveAsStartFolder(const QString& containerPath, const QString& albumFolder)
{
    if (!containerPath.isEmpty())
        return QFileInfo(containerPath).absolutePath() + QLatin1Char('/');
    return albumFolder;
}

} // namespace quorbell
