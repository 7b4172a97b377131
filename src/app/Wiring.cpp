#include "app/Wiring.h"

#include "core/frmMain.h"
#include "grid/GridCommands.h"

namespace quorbell {

void wireCommands(frmMain& w)
{
    registerGridCommands(w);
}

} // namespace quorbell
