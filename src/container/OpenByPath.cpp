#include "container/OpenByPath.h"

#include "container/ContainerCommands.h"
#include "core/CommonMessages.h"
#include "core/GlobalState.h"
#include "core/RecentContainers.h"

namespace quorbell {

bool openContainerAsOpenDoes(frmMain& w, const QString& path)
{
    if (stdGlobal().has(Flag::Modified) && askSaveChanges(QStringLiteral("開く"))) {
        saveDocumentBeforeExit(w);
        return false;
    }
    if (!ReadContainer(w, path))
        return false;
    rememberRecentContainer(stdGlobal().containerPath);
    return true;
}

} // namespace quorbell
