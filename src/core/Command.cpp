#include "core/Command.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace quorbell {

const QList<CommandDef>& commandTable()
{
    using C = Command;
    using P = MenuPlace;
    static const QList<CommandDef> table = {
        {C::ContnrNew, P::Contnr, false, "mnuContnrNew",
         QT_TRANSLATE_NOOP("Command", "新規作成(&N)"), "btnNew",
         QT_TRANSLATE_NOOP("Command", "新規作成"), "New", false, nullptr},
        {C::ContnrOpen, P::Contnr, false, "mnuContnrOpen", QT_TRANSLATE_NOOP("Command", "開く(&O)"),
         "btnOpen", QT_TRANSLATE_NOOP("Command", "開く"), "Open", false, nullptr},
        {C::ContnrSave, P::Contnr, false, "mnuContnrSave",
         QT_TRANSLATE_NOOP("Command", "上書き保存(&S)"), "btnSave",
         QT_TRANSLATE_NOOP("Command", "上書き保存"), "Save", true, nullptr},
        {C::ContnrAdd, P::Contnr, false, "mnuContnrAdd",
         QT_TRANSLATE_NOOP("Command", "名前をつけて保存(&A)"), nullptr, nullptr, nullptr, false,
         nullptr},
        {C::ContnrDelete, P::Contnr, true, "mnuContnrDelete",
         QT_TRANSLATE_NOOP("Command", "コンテナファイル削除(&D)"), nullptr, nullptr, nullptr, false,
         nullptr},
        {C::AlbumDelete, P::Contnr, false, "mnuAlbumDelete",
         QT_TRANSLATE_NOOP("Command", "アルバムファイル削除(&P)"), nullptr, nullptr, nullptr, false,
         nullptr},
        {C::ContnrList, P::Contnr, true, "mnuContnrList",
         QT_TRANSLATE_NOOP("Command", "アルバムリスト(&L)"), nullptr, nullptr, nullptr, false,
         nullptr},
        {C::ContnrInfo, P::Contnr, false, "mnuContnrInfo",
         QT_TRANSLATE_NOOP("Command", "プロパティ(&I)"), nullptr, nullptr, nullptr, false,
         "mnuMenuInfo"},
        {C::ContnrExit, P::Contnr, true, "mnuContnrExit", QT_TRANSLATE_NOOP("Command", "終了(&X)"),
         nullptr, nullptr, nullptr, false, nullptr},
        {C::EditUndo, P::Edit, false, "mnuEditUndo", QT_TRANSLATE_NOOP("Command", "元に戻す(&U)"),
         nullptr, nullptr, nullptr, false, nullptr},
        {C::EditRedo, P::Edit, false, "mnuEditRedo", QT_TRANSLATE_NOOP("Command", "やり直し(&R)"),
         nullptr, nullptr, nullptr, false, nullptr},
        {C::EditCut, P::Edit, true, "mnuEditCut",
         QT_TRANSLATE_NOOP("Command", "サムネイル切り取り(&T)"), "btnCut",
         QT_TRANSLATE_NOOP("Command", "サムネイル切り取り"), "Cut", false, "mnuMenuCut"},
        {C::EditCopy, P::Edit, false, "mnuEditCopy",
         QT_TRANSLATE_NOOP("Command", "サムネイルコピー(&C)"), "btnCopy",
         QT_TRANSLATE_NOOP("Command", "サムネイルコピー"), "Copy", false, "mnuMenuCopy"},
        {C::EditPut, P::Edit, false, "mnuEditPut",
         QT_TRANSLATE_NOOP("Command", "サムネイル貼り付け(&P)"), "btnPut",
         QT_TRANSLATE_NOOP("Command", "サムネイル貼り付け"), "Put", false, "mnuMenuPut"},
        {C::EditDelete, P::Edit, false, "mnuEditDelete",
         QT_TRANSLATE_NOOP("Command", "サムネイル削除(&D)"), "btnDelete",
         QT_TRANSLATE_NOOP("Command", "サムネイル削除"), "Delete", true, "mnuMenuDelete"},
        {C::EditInsert, P::Edit, true, "mnuEditInsert",
         QT_TRANSLATE_NOOP("Command", "サムネイル追加(&I)"), "btnInsert",
         QT_TRANSLATE_NOOP("Command", "サムネイル追加"), "Insert", false, nullptr},
        {C::EditSort, P::Edit, true, "mnuEditSort",
         QT_TRANSLATE_NOOP("Command", "サムネイルソート(&S)"), nullptr, nullptr, nullptr, false,
         nullptr},
        {C::SortDateU, P::Sort, false, "mnuSortDateU",
         QT_TRANSLATE_NOOP("Command", "日付・昇順(&U)"), nullptr, nullptr, nullptr, false, nullptr},
        {C::SortDateL, P::Sort, false, "mnuSortDateL",
         QT_TRANSLATE_NOOP("Command", "日付・降順(&D)"), nullptr, nullptr, nullptr, false, nullptr},
        {C::SortFileU, P::Sort, false, "mnuSortFileU",
         QT_TRANSLATE_NOOP("Command", "ファイル名・昇順(&F)"), nullptr, nullptr, nullptr, false,
         nullptr},
        {C::SortFileL, P::Sort, false, "mnuSortFileL",
         QT_TRANSLATE_NOOP("Command", "ファイル名・降順(&L)"), nullptr, nullptr, nullptr, false,
         nullptr},
        {C::EditRename, P::Edit, true, "mnuEditRename",
         QT_TRANSLATE_NOOP("Command", "一括リネーミング(&R)"), "btnRename",
         QT_TRANSLATE_NOOP("Command", "一括リネーミング"), "Rename", true, nullptr},
        {C::AlbumMake, P::Edit, true, "mnuAlbumMake",
         QT_TRANSLATE_NOOP("Command", "アルバムの作成(&A)..."), nullptr, nullptr, nullptr, false,
         "mnuMenuAlbumMake"},
        {C::AlbumEdit, P::Edit, false, "mnuAlbumEdit",
         QT_TRANSLATE_NOOP("Command", "アルバムの編集(&E)..."), nullptr, nullptr, nullptr, false,
         "mnuMenuAlbumEdit"},
        {C::PhotoExport, P::Edit, false, "mnuPhotoExport",
         QT_TRANSLATE_NOOP("Command", "写真の書き出し(&X)..."), nullptr, nullptr, nullptr, false,
         "mnuMenuPhotoExport"},
        {C::ViewSlide, P::View, false, "mnuViewSlide",
         QT_TRANSLATE_NOOP("Command", "スライドショー(&S)"), "btnSlide",
         QT_TRANSLATE_NOOP("Command", "スライドショー"), "Slide", false, nullptr},
        {C::ViewRandom, P::View, false, "mnuViewRandom",
         QT_TRANSLATE_NOOP("Command", "ランダム表示(&R)"), "btnRandom",
         QT_TRANSLATE_NOOP("Command", "ランダム表示"), "Random", true, nullptr},
        {C::ViewCover, P::View, true, "mnuViewCover",
         QT_TRANSLATE_NOOP("Command", "サムネイルカバー(&M)"), "btnCover",
         QT_TRANSLATE_NOOP("Command", "サムネイルカバー"), "Cover", true, nullptr},
        {C::ViewComment, P::View, false, "mnuViewComment",
         QT_TRANSLATE_NOOP("Command", "コメント表示(&C)"), nullptr, nullptr, nullptr, false,
         nullptr},
        {C::OptionCondition, P::MenuBar, false, "mnuOptionCondition",
         QT_TRANSLATE_NOOP("Command", "設定(&O)"), nullptr, nullptr, nullptr, false, nullptr},
        {C::HelpIndex, P::Help, false, "mnuHelpIndex",
         QT_TRANSLATE_NOOP("Command", "トピックの検索(&I)"), "btnIndex",
         QT_TRANSLATE_NOOP("Command", "索引"), "Index", false, nullptr},
        {C::HelpVersion, P::Help, false, "mnuHelpVersion",
         QT_TRANSLATE_NOOP("Command", "バージョン情報(&V)"), nullptr, nullptr, nullptr, false,
         nullptr},
    };
    return table;
}

QString commandCaption(const CommandDef& def)
{
    return QCoreApplication::translate("Command", def.caption);
}

QString commandButtonText(const CommandDef& def)
{
    return def.buttonText ? QCoreApplication::translate("Command", def.buttonText) : QString();
}

const CommandDef& commandDef(Command command)
{
    const CommandDef& def = commandTable().at(int(command));
    Q_ASSERT(def.command == command); // the table lists the enum in its order
    return def;
}

const QList<ShortcutSlot>& shortcutMenuLayout()
{
    static const QList<ShortcutSlot> layout = {
        {false, Command::EditCut},   {false, Command::EditCopy},    {false, Command::EditPut},
        {true, Command::EditDelete}, {true, Command::ContnrInfo},   {true, Command::AlbumMake},
        {false, Command::AlbumEdit}, {false, Command::PhotoExport},
    };
    return layout;
}

} // namespace quorbell
