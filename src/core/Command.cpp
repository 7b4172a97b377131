#include "core/Command.h"

#include <QtGlobal>

namespace quorbell {

const QList<CommandDef>& commandTable()
{
    using C = Command;
    using P = MenuPlace;
    static const QList<CommandDef> table = {
        {C::ContnrNew, P::Contnr, false, "mnuContnrNew", "新規作成(&N)", "btnNew", "新規作成",
         "New", false, nullptr},
        {C::ContnrOpen, P::Contnr, false, "mnuContnrOpen", "開く(&O)", "btnOpen", "開く", "Open",
         false, nullptr},
        {C::ContnrSave, P::Contnr, false, "mnuContnrSave", "上書き保存(&S)", "btnSave",
         "上書き保存", "Save", true, nullptr},
        {C::ContnrAdd, P::Contnr, false, "mnuContnrAdd", "名前をつけて保存(&A)", nullptr, nullptr,
         nullptr, false, nullptr},
        {C::ContnrDelete, P::Contnr, true, "mnuContnrDelete", "コンテナファイル削除(&D)", nullptr,
         nullptr, nullptr, false, nullptr},
        {C::AlbumDelete, P::Contnr, false, "mnuAlbumDelete", "アルバムファイル削除(&P)", nullptr,
         nullptr, nullptr, false, nullptr},
        {C::ContnrList, P::Contnr, true, "mnuContnrList", "アルバムリスト(&L)", nullptr, nullptr,
         nullptr, false, nullptr},
        {C::ContnrInfo, P::Contnr, false, "mnuContnrInfo", "プロパティ(&I)", nullptr, nullptr,
         nullptr, false, "mnuMenuInfo"},
        {C::ContnrExit, P::Contnr, true, "mnuContnrExit", "終了(&X)", nullptr, nullptr, nullptr,
         false, nullptr},
        {C::EditUndo, P::Edit, false, "mnuEditUndo", "元に戻す(&U)", nullptr, nullptr, nullptr,
         false, nullptr},
        {C::EditRedo, P::Edit, false, "mnuEditRedo", "やり直し(&R)", nullptr, nullptr, nullptr,
         false, nullptr},
        {C::EditCut, P::Edit, true, "mnuEditCut", "サムネイル切り取り(&T)", "btnCut",
         "サムネイル切り取り", "Cut", false, "mnuMenuCut"},
        {C::EditCopy, P::Edit, false, "mnuEditCopy", "サムネイルコピー(&C)", "btnCopy",
         "サムネイルコピー", "Copy", false, "mnuMenuCopy"},
        {C::EditPut, P::Edit, false, "mnuEditPut", "サムネイル貼り付け(&P)", "btnPut",
         "サムネイル貼り付け", "Put", false, "mnuMenuPut"},
        {C::EditDelete, P::Edit, false, "mnuEditDelete", "サムネイル削除(&D)", "btnDelete",
         "サムネイル削除", "Delete", true, "mnuMenuDelete"},
        {C::EditInsert, P::Edit, true, "mnuEditInsert", "サムネイル追加(&I)", "btnInsert",
         "サムネイル追加", "Insert", false, nullptr},
        {C::EditSort, P::Edit, true, "mnuEditSort", "サムネイルソート(&S)", nullptr, nullptr,
         nullptr, false, nullptr},
        {C::SortDateU, P::Sort, false, "mnuSortDateU", "日付・昇順(&U)", nullptr, nullptr, nullptr,
         false, nullptr},
        {C::SortDateL, P::Sort, false, "mnuSortDateL", "日付・降順(&D)", nullptr, nullptr, nullptr,
         false, nullptr},
        {C::SortFileU, P::Sort, false, "mnuSortFileU", "ファイル名・昇順(&F)", nullptr, nullptr,
         nullptr, false, nullptr},
        {C::SortFileL, P::Sort, false, "mnuSortFileL", "ファイル名・降順(&L)", nullptr, nullptr,
         nullptr, false, nullptr},
        {C::EditRename, P::Edit, true, "mnuEditRename", "一括リネーミング(&R)", "btnRename",
         "一括リネーミング", "Rename", true, nullptr},
        {C::AlbumMake, P::Edit, true, "mnuAlbumMake", "アルバムの作成(&A)...", nullptr, nullptr,
         nullptr, false, "mnuMenuAlbumMake"},
        {C::AlbumEdit, P::Edit, false, "mnuAlbumEdit", "アルバムの編集(&E)...", nullptr, nullptr,
         nullptr, false, "mnuMenuAlbumEdit"},
        {C::PhotoExport, P::Edit, false, "mnuPhotoExport", "写真の書き出し(&X)...", nullptr,
         nullptr, nullptr, false, "mnuMenuPhotoExport"},
        {C::ViewSlide, P::View, false, "mnuViewSlide", "スライドショー(&S)", "btnSlide",
         "スライドショー", "Slide", false, nullptr},
        {C::ViewRandom, P::View, false, "mnuViewRandom", "ランダム表示(&R)", "btnRandom",
         "ランダム表示", "Random", true, nullptr},
        {C::ViewCover, P::View, true, "mnuViewCover", "サムネイルカバー(&M)", "btnCover",
         "サムネイルカバー", "Cover", true, nullptr},
        {C::ViewComment, P::View, false, "mnuViewComment", "コメント表示(&C)", nullptr, nullptr,
         nullptr, false, nullptr},
        {C::OptionCondition, P::MenuBar, false, "mnuOptionCondition", "設定(&O)", nullptr, nullptr,
         nullptr, false, nullptr},
        {C::HelpIndex, P::Help, false, "mnuHelpIndex", "トピックの検索(&I)", "btnIndex", "索引",
         "Index", false, nullptr},
        {C::HelpVersion, P::Help, false, "mnuHelpVersion", "バージョン情報(&V)", nullptr, nullptr,
         nullptr, false, nullptr},
    };
    return table;
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
