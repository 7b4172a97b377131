#include "cli/AlbumEditCommand.h"

#include "album/AlbumEditModel.h"
#include "album/AlbumFileReader.h"
#include "cli/AlbumCommands.h"
#include "cli/AlbumWriting.h"
#include "core/PasswordForm.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

namespace quorbell::cli {
namespace {

// The edits asked for. They are applied in a fixed order, whatever the order
// of the options: removals (numbered as the album is read), additions (at the
// end, in the order given), moves (one after the other, each numbered as the
// steps before left the album), hide and show (numbered as the final album),
// then the password.
struct EditPlan
{
    QList<int> removals;
    QStringList additions;
    QList<std::pair<int, int>> moves;
    QList<int> hides;
    QList<int> shows;
    std::optional<QString> newPassword;
    bool dropPassword = false;
    std::optional<QString> currentPassword;

    bool changesSomething() const
    {
        return !removals.isEmpty() || !additions.isEmpty() || !moves.isEmpty() ||
               !hides.isEmpty() || !shows.isEmpty() || newPassword || dropPassword;
    }
};

std::optional<int> photoIndex(const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0 || text.trimmed() != text)
        return std::nullopt;
    return n;
}

// The plan from the options; a usage problem when an option is malformed or
// the options contradict each other.
QString readPlan(const ParsedArgs& p, EditPlan& plan)
{
    for (const auto& [name, value] : p.options) {
        if (name == QLatin1String("--add")) {
            plan.additions << value;
        } else if (name == QLatin1String("--move")) {
            const QStringList parts = value.split(QLatin1Char(':'));
            const std::optional<int> from =
                parts.size() == 2 ? photoIndex(parts.at(0)) : std::nullopt;
            const std::optional<int> to =
                parts.size() == 2 ? photoIndex(parts.at(1)) : std::nullopt;
            if (!from || !to)
                return QStringLiteral("--move takes two photo indices, as in --move 3:0");
            plan.moves.append({*from, *to});
        } else if (name == QLatin1String("--password")) {
            if (const std::optional<QString> problem = newPasswordProblem(value))
                return *problem;
            plan.newPassword = value;
        } else if (name == QLatin1String("--no-password")) {
            plan.dropPassword = true;
        } else if (name == QLatin1String("--current-password")) {
            plan.currentPassword = value;
        } else {
            const std::optional<int> n = photoIndex(value);
            if (!n)
                return QStringLiteral("%1 takes a photo index counted from 0").arg(name);
            QList<int>& list = name == QLatin1String("--remove") ? plan.removals
                               : name == QLatin1String("--hide") ? plan.hides
                                                                 : plan.shows;
            if (list.contains(*n))
                return QStringLiteral("%1 %2 is given twice").arg(name).arg(*n);
            list << *n;
        }
    }
    if (plan.newPassword && plan.dropPassword)
        return QStringLiteral("--password and --no-password exclude each other");
    for (int n : std::as_const(plan.hides)) {
        if (plan.shows.contains(n))
            return QStringLiteral("photo %1 cannot be both hidden and shown").arg(n);
    }
    if (!plan.changesSomething())
        return QStringLiteral("no edit given");
    return QString();
}

int noSuchPhoto(const QString& path, const QString& option, int n, qsizetype count)
{
    return fail(kUsage, QStringLiteral("%1: %2 %3: no such photo (%4 photos at that step)")
                            .arg(path, option, QString::number(n), QString::number(count)));
}

// The plan applied to the album read from `path`, in the order EditPlan
// gives, through the same steps as the album editor takes.
int applyPlan(const QString& path, const EditPlan& plan, album::AlbumEditModel& album)
{
    QList<int> removals = plan.removals;
    // From the back, so that each index still means the photo it meant.
    std::sort(removals.begin(), removals.end(), std::greater<int>());
    for (int n : std::as_const(removals)) {
        if (n >= album.photoCount())
            return noSuchPhoto(path, QStringLiteral("--remove"), n, album.photoCount());
    }
    for (int n : std::as_const(removals))
        album.removePhoto(n);

    for (const QString& file : plan.additions) {
        album::AlbumEntry entry;
        if (const int status = readPhotoFile(file, entry); status != kDone)
            return status;
        if (!album.addPhoto(std::move(entry)))
            return fail(kUsage,
                        QStringLiteral("%1: an album holds at most 32767 photos").arg(path));
    }

    for (const auto& [from, to] : plan.moves) {
        for (int n : {from, to}) {
            if (n >= album.photoCount())
                return noSuchPhoto(path, QStringLiteral("--move"), n, album.photoCount());
        }
        album.movePhoto(from, to);
    }

    for (const auto& [option, hidden] :
         {std::pair{&plan.hides, true}, std::pair{&plan.shows, false}}) {
        for (int n : *option) {
            if (n >= album.photoCount())
                return noSuchPhoto(path,
                                   hidden ? QStringLiteral("--hide") : QStringLiteral("--show"), n,
                                   album.photoCount());
            if (!album.setPhotoHidden(n, hidden))
                return fail(kUsage, QStringLiteral("%1: photo %2: the name is too long to mark")
                                        .arg(path, QString::number(n)));
        }
    }

    if (album.photoCount() == 0)
        return fail(kUsage, QStringLiteral("%1: no photo would be left").arg(path));
    // Both were checked when the options were read.
    if (plan.newPassword)
        album.setPassword(*plan.newPassword);
    else if (plan.dropPassword)
        album.setPassword(QString());
    return kDone;
}

int runEdit(const QStringList& args)
{
    const ParsedArgs p =
        parseArgs(args, {QStringLiteral("--no-password")},
                  {QStringLiteral("--add"), QStringLiteral("--remove"), QStringLiteral("--move"),
                   QStringLiteral("--hide"), QStringLiteral("--show"), QStringLiteral("--password"),
                   QStringLiteral("--current-password")});
    if (!p.problem.isEmpty())
        return usage(kAlbumEditCommand, p.problem);
    if (p.positional.size() != 1)
        return usage(kAlbumEditCommand, QStringLiteral("one album file expected"));
    EditPlan plan;
    if (const QString problem = readPlan(p, plan); !problem.isEmpty())
        return usage(kAlbumEditCommand, problem);
    const QString& path = p.positional.constFirst();

    album::AlbumFileReader reader;
    if (const album::AlbumFailure opened = reader.open(path);
        opened.error != album::AlbumError::None)
        return albumFailure(path, opened);
    const PasswordBytes stored = reader.table().password;
    if (hasPassword(stored)) {
        if (!plan.currentPassword)
            return fail(kPasswordError,
                        QStringLiteral("%1: password required (--current-password)").arg(path));
        // The stored form holds one-byte characters only: any other cannot match.
        if (!isValidPasswordText(*plan.currentPassword) ||
            !passwordMatches(stored, storedPasswordForm(*plan.currentPassword)))
            return fail(kPasswordError, QStringLiteral("%1: wrong password").arg(path));
    }
    album::AlbumResult<album::AlbumContents> read = album::readAlbumContents(reader);
    if (!read)
        return albumFailure(path, read.failure());
    reader.close();

    album::AlbumEditModel album(std::move(read).value());
    if (const int status = applyPlan(path, plan, album); status != kDone)
        return status;
    return writeAlbum(path, album.contents());
}

} // namespace

const Command kAlbumEditCommand = {
    "album-edit",
    "FILE [--add PHOTO]... [--remove N]... [--move N:M]... [--hide N]... [--show N]... "
    "[--password TEXT | --no-password] [--current-password TEXT]",
    "changes an album file in place: removals (numbered as read), then additions at the end,\n"
    "      then moves one by one, then hide/show (numbered as the result), then the password",
    runEdit};

} // namespace quorbell::cli
