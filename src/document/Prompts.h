// Every modal question the program asks goes through this interface: message
// boxes, file dialogs, password prompts, colour and font choosers, album
// choosers. The program uses the Qt implementation; tests use one that
// answers from a script and records what was asked.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quorbell {

enum class MsgIcon { Information, Warning, Question };
enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgAnswer { Ok, Cancel, Yes, No, Extra };

struct MessageRequest
{
    QString text;
    QString title;
    MsgIcon icon = MsgIcon::Information;
    MsgButtons buttons = MsgButtons::Ok;
    bool beep = true; // most messages beep first; a few are shown without
};

struct FileRequest
{
    QString title;
    QString folder; // starting folder; empty for the current one
    QString filter; // Qt form: "スライドファイル (*.cov);;すべてのファイル (*)"
    QString defaultSuffix; // save dialogs: appended when the name has none
};

enum class PasswordKind {
    Album,     // the album password prompt: masked, names the album file
    Container, // the container password prompt
};

struct PasswordRequest
{
    PasswordKind kind = PasswordKind::Album;
    QString fileName; // album prompts show the album file name
    bool masked = true;
};

struct FontChoice
{
    QString family;
    int pointSize = 0;
    QColor colour;
    bool bold = false, italic = false, strikeOut = false, underline = false;
    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

enum class ChooserKind {
    NewGrid, // the chooser that starts a new grid
    Insert,  // the chooser of the add-thumbnails command
};

struct AlbumChoice
{
    QString folder;           // ends in "/"
    QStringList names;        // in the order of the chooser's file list
    bool wholeFolder = false; // taken with the folder button
};

struct ChooserRequest
{
    ChooserKind kind = ChooserKind::NewGrid;
    QString startFolder;
    // Where the chooser goes back to when a place is not ready (the data folder).
    QString programFolder;
    // Called when the user accepts; returns true when the chooser may close.
    // It shows its own messages (nothing chosen) and keeps the chooser open by
    // returning false.
    std::function<bool(const AlbumChoice&)> accept;
};

class Prompts
{
public:
    virtual ~Prompts() = default;

    virtual MsgAnswer message(const MessageRequest& request) = 0;
    // The message with one more button, captioned `extraButton` and answered
    // with MsgAnswer::Extra; by default asked as the plain message.
    virtual MsgAnswer messageWithExtra(const MessageRequest& request, const QString& extraButton)
    {
        Q_UNUSED(extraButton);
        return message(request);
    }
    // Empty when the user cancels.
    virtual QString openFile(const FileRequest& request) = 0;
    virtual QString saveFile(const FileRequest& request) = 0;
    // Several files at once; empty when the user cancels. An implementation
    // that picks one file at a time answers with that one.
    virtual QStringList openFiles(const FileRequest& request)
    {
        const QString file = openFile(request);
        return file.isEmpty() ? QStringList() : QStringList{file};
    }
    // A folder (made in the dialog or existing); empty when the user cancels.
    // By default asked like a file to save, so scripted answers serve both.
    virtual QString chooseFolder(const FileRequest& request) { return saveFile(request); }
    // Nothing when the user cancels.
    virtual std::optional<QString> password(const PasswordRequest& request) = 0;
    virtual std::optional<QColor> colour(const QColor& initial) = 0;
    virtual std::optional<FontChoice> font(const FontChoice& initial) = 0;
    // Runs a chooser until its accept callback lets it close (true) or the user
    // cancels (false).
    virtual bool chooseAlbums(const ChooserRequest& request) = 0;

    // Shorthands for the common message forms.
    MsgAnswer inform(const QString& text, const QString& title)
    {
        return message({text, title, MsgIcon::Information, MsgButtons::Ok, true});
    }
    MsgAnswer warn(const QString& text, const QString& title)
    {
        return message({text, title, MsgIcon::Warning, MsgButtons::Ok, true});
    }
    bool askYesNo(const QString& text, const QString& title, bool beep = true)
    {
        return message({text, title, MsgIcon::Question, MsgButtons::YesNo, beep}) == MsgAnswer::Yes;
    }
};

// The program's current prompts implementation.
Prompts& prompts();
void setPrompts(Prompts* p);

} // namespace quorbell
