#include "album/frmPasswd2.h"

#include "core/GlobalState.h"
#include "core/Prompts.h"

namespace quorbell {

void frmPasswd2_btnOK_Click(const QString& typed)
{
    GlobalState& g = stdGlobal();
    g.enteredPassword = storedPasswordForm(typed);
    if (!passwordMatches(g.albumPassword, g.enteredPassword))
        prompts().warn(QStringLiteral("パスワードが一致しません。\r\n") + g.viewerAlbumPath,
                       QStringLiteral("開く"));
    g.set(Flag::DialogOK);
}

void frmPasswd2_btnCancel_Click()
{
    stdGlobal().clear(Flag::DialogOK);
}

void frmPasswd2_Show(const QString& name)
{
    const std::optional<QString> typed = prompts().password({PasswordKind::Album, name, true});
    if (typed)
        frmPasswd2_btnOK_Click(*typed);
    else
        frmPasswd2_btnCancel_Click();
}

bool unlockAlbum(const PasswordBytes& stored, const QString& name, const QString& path)
{
    GlobalState& g = stdGlobal();
    if (!hasPassword(stored))
        return true;
    g.albumPassword = stored;
    while (!passwordMatches(g.albumPassword, g.enteredPassword)) {
        g.viewerAlbumPath = path;
        frmPasswd2_Show(name);
        if (!g.dialogOK())
            return false;
    }
    return true;
}

} // namespace quorbell
