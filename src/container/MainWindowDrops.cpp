#include "container/MainWindowDrops.h"

#include "container/InsertCommand.h"
#include "container/OpenByPath.h"
#include "core/frmMain.h"
#include "core/frmMain.h"
#include "grid/LoadingLoop.h"
#include "grid/NewCommand.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

namespace quorbell {
namespace {

class DropFilter : public QObject
{
public:
    explicit DropFilter(frmMain& w) : QObject(&w), m_window(w) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            // The files are read once, when the drag comes in; a move over
            // the window keeps that answer.
            auto* drag = static_cast<QDropEvent*>(event);
            if (event->type() == QEvent::DragEnter)
                m_acceptable = planFor(*drag).kind != DropKind::Refused;
            if (m_acceptable)
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const DropPlan plan = planFor(*drop);
            if (plan.kind == DropKind::Refused) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            // The drop ends before anything asks a question, so the file
            // manager is not kept waiting on a message box.
            frmMain* w = &m_window;
            QTimer::singleShot(0, w, [w, plan] { runDropPlan(*w, plan); });
            return true;
        }
        default:
            return false;
        }
    }

private:
    DropPlan planFor(const QDropEvent& event) const
    {
        if (!event.mimeData() || !event.mimeData()->hasUrls())
            return {};
        return planDrop(event.mimeData()->urls(), dropTargetState(m_window));
    }

    frmMain& m_window;
    bool m_acceptable = false;
};

} // namespace

DropTargetState dropTargetState(const frmMain& w)
{
    DropTargetState state;
    state.documentOpen = w.mode() != Mode::Empty;
    state.insertAvailable = w.action(Command::EditInsert)->isEnabled();
    return state;
}

void runDropPlan(frmMain& w, const DropPlan& plan)
{
    // The window may have changed since the drag began.
    const DropTargetState now = dropTargetState(w);
    switch (plan.kind) {
    case DropKind::Refused:
        return;
    case DropKind::OpenContainer:
        openContainerAsOpenDoes(w, plan.container);
        return;
    case DropKind::NewGrid:
        if (!now.documentOpen && acceptNewDocument(w, {plan.folder, plan.names, false}))
            frmMain_Form_Activate(w);
        return;
    case DropKind::InsertAlbums:
        if (now.insertAvailable)
            insertAlbumFiles(w, plan.folder, plan.names);
        return;
    }
}

void acceptDropsOn(frmMain& w)
{
    w.setAcceptDrops(true);
    w.installEventFilter(new DropFilter(w));
}

} // namespace quorbell
