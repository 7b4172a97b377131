// Every command the main window runs, and the one table that gives each its
// menu item, caption and toolbar button. The menus, the toolbar and the
// shortcut menu are built from this table, so a command is named by its enum
// value and a misspelt one does not compile.
#pragma once

#include <QList>
#include <QString>

namespace quorbell {

enum class Command {
    ContnrNew,
    ContnrOpen,
    ContnrSave,
    ContnrAdd,
    ContnrDelete,
    AlbumDelete,
    ContnrList,
    ContnrInfo,
    ContnrExit,
    EditUndo,
    EditRedo,
    EditCut,
    EditCopy,
    EditPut,
    EditDelete,
    EditInsert,
    EditSort, // the submenu of the four sorts; it runs nothing itself
    SortDateU,
    SortDateL,
    SortFileU,
    SortFileL,
    EditRename,
    AlbumMake,   // the album editor on a new album
    AlbumEdit,   // the album editor on the selected album
    PhotoExport, // the selected album's photos written to a folder
    ViewSlide,
    ViewRandom,
    ViewCover,
    ViewComment,
    OptionCondition,
    HelpIndex,
    HelpVersion,
};
inline constexpr int kCommandCount = int(Command::HelpVersion) + 1;

// Where a command's menu item sits; the order of the table is the order of
// the items within each menu.
enum class MenuPlace { Contnr, Edit, Sort, View, MenuBar, Help };

struct CommandDef
{
    Command command;
    MenuPlace place;
    bool separatorBefore;     // a separator line above the menu item
    const char* name;         // menu item object name, "mnuContnrOpen"
    const char* caption;      // menu caption with its mnemonic, untranslated
    const char* buttonKey;    // toolbar button, "btnOpen"; null when none
    const char* buttonText;   // toolbar tooltip, untranslated
    const char* image;        // image-list suffix: "img" or "imgNo" + this
    bool separatorAfter;      // a toolbar separator after the button
    const char* shortcutName; // shortcut menu item, "mnuMenuCut"; null when none
};

// The whole table, in menu order (which is also the toolbar order).
const QList<CommandDef>& commandTable();
const CommandDef& commandDef(Command command);

// The menu caption and toolbar tooltip in the interface's language.
QString commandCaption(const CommandDef& def);
QString commandButtonText(const CommandDef& def);

// The shortcut menu in its order; Separator marks a separator line.
struct ShortcutSlot
{
    bool separator;
    Command command;
};
const QList<ShortcutSlot>& shortcutMenuLayout();

} // namespace quorbell
