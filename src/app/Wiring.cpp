#include "app/Wiring.h"

#include "core/frmMain.h"

namespace quorbell {

void wireCommands(frmMain& w)
{
    Q_UNUSED(w);
}

} // namespace quorbell
