#include "grid/DocumentEdits.h"

#include "document/CommonMessages.h"
#include "document/Prompts.h"
#include "core/frmMain.h"

#include <QCoreApplication>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QUndoCommand>

#include <algorithm>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(DocumentEdits)
};
} // namespace
namespace {

const char* const kUndoTitle = QT_TRANSLATE_NOOP("DocumentEdits", "元に戻す");
const char* const kRedoTitle = QT_TRANSLATE_NOOP("DocumentEdits", "やり直し");

// What a step puts back: the entries and where the view stood.
struct DocumentState
{
    QList<AlbumEntry> entries;
    qint16 hiddenCount = 0;
    qint16 firstDrawnIndex = 0;
};

DocumentState captureState(frmMain& w)
{
    return {w.document().entries(), w.document().hiddenCount(), w.layout().firstDrawnIndex};
}

// The grid as loading leaves it: every entry loaded, nothing selected, the
// view where it stood. The window follows the document.
void showState(frmMain& w, const DocumentState& s)
{
    AlbumDocument& doc = w.document();
    if (s.entries.isEmpty()) {
        doc.setEntries(s.entries);
        doc.setLoadIndex(0);
        showEmptyGrid(w);
        return;
    }
    w.layout().firstDrawnIndex =
        qint16(std::clamp<int>(s.firstDrawnIndex, 0, int(s.entries.size()) - 1));
    w.setMode(Mode::Shown);
    doc.setEntries(s.entries);
    doc.setHiddenCount(s.hiddenCount);
    doc.setLoadIndex(doc.albumCount());
    doc.setSelectedIndex(0);
}

bool pathTaken(const QString& path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

// The first path of `renames` that keeps them from being done (from -> to):
// a source that is gone or a target that is taken; empty when none.
QString blockingPath(const QList<FileRename>& renames, bool back)
{
    for (const FileRename& r : renames) {
        const QString& source = back ? r.to : r.from;
        const QString& target = back ? r.from : r.to;
        if (pathTaken(target))
            return target;
        if (!pathTaken(source))
            return source;
    }
    return QString();
}

class EditStep : public QUndoCommand
{
public:
    EditStep(frmMain& w, const QString& name, DocumentState before, DocumentState after,
             QList<FileRename> renames)
        : QUndoCommand(name), m_window(w), m_before(std::move(before)), m_after(std::move(after)),
          m_renames(std::move(renames))
    {
    }

    // The files this step would rename, checked before undo or redo runs.
    QString blockingUndo() const { return blockingPath(m_renames, true); }
    QString blockingRedo() const { return blockingPath(m_renames, false); }

    void undo() override
    {
        // Back in reverse order, so a chain of names unwinds as it was made.
        for (auto it = m_renames.crbegin(); it != m_renames.crend(); ++it)
            QFile::rename(it->to, it->from);
        showState(m_window, m_before);
    }

    void redo() override
    {
        // The first redo is the push: the command has already done the edit.
        if (m_pushed) {
            for (const FileRename& r : m_renames)
                QFile::rename(r.from, r.to);
            showState(m_window, m_after);
        }
        m_pushed = true;
    }

    void forget(const QString& fileName)
    {
        for (DocumentState* s : {&m_before, &m_after}) {
            for (qsizetype i = s->entries.size() - 1; i >= 0; --i) {
                if (s->entries.at(i).fileName != fileName)
                    continue;
                if (s->entries.at(i).isHidden())
                    s->hiddenCount = qint16(s->hiddenCount - 1);
                s->entries.removeAt(i);
            }
        }
    }

private:
    frmMain& m_window;
    DocumentState m_before;
    DocumentState m_after;
    QList<FileRename> m_renames;
    bool m_pushed = false;
};

// The step undo or redo would run next; null when there is none.
EditStep* stepAt(frmMain& w, int index)
{
    const QUndoStack& stack = w.document().undoStack();
    if (index < 0 || index >= stack.count())
        return nullptr;
    return const_cast<EditStep*>(static_cast<const EditStep*>(stack.command(index)));
}

// "元に戻す: 削除(&U)": the item's caption with the step's name, its mnemonic last.
QString undoItemText(const QString& step)
{
    return step.isEmpty() ? Tr::tr("元に戻す(&U)") : Tr::tr("元に戻す: %1(&U)").arg(step);
}

QString redoItemText(const QString& step)
{
    return step.isEmpty() ? Tr::tr("やり直し(&R)") : Tr::tr("やり直し: %1(&R)").arg(step);
}

} // namespace

// The document as an edit found it, outside the file's private names so the
// header can name it.
struct EditStart
{
    QList<AlbumEntry> entries;
    qint16 hiddenCount = 0;
    qint16 firstDrawnIndex = 0;
    quint64 revision = 0;
};

std::shared_ptr<const EditStart> startEdit(frmMain& w)
{
    const DocumentState s = captureState(w);
    return std::make_shared<const EditStart>(
        EditStart{s.entries, s.hiddenCount, s.firstDrawnIndex, w.document().revision()});
}

void finishEdit(frmMain& w, const QString& name, const EditStart& start)
{
    AlbumDocument& doc = w.document();
    if (doc.revision() == start.revision)
        return;
    // The edit set the modified flag by its own rules; the step keeps them.
    const bool modified = doc.isModified();
    doc.undoStack().push(new EditStep(
        w, name, {start.entries, start.hiddenCount, start.firstDrawnIndex}, captureState(w), {}));
    doc.setModified(modified);
}

void recordRenamingEdit(frmMain& w, const QString& name,
                        const std::function<QList<FileRename>()>& edit)
{
    AlbumDocument& doc = w.document();
    DocumentState before = captureState(w);
    const quint64 revision = doc.revision();
    QList<FileRename> renames = edit();
    if (doc.revision() == revision && renames.isEmpty())
        return;
    // The edit set the modified flag by its own rules; the step keeps them.
    const bool modified = doc.isModified();
    doc.undoStack().push(new EditStep(w, name, std::move(before), captureState(w), renames));
    doc.setModified(modified);
}

void recordEdit(frmMain& w, const QString& name, const std::function<void()>& edit)
{
    recordRenamingEdit(w, name, [&edit] {
        edit();
        return QList<FileRename>();
    });
}

void frmMain_mnuEditUndo_Click(frmMain& w)
{
    QUndoStack& stack = w.document().undoStack();
    EditStep* step = stepAt(w, stack.index() - 1);
    if (!step || (!w.isGridShown() && w.mode() != Mode::Empty))
        return;
    if (const QString blocked = step->blockingUndo(); !blocked.isEmpty()) {
        prompts().warn(
            withFilePath(
                Tr::tr("アルバムファイルの名前を変更できないため、元に戻すことができません。"),
                blocked),
            Tr::tr(kUndoTitle));
        return;
    }
    stack.undo();
}

void frmMain_mnuEditRedo_Click(frmMain& w)
{
    QUndoStack& stack = w.document().undoStack();
    EditStep* step = stepAt(w, stack.index());
    if (!step || (!w.isGridShown() && w.mode() != Mode::Empty))
        return;
    if (const QString blocked = step->blockingRedo(); !blocked.isEmpty()) {
        prompts().warn(
            withFilePath(
                Tr::tr("アルバムファイルの名前を変更できないため、やり直すことができません。"),
                blocked),
            Tr::tr(kRedoTitle));
        return;
    }
    stack.redo();
}

void forgetDeletedAlbum(frmMain& w, const QString& fileName)
{
    QUndoStack& stack = w.document().undoStack();
    for (int i = 0; i < stack.count(); ++i)
        stepAt(w, i)->forget(fileName);
    stack.resetClean();
}

void showEmptyGrid(frmMain& w)
{
    AlbumDocument& doc = w.document();
    w.setMode(Mode::Empty);
    doc.setHiddenCount(0);
    doc.setSelectedIndex(0);
    w.layout().firstDrawnIndex = 0;
}

void registerUndoCommands(frmMain& w)
{
    frmMain* win = &w;
    w.setCommand(Command::EditUndo, [win] { frmMain_mnuEditUndo_Click(*win); });
    w.setCommand(Command::EditRedo, [win] { frmMain_mnuEditRedo_Click(*win); });
    QAction* undo = w.action(Command::EditUndo);
    QAction* redo = w.action(Command::EditRedo);
    // Redo also answers the key other desktops use for it.
    QList<QKeySequence> redoKeys = redo->shortcuts();
    if (!redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)))
        redoKeys.append(QKeySequence(Qt::CTRL | Qt::Key_Y));
    redo->setShortcuts(redoKeys);
    const QUndoStack& stack = w.document().undoStack();
    const auto show = [win, undo, redo] {
        const QUndoStack& s = win->document().undoStack();
        undo->setEnabled(s.canUndo());
        redo->setEnabled(s.canRedo());
        undo->setText(undoItemText(s.undoText()));
        redo->setText(redoItemText(s.redoText()));
    };
    QObject::connect(&stack, &QUndoStack::indexChanged, win, show);
    QObject::connect(&stack, &QUndoStack::cleanChanged, win, show);
    QObject::connect(&stack, &QUndoStack::canUndoChanged, win, show);
    QObject::connect(&stack, &QUndoStack::canRedoChanged, win, show);
    show();
}

} // namespace quorbell
