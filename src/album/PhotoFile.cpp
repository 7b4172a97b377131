#include "album/PhotoFile.h"

#include "core/PasswordForm.h"

#include <QFile>
#include <QFileInfo>

namespace quorbell::album {

PhotoFileResult readPhotoFile(const QString& path)
{
    PhotoFileResult result;
    QFile f;
    result.opened = openRegularFile(f, path);
    if (result.opened != OpenResult::Opened)
        return result;
    const QByteArray bytes = f.readAll();
    if (bytes.size() != f.size()) {
        result.shortRead = true;
        return result;
    }
    result.entry = newPhotoEntry(QFileInfo(path).fileName(), bytes, &result.error);
    return result;
}

bool isStorableNewPassword(const QString& text)
{
    return text.size() <= kPasswordLength && isValidPasswordText(text);
}

} // namespace quorbell::album
