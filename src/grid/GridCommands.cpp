#include "grid/GridCommands.h"

#include "core/frmMain.h"
#include "grid/Cover.h"
#include "grid/DocumentEdits.h"
#include "grid/DocumentView.h"
#include "grid/FirstStartHint.h"
#include "grid/GridInput.h"
#include "grid/GridKeyboard.h"
#include "grid/LoadingLoop.h"
#include "grid/NewCommand.h"
#include "grid/SortCommands.h"

#include <QCoreApplication>

#include <QScrollBar>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(GridCommands)
};
} // namespace

void registerGridCommands(frmMain& w)
{
    frmMain* win = &w;
    QObject::connect(w.surface(), &GridSurface::mouseDown, win, [win](Qt::MouseButton b, QPoint p) {
        frmMain_Form_MouseDown(*win, b, p.x(), p.y());
    });
    QObject::connect(w.surface(), &GridSurface::doubleClicked, win,
                     [win] { frmMain_Form_DblClick(*win); });
    QObject::connect(w.surface(), &GridSurface::wheelRows, win,
                     [win](int rows) { scrollGridByRows(*win, rows); });
    QObject::connect(win, &frmMain::keyDown, win,
                     [win](int key) { frmMain_Form_KeyDown(*win, key); });
    QObject::connect(win, &frmMain::keyPress, win,
                     [win](int ascii) { frmMain_Form_KeyPress(*win, ascii); });
    QObject::connect(win, &frmMain::clientResized, win, [win] { frmMain_Form_Resize(*win); });
    QObject::connect(w.vScroll(), &QScrollBar::valueChanged, win,
                     [win] { frmMain_VScroll_Scroll(*win); });

    installGridKeyboard(w);
    installFirstStartHint(w);
    registerLoadingLoop(w);
    w.setCommand(Command::ContnrNew, [win] { frmMain_mnuContnrNew_Click(*win); });
    w.setCommand(Command::ViewCover, [win] { frmMain_mnuViewCover_Click(*win); });
    w.setCommand(Command::ViewComment, [win] { frmMain_mnuViewComment_Click(*win); });
    // A sort is one step of the undo history.
    const QString sort = Tr::tr("ソート");
    w.setCommand(Command::SortDateU, [win, sort] {
        recordEdit(*win, sort, [win] { frmMain_mnuSortDateU_Click(*win); });
    });
    w.setCommand(Command::SortDateL, [win, sort] {
        recordEdit(*win, sort, [win] { frmMain_mnuSortDateL_Click(*win); });
    });
    w.setCommand(Command::SortFileU, [win, sort] {
        recordEdit(*win, sort, [win] { frmMain_mnuSortFileU_Click(*win); });
    });
    w.setCommand(Command::SortFileL, [win, sort] {
        recordEdit(*win, sort, [win] { frmMain_mnuSortFileL_Click(*win); });
    });
    registerUndoCommands(w);
    installDocumentView(w);
}

} // namespace quorbell
