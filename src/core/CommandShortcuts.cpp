#include "core/CommandShortcuts.h"

#include <optional>

namespace quorbell {
namespace {

struct KeyDef
{
    Command command;
    std::optional<QKeySequence::StandardKey> standard;
    QKeySequence own; // when there is no standard key, or the desktop binds none
};

const QList<KeyDef>& keyDefs()
{
    using C = Command;
    using S = QKeySequence;
    static const QList<KeyDef> defs = {
        {C::ContnrNew, S::New, S(Qt::CTRL | Qt::Key_N)},
        {C::ContnrOpen, S::Open, S(Qt::CTRL | Qt::Key_O)},
        {C::ContnrSave, S::Save, S(Qt::CTRL | Qt::Key_S)},
        {C::ContnrAdd, S::SaveAs, S(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {C::ContnrInfo, std::nullopt, S(Qt::ALT | Qt::Key_Return)},
        {C::ContnrExit, S::Quit, S(Qt::CTRL | Qt::Key_Q)},
        {C::EditUndo, S::Undo, S(Qt::CTRL | Qt::Key_Z)},
        {C::EditRedo, S::Redo, S(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {C::EditCut, S::Cut, S(Qt::CTRL | Qt::Key_X)},
        {C::EditCopy, S::Copy, S(Qt::CTRL | Qt::Key_C)},
        {C::EditPut, S::Paste, S(Qt::CTRL | Qt::Key_V)},
        {C::EditDelete, S::Delete, S(Qt::Key_Delete)},
        {C::EditRename, std::nullopt, S(Qt::CTRL | Qt::Key_R)},
        {C::ViewSlide, std::nullopt, S(Qt::Key_F5)},
        {C::ViewRandom, std::nullopt, S(Qt::SHIFT | Qt::Key_F5)},
        {C::OptionCondition, S::Preferences, S(Qt::CTRL | Qt::Key_Comma)},
        {C::HelpIndex, S::HelpContents, S(Qt::Key_F1)},
    };
    return defs;
}

} // namespace

QList<QKeySequence> shortcutsFor(Command command)
{
    for (const KeyDef& def : keyDefs()) {
        if (def.command != command)
            continue;
        QList<QKeySequence> keys;
        if (def.standard)
            keys = QKeySequence::keyBindings(*def.standard);
        // The named key comes first, so the menu shows it, and is always bound.
        keys.removeAll(def.own);
        keys.prepend(def.own);
        return keys;
    }
    return {};
}

const QList<CommandShortcut>& commandShortcuts()
{
    static const QList<CommandShortcut> list = [] {
        QList<CommandShortcut> l;
        for (const KeyDef& def : keyDefs())
            l.append({def.command, def.own});
        return l;
    }();
    return list;
}

} // namespace quorbell
