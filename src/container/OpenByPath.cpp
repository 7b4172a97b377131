#include "container/OpenByPath.h"

#include "container/ContainerCommands.h"
#include "document/CommonMessages.h"
#include "core/frmMain.h"
#include "core/RecentContainers.h"

namespace quorbell {

bool openContainerAsOpenDoes(frmMain& w, const QString& path)
{
    if (w.document().isModified() && askSaveChanges(QStringLiteral("開く"))) {
        saveDocumentBeforeExit(w);
        return false;
    }
    if (!ReadContainer(w, path))
        return false;
    rememberRecentContainer(w.document().containerPath());
    return true;
}

} // namespace quorbell
