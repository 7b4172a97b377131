// The settings file: code page 932 text with CR LF line ends, "key=value"
// lines under section headers. The reader applies it to the shared state; the
// full writer lays out every line; the two updaters replace only their keys'
// lines and keep every other byte of the file.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QPair>
#include <QString>

namespace quorbell {

struct GlobalState;

// What a read asks of the window beyond the state itself.
struct SettingsReadEffects
{
    bool coverSwitchedOff = false; // an "optCover=False" line was read
    bool windowSizeRead = false;   // frmHeight or frmWidth was read
};

// Applies the text of a settings file to the state: clears the settings bits
// first, then applies each known "key=value" line in order. A value that does
// not convert leaves its setting as it was.
SettingsReadEffects applySettingsText(const QString& text, GlobalState& g);

// The whole file as the settings dialog writes it, from the state.
QByteArray buildSettingsFile(const GlobalState& g);

// The file of a fresh installation.
QByteArray defaultSettingsFile();

// Replaces the value of every line whose key (text up to and including the
// first "=") is one of the given keys; lines end in CR LF, the last one too.
// A value without an exact code page 932 form leaves its line as it was.
QByteArray replaceSettingLines(const QByteArray& file,
                               const QList<QPair<QByteArray, QString>>& keyValues);

// $XDG_CONFIG_HOME/Quorbell/Quorbell.ini
QString settingsFilePath();

// File operations. Writes go through a temporary file renamed over the old one.
bool settingsFileExists();
bool ensureSettingsFile(); // creates the default file when there is none
SettingsReadEffects readSettings(GlobalState& g);
bool writeAllSettings(const GlobalState& g);
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
QString defaultCoverPath(const GlobalState& g);

inline constexpr int kTwipsPerPixel = 15;

} // namespace quorbell
