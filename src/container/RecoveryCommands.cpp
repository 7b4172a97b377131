#include "container/RecoveryCommands.h"

#include "container/ContainerCommands.h"
#include "container/ContainerFile.h"
#include "container/RecoveryStore.h"
#include "core/CommandState.h"
#include "core/ExitSignals.h"
#include "document/Prompts.h"
#include "core/TextRules.h"
#include "core/frmMain.h"

#include <QCoreApplication>

#include <QFile>

#include <cstdio>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(RecoveryCommands)
};
} // namespace

bool keepDocumentForRecovery(const frmMain& w)
{
    const AlbumDocument& ad = w.document();
    const container::ContainerDocument doc = documentForWriting(ad, ad.containerPassword());
    const container::ContainerResult<QString> kept = container::keepForRecovery(doc);
    if (kept) {
        std::fprintf(stderr, "quorbell: unsaved changes kept in %s\n", qUtf8Printable(*kept));
        return true;
    }
    std::fprintf(stderr, "quorbell: the unsaved changes could not be kept in %s%s%s\n",
                 qUtf8Printable(container::recoveryFolder()),
                 kept.error().detail.isEmpty() ? "" : ": ", qUtf8Printable(kept.error().detail));
    return false;
}

bool openRecoveredDocument(frmMain& w, const QString& path)
{
    AlbumDocument& ad = w.document();
    Settings& st = w.settings();
    // The folder the albums were in is stored in the file; opening a
    // container otherwise looks for them beside it.
    std::optional<QString> albumFolder;
    if (const auto file = container::ContainerFile::open(path))
        albumFolder = (*file)->document().albumFolder;
    const QString containerFolder = st.containerFolder;
    if (!ReadContainer(w, path))
        return false;
    // The document lives on in memory; the open file stays readable for
    // the thumbnails still loading.
    QFile::remove(path);

    if (albumFolder && !albumFolder->isEmpty())
        ad.setAlbumFolder(withTrailingSlash(*albumFolder));
    ad.setContainerPath(QString());
    st.containerFolder = containerFolder;
    ad.setModified(true);
    ad.startNewHistory(false);
    // Like a new document: Save As names it first.
    switchButtonOff(w, Cmd::Save);
    switchButtonOff(w, Cmd::Rename);
    setMenuItemsEnabled(w, {Command::ContnrDelete}, false);
    return true;
}

bool offerRecovery(frmMain& w)
{
    const QString title = Tr::tr("復元処理");
    const QStringList kept = container::recoveryFiles();
    for (const QString& path : kept) {
        const bool open = prompts().askYesNo(
            Tr::tr("前回の終了時に保存されていなかった内容が残っています。開きますか？\r\n"
                   "「いいえ」を選ぶと削除します。\r\n%1")
                .arg(path),
            title);
        // Ended while the question was open: the answer was not the user's.
        if (ExitSignalWatcher::received() != 0)
            return false;
        if (open)
            return openRecoveredDocument(w, path);
        QFile::remove(path);
    }
    return false;
}

} // namespace quorbell
