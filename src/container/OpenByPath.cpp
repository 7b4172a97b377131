#include "container/OpenByPath.h"

#include "container/ContainerCommands.h"
#include "document/CommonMessages.h"
#include "core/frmMain.h"
#include "core/RecentContainers.h"

#include <QCoreApplication>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(OpenByPath)
};
} // namespace

bool openContainerAsOpenDoes(frmMain& w, const QString& path)
{
    if (w.document().isModified() && askSaveChanges(Tr::tr("開く"))) {
        saveDocumentBeforeExit(w);
        return false;
    }
    if (!ReadContainer(w, path))
        return false;
    rememberRecentContainer(w.document().containerPath());
    return true;
}

} // namespace quorbell
