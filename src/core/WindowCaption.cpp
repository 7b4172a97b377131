#include "core/WindowCaption.h"

#include "core/Version.h"
#include "core/frmMain.h"

#include <QFileInfo>

namespace quorbell {

QString containerCaption(const QString& path)
{
    return QFileInfo(path).fileName() + QStringLiteral(" - ") + QString::fromLatin1(kProgramName);
}

void followContainerPath(frmMain& w)
{
    frmMain* win = &w;
    QObject::connect(&w.document(), &AlbumDocument::pathChanged, win, [win] {
        const QString& path = win->document().containerPath();
        win->setWindowTitle(path.isEmpty() ? QString::fromLatin1(kProgramName)
                                           : containerCaption(path));
    });
}

} // namespace quorbell
