// The settings file: code page 932 text with CR LF line ends, "key=value"
// lines under section headers. The reader applies it to a Settings value; the
// full writer lays out every line; the two updaters replace only their keys'
// lines and keep every other byte of the file.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QPair>
#include <QString>

namespace quorbell {

struct Settings;

// What a read asks of the window beyond the state itself.
struct SettingsReadEffects
{
    bool coverSwitchedOff = false; // the cover setting ends off
    bool windowSizeRead = false;   // frmHeight or frmWidth was read
};

// Sets every setting to the value of a fresh installation; all other state
// stays. The cover path is left empty, which stands for the default picture.
void applyDefaultSettings(Settings& g);

// Applies the text of a settings file to the state: every setting starts from
// its default, then each known "key=value" line applies in order. A line whose
// value does not convert, or is out of its setting's range, is passed over, so
// a missing or unusable key leaves its setting at the default. The cell size
// is always one of the seven sizes; the cover path is never empty afterwards.
SettingsReadEffects applySettingsText(const QString& text, Settings& g);

// The whole file as the settings dialog writes it, from the state.
QByteArray buildSettingsFile(const Settings& g);

// The file of a fresh installation.
QByteArray defaultSettingsFile();

// Replaces the value of every line whose key (text up to and including the
// first "=") is one of the given keys; lines end in CR LF, the last one too.
// A value without an exact code page 932 form leaves its line as it was.
QByteArray replaceSettingLines(const QByteArray& file,
                               const QList<QPair<QByteArray, QString>>& keyValues);

// $XDG_CONFIG_HOME/Quorbell/Quorbell.ini
QString settingsFilePath();

// The settings file as found at its path.
struct SettingsFileRead
{
    enum State {
        Read,    // a regular file of at most kMaxSettingsFileBytes; its bytes follow
        Missing, // nothing at the path
        Refused, // something else: a pipe, a device, a folder, a link to nothing,
                 // an unreadable or too large file; it is never read nor replaced
    };
    State state = Missing;
    QByteArray bytes;
};

// The real file is under 1 KiB; anything larger is not a settings file.
inline constexpr qint64 kMaxSettingsFileBytes = 64 * 1024;

// Reads the file without ever blocking on a pipe or reading more than the limit.
SettingsFileRead loadSettingsFile();

// File operations. Writes go through a temporary file renamed over the old one.
bool settingsFileExists(); // anything at the path, also what a read refuses
bool ensureSettingsFile(); // creates the default file when there is none
// Applies the file when it can be read; otherwise the settings in memory stay.
SettingsReadEffects readSettings(Settings& g);
bool writeAllSettings(const Settings& g);
// The two updaters rewrite only a file they could read; a missing or refused
// file is left alone and they return false.
bool updateWindowSize(int heightTwips, int widthTwips);
bool updateWorkFolders(const QString& chooserFolder, const QString& containerFolder);

// Colours are stored as Windows RGB values, 0x00BBGGRR.
struct RgbValue
{
    static qint32 fromRgb(int r, int g, int b) { return qint32(r | g << 8 | b << 16); }
    static int red(qint32 v) { return v & 0xFF; }
    static int green(qint32 v) { return (v >> 8) & 0xFF; }
    static int blue(qint32 v) { return (v >> 16) & 0xFF; }
};

QColor colourFromRgbValue(qint32 value);
qint32 rgbValueFromColour(const QColor& colour);

// The cover picture when the settings name none: "Image.bmp" in the data folder.
QString defaultCoverPath(const Settings& g);

inline constexpr int kTwipsPerPixel = 15;

} // namespace quorbell
