// The one record of state that every window and command shares: the open
// document, the grid's layout values, the interface mode, the flag word, the
// command state word, the settings, the paths, the pictures, the password
// buffers, the internal clipboard and the viewer's per-album tables.
// It is owned by the UI thread; worker threads never touch it.
#pragma once

#include "core/DateVariant.h"
#include "core/PasswordForm.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quorbell {

// Interface modes.
namespace Mode {
inline constexpr qint16 Empty = 0;        // no document, or loading abandoned
inline constexpr qint16 Chosen = 1;       // albums chosen; loading starts on activation
inline constexpr qint16 Loading = 2;      // the loading loop runs
inline constexpr qint16 Shown = 3;        // grid shown, nothing selected
inline constexpr qint16 Selected = 4;     // grid shown, an entry selected
inline constexpr qint16 ViewerOffset = 3; // the viewer adds 3 while it runs (6, 7)
} // namespace Mode

// Bits of the flag word.
namespace Flag {
inline constexpr quint16 Modified = 0x8000;
inline constexpr quint16 CoverView = 0x4000;
inline constexpr quint16 ClipboardFilled = 0x2000;
inline constexpr quint16 GridSource = 0x1000; // built from album files, not read from a container
inline constexpr quint16 DialogOK = 0x0800;
inline constexpr quint16 Random = 0x0400;
inline constexpr quint16 CommentDefault = 0x0200; // optComment
inline constexpr quint16 CommentToggle = 0x0100;
inline constexpr quint16 PasswordSetting = 0x0080; // optPassword
inline constexpr quint16 CoverSetting = 0x0040;    // optCover
inline constexpr quint16 CoverFirst = 0x0020;      // optCover1st
inline constexpr quint16 AutoAdvance = 0x0010;     // optDispAuto
inline constexpr quint16 Endless = 0x0008;         // optDispCont
inline constexpr quint16 PhotoName = 0x0004;       // optDispName
inline constexpr quint16 Fit = 0x0002;             // optSizeMax
// The bits rebuilt from the settings file each time it is read.
inline constexpr quint16 SettingsBits = 0x02FE;
} // namespace Flag

// Bits of the command state word: set while the toolbar button is enabled.
namespace Cmd {
inline constexpr quint16 Save = 0x1000;
inline constexpr quint16 Cut = 0x0800;
inline constexpr quint16 Copy = 0x0400;
inline constexpr quint16 Paste = 0x0200;
inline constexpr quint16 Delete = 0x0100;
inline constexpr quint16 Insert = 0x0080;
inline constexpr quint16 Rename = 0x0010;
inline constexpr quint16 Slide = 0x0004;
inline constexpr quint16 Random = 0x0002;
inline constexpr quint16 Cover = 0x0001;
inline constexpr quint16 AtStart = 0x1FFF;
} // namespace Cmd

// Bits of the viewer option byte.
namespace ViewerOpt {
inline constexpr quint8 Range = 0x80;    // optRange: the slideshow runs over the whole container
inline constexpr quint8 FullSize = 0x40; // optFullSize: small photos are enlarged too
inline constexpr quint8 SettingsBits = 0xC0;
} // namespace ViewerOpt

// Bits of the name font style byte.
namespace FontStyle {
inline constexpr quint8 Bold = 0x80;
inline constexpr quint8 Italic = 0x40;
inline constexpr quint8 StrikeThru = 0x20;
inline constexpr quint8 UnderLine = 0x10;
inline constexpr quint8 SettingsBits = 0xF0;
} // namespace FontStyle

// The comment strip under each cell, which follows the cell size.
struct CommentMetrics
{
    qint16 stripHeight = 0; // pixels
    qint16 fontSize = 0;    // points
    qint16 widthLimit = 0;  // half-width columns
    friend bool operator==(const CommentMetrics&, const CommentMetrics&) = default;
};

// The seven cell sizes and their strip values; nothing for any other size.
std::optional<CommentMetrics> commentMetricsFor(int cellSize);
inline constexpr int kCellSizes[] = {60, 70, 80, 90, 100, 110, 120};

// The most albums a document holds: counts and indices are 16-bit.
inline constexpr int kMaxAlbums = 32767;

// One album of the document. Keeping every per-album value in one entry means
// the sequences can never disagree in length or order.
struct AlbumEntry
{
    QString fileName;     // with extension, without folder; a leading "*" marks a hidden entry
    QString comment;      // drawn under the thumbnail
    qint32 thumbSize = 0; // packed width*65536+height of the picture before it was fitted
    qint32 cellPos = 0;   // packed x*65536+y of the cell, recorded when drawn
    QImage thumbnail;     // fitted to the cell, 24-bit (ThumbnailFormat.h); null: album unreadable
    qint32 fileSize = 0;  // bytes
    DateVariant fileDate; // last-modified local date-time of the album file

    bool isHidden() const { return fileName.startsWith(QLatin1Char('*')); }
};

struct GlobalState
{
    // The document.
    QList<AlbumEntry> albums;
    qint16 albumCount() const { return qint16(albums.size()); }

    // Counts, indices and layout.
    qint16 loadIndex = 0;
    qint16 hiddenCount = 0;
    qint16 selectedIndex = 0;
    qint16 firstDrawnIndex = 0;
    qint16 lastDrawnIndex = 0;
    qint16 entriesBelow = 0;
    qint16 cellsInRow = 0;
    qint16 columnsPerRow = 0;
    qint16 rowsBelow = 0;
    qint16 cursorX = 0;
    qint16 cursorY = 0;
    qint16 cellSize = 0;
    qint16 pendingThumbSize = 0;
    CommentMetrics comment;
    CommentMetrics pendingComment;

    qint16 mode = Mode::Empty;
    quint16 flags = 0;
    quint16 commandState = 0;
    quint8 viewerOptions = 0;
    quint8 fontStyle = 0;

    // Settings held in memory.
    quint8 interval = 0;          // optInterval, 1 to 6
    qint32 selectionColour = 0;   // dlgSelColor, 0x00BBGGRR
    QString coverImagePath;       // txtFileName (resolved: never empty after a read)
    QString nameFontName;         // dlgFontName
    qint16 nameFontSize = 0;      // dlgFontSize, points
    qint32 nameFontColour = 0;    // dlgFontColor, 0x00BBGGRR
    QString chooserFolder;        // dlgNew
    QString containerFolder;      // dlgAdd
    qint32 windowHeightTwips = 0; // frmHeight
    qint32 windowWidthTwips = 0;  // frmWidth

    // Paths. Folders end in "/".
    QString programFolder; // the data folder: Image.bmp, help pages
    QString containerPath;
    QString albumFolder;
    QString tempFolder;
    QString workImageFile;
    QString insertFolder;
    QStringList insertFileNames;

    // Pictures and sizes.
    QImage currentPicture;
    qint16 pictureWidth = 0;
    qint16 pictureHeight = 0;
    QImage coverPicture;
    qint16 coverWidth = 0;
    qint16 coverHeight = 0;
    qint16 screenWidth = 0;
    qint16 screenHeight = 0;

    // Password buffers, all in the stored form.
    PasswordBytes containerPassword{};
    PasswordBytes albumPassword{};
    PasswordBytes enteredPassword{};

    // The internal clipboard: one entry.
    AlbumEntry clipboard;

    // The viewer's tables for the album being shown.
    QString viewerAlbumPath;
    qint16 viewerPhotoCount = 0;
    qint16 viewerPhotoIndex = 0;
    QStringList photoNames;
    QList<qint32> photoSizes;
    QList<qint32> photoPositions; // 1-based byte positions in the album file
    QList<qint32> photoLengths;

    // Flag helpers.
    bool has(quint16 flag) const { return (flags & flag) != 0; }
    void set(quint16 flag, bool on = true) { flags = on ? (flags | flag) : (flags & ~flag); }
    void clear(quint16 flag) { set(flag, false); }
    bool dialogOK() const { return has(Flag::DialogOK); }

    // Comment strips are drawn when exactly one of the setting and the toggle is set.
    bool commentsShown() const { return has(Flag::CommentDefault) != has(Flag::CommentToggle); }
    bool isViewerRunning() const { return mode > Mode::Selected; }
    // The grid is shown, with or without a selected entry.
    bool isGridShown() const { return mode == Mode::Shown || mode == Mode::Selected; }

    // Entries that are not hidden.
    qint16 shownCount() const { return qint16(albumCount() - hiddenCount); }
    QString albumPath(int index) const { return albumFolder + albums.at(index).fileName; }
};

// The program's one record. Tests reset it with resetGlobalState().
GlobalState& stdGlobal();
void resetGlobalState();

} // namespace quorbell
