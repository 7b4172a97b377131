// The settings held in memory: what the settings file stores, read and
// written by SettingsFile. The application's main window owns the one value.
#pragma once

#include "core/CommentMetrics.h"

#include <QString>

namespace quorbell {

// Bits of the settings flag word.
namespace Flag {
inline constexpr quint16 CommentDefault = 0x0200;  // optComment
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

struct Settings
{
    quint16 flags = 0; // Flag bits
    quint8 viewerOptions = 0;
    quint8 fontStyle = 0;
    qint16 pendingThumbSize = 0;   // optThumbSize: the cell size of the next new grid
    CommentMetrics pendingComment; // the strip that goes with it
    quint8 interval = 0;           // optInterval, 1 to 6
    qint32 selectionColour = 0;    // dlgSelColor, 0x00BBGGRR
    QString coverImagePath;        // txtFileName (resolved: never empty after a read)
    QString nameFontName;          // dlgFontName
    qint16 nameFontSize = 0;       // dlgFontSize, points
    qint32 nameFontColour = 0;     // dlgFontColor, 0x00BBGGRR
    QString chooserFolder;         // dlgNew
    QString containerFolder;       // dlgAdd
    qint32 windowHeightTwips = 0;  // frmHeight
    qint32 windowWidthTwips = 0;   // frmWidth
    // The data folder the default cover is found in; set at start, not stored.
    QString programFolder;

    bool has(quint16 flag) const { return (flags & flag) != 0; }
    void set(quint16 flag, bool on = true) { flags = on ? (flags | flag) : (flags & ~flag); }
    void clear(quint16 flag) { set(flag, false); }
};

} // namespace quorbell
