#include "album/frmPasswd2.h"

#include "document/AlbumDocument.h"
#include "document/CommonMessages.h"
#include "document/Prompts.h"

#include <QCoreApplication>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(AlbumPassword)
};
} // namespace

void frmPasswd2_btnOK_Click(AlbumDocument& doc, const QString& typed, const QString& path)
{
    doc.setEnteredPassword(storedPasswordForm(typed));
    if (!passwordMatches(doc.albumPassword(), doc.enteredPassword()))
        prompts().warn(withFilePath(Tr::tr("パスワードが一致しません。"), path), Tr::tr("開く"));
}

bool frmPasswd2_Show(AlbumDocument& doc, const QString& name, const QString& path)
{
    const std::optional<QString> typed = prompts().password({PasswordKind::Album, name, true});
    if (!typed)
        return false;
    frmPasswd2_btnOK_Click(doc, *typed, path);
    return true;
}

bool unlockAlbum(AlbumDocument& doc, const PasswordBytes& stored, const QString& name,
                 const QString& path)
{
    if (!hasPassword(stored))
        return true;
    doc.setAlbumPassword(stored);
    while (!passwordMatches(doc.albumPassword(), doc.enteredPassword())) {
        if (!frmPasswd2_Show(doc, name, path))
            return false;
    }
    return true;
}

} // namespace quorbell
