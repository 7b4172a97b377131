#include "app/Wiring.h"

#include "container/ContainerCommands.h"
#include "core/frmMain.h"
#include "dialogs/DialogCommands.h"
#include "editor/EditorBinding.h"
#include "grid/GridCommands.h"
#include "viewer/ViewerCommands.h"

namespace quorbell {

void wireCommands(frmMain& w)
{
    registerGridCommands(w);
    registerDialogCommands(w);
    registerViewerCommands(w);
    registerContainerCommands(w);
    registerEditorCommands(w);
}

} // namespace quorbell
