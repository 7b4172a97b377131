// The dialogs' commands. Each modeless dialog exists once at a time: a second
// request brings the open one to the front.
#include "dialogs/DialogCommands.h"

#include "document/Prompts.h"
#include "core/frmMain.h"
#include "dialogs/VersionText.h"
#include "dialogs/frmCondition.h"
#include "dialogs/frmHelp.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmList.h"
#include "dialogs/frmRename.h"

#include <QCoreApplication>
#include <QPointer>

namespace quorbell {
namespace {

QPointer<frmHelp> g_help;

// The open dialog of a kind that belongs to this main window; null when none
// is open (a dialog that is closing does not count).
template <class Dialog> Dialog* openDialog(frmMain& w)
{
    const QList<Dialog*> dialogs = w.findChildren<Dialog*>(QString(), Qt::FindDirectChildrenOnly);
    for (Dialog* d : dialogs) {
        if (d->isVisible())
            return d;
    }
    return nullptr;
}

template <class Dialog> void showModeless(frmMain& w)
{
    Dialog* d = openDialog<Dialog>(w);
    if (!d)
        d = new Dialog(w);
    d->show();
    d->raise();
    d->activateWindow();
}

} // namespace

void frmMain_mnuOptionCondition_Click(frmMain& w)
{
    showModeless<frmCondition>(w);
}

void frmMain_mnuEditRename_Click(frmMain& w)
{
    const qint16 mode = w.mode();
    if (mode == Mode::Shown || mode == Mode::Selected)
        showModeless<frmRename>(w);
}

void frmMain_mnuContnrInfo_Click(frmMain& w)
{
    // Unavailable without a selected album, as its menu items are.
    if (w.mode() != Mode::Selected)
        return;
    showModeless<frmInfo>(w);
}

void frmMain_mnuContnrList_Click(frmMain& w)
{
    showModeless<frmList>(w);
}

void frmMain_mnuHelpIndex_Click(frmMain& w)
{
    if (!g_help) {
        // Its own top-level window, so it stays open beside the program and
        // closes with it.
        g_help = new frmHelp;
        g_help->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(&w, &QObject::destroyed, g_help.data(), &QObject::deleteLater);
    }
    g_help->showTopic(frmHelp::defaultTopic());
    g_help->show();
    g_help->raise();
    g_help->activateWindow();
}

frmHelp* helpWindow()
{
    return g_help.data();
}

void frmMain_mnuHelpVersion_Click(frmMain&)
{
    MessageRequest r;
    r.text = versionBoxText();
    r.title = QCoreApplication::translate("VersionText", kVersionTitle);
    r.icon = MsgIcon::Information;
    r.buttons = MsgButtons::Ok;
    r.beep = false; // nothing went wrong
    prompts().message(r);
}

void registerDialogCommands(frmMain& w)
{
    frmMain* win = &w;
    w.setCommand(Command::OptionCondition, [win] { frmMain_mnuOptionCondition_Click(*win); });
    w.setCommand(Command::EditRename, [win] { frmMain_mnuEditRename_Click(*win); });
    w.setCommand(Command::ContnrInfo, [win] { frmMain_mnuContnrInfo_Click(*win); });
    w.setCommand(Command::ContnrList, [win] { frmMain_mnuContnrList_Click(*win); });
    w.setCommand(Command::HelpIndex, [win] { frmMain_mnuHelpIndex_Click(*win); });
    w.setCommand(Command::HelpVersion, [win] { frmMain_mnuHelpVersion_Click(*win); });

    // The properties follow the selection: a click on the grid refills them
    // (the click also activates the dialog, which refills it where the window
    // system lets it take the focus).
    QObject::connect(w.surface(), &GridSurface::mouseDown, win, [win] {
        if (frmInfo* info = openDialog<frmInfo>(*win)) {
            info->fillFields();
            if (win->mode() == Mode::Selected)
                info->activateWindow();
        }
    });
    // A selection moved with the keys refills them too, but leaves the focus
    // in the grid so that the next key moves on.
    QObject::connect(w.surface(), &GridSurface::selectionMovedByKey, win, [win] {
        if (frmInfo* info = openDialog<frmInfo>(*win))
            info->fillFields();
    });
}

} // namespace quorbell
