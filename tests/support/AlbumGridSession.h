// A main window with the grid, container and dialog commands, in a private
// configuration, over real album files that the generators write into a
// temporary folder: a grid loaded from the first of them as New loads it,
// then saved as the container "x.cov" beside them unless asked not to (so
// the container edits, Insert among them, are offered).
#pragma once

#include "core/frmMain.h"

#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QTemporaryDir>

#include <memory>

namespace quorbell::test {

// An album file of one photo of 160 x 120 painted from `seed`, locked by
// `password` when it is not empty; false when it could not be written.
bool writeTestAlbum(const QString& path, quint32 seed, const QString& password = QString());

class AlbumGridSession
{
public:
    // `onDisk` albums "a.sld", "b.sld" ... in the folder; the first `inGrid`
    // of them shown. Stops the test program when the grid cannot be made.
    explicit AlbumGridSession(int inGrid, int onDisk, bool save = true,
                              QSize client = QSize(640, 480));
    ~AlbumGridSession();

    static QString albumName(int index); // "a.sld" for 0
    QString path(const QString& name) const { return dir.filePath(name); }
    QString folder() const { return dir.path() + QLatin1Char('/'); }
    // Waits (a bounded time) until the window reaches `mode`.
    bool waitForMode(qint16 mode) const;
    // A click into the cell of entry `index`.
    void select(int index);

    TestEnvironment env;
    ScriptedPrompts prompts;
    QTemporaryDir dir;
    std::unique_ptr<frmMain> w;
};

} // namespace quorbell::test
