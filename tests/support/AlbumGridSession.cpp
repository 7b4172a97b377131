#include "AlbumGridSession.h"

#include "AlbumMaker.h"
#include "GridFixture.h"
#include "SamplePhotos.h"

#include "container/ContainerCommands.h"
#include "core/BinaryIO.h"
#include "core/FileIO.h"
#include "core/MainWindowHandlers.h"
#include "dialogs/DialogCommands.h"
#include "grid/GridCommands.h"
#include "grid/GridInput.h"
#include "grid/LoadingLoop.h"
#include "grid/NewCommand.h"

#include <QTest>

namespace quorbell::test {

bool writeTestAlbum(const QString& path, quint32 seed, const QString& password)
{
    tools::AlbumSpec album;
    if (!password.isEmpty())
        album.password = storedPasswordForm(password);
    const QByteArray jpeg = tools::makeSamplePhoto(QSize(160, 120), seed, tools::PhotoFormat::Jpeg);
    album.photos.append(*tools::photoFromBytes(QStringLiteral("IMG0001.JPG"), jpeg));
    const std::optional<tools::BuiltAlbum> built = tools::buildAlbum(album);
    return built && writeFileAtomically(path, built->bytes);
}

QString AlbumGridSession::albumName(int index)
{
    Q_ASSERT(index >= 0 && index < 26);
    return QChar(u'a' + index) + QStringLiteral(".sld");
}

AlbumGridSession::AlbumGridSession(int inGrid, int onDisk, bool save, QSize client)
{
    QStringList shown;
    for (int i = 0; i < onDisk; ++i) {
        if (!writeTestAlbum(path(albumName(i)), quint32(i + 1)))
            qFatal("album %d was not written", i);
        if (i < inGrid)
            shown << albumName(i);
    }
    w = makeWindow(client);
    registerGridCommands(*w);
    registerContainerCommands(*w);
    registerDialogCommands(*w);
    frmMain_Form_Load(*w, QString());
    if (!acceptNewDocument(*w, {folder(), shown, false}))
        qFatal("the new grid was refused");
    frmMain_Form_Activate(*w);
    if (!waitForMode(Mode::Shown))
        qFatal("the albums did not load");
    if (!save)
        return;
    prompts.answerText(path(QStringLiteral("x.cov")));
    if (!frmMain_mnuContnrAdd_Click(*w))
        qFatal("the container was not saved");
    prompts.clear();
}

AlbumGridSession::~AlbumGridSession()
{
    abortLoading(); // no work of this window's loads outlives it
    w.reset();
}

bool AlbumGridSession::waitForMode(qint16 mode) const
{
    return QTest::qWaitFor([this, mode] { return w->mode() == mode; }, 20000);
}

void AlbumGridSession::select(int index)
{
    const qint32 pos = w->document().entry(index).cellPos;
    frmMain_Form_MouseDown(*w, Qt::LeftButton, pairHigh(pos) + 5, pairLow(pos) + 5);
}

} // namespace quorbell::test
