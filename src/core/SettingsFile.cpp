#include "core/SettingsFile.h"

#include "core/Cp932.h"
#include "core/FileIO.h"
#include "core/Settings.h"
#include "core/Paths.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <functional>
#include <optional>

namespace quorbell {
namespace {

std::optional<qint64> toNumber(const QString& value, qint64 min, qint64 max)
{
    bool ok = false;
    const qint64 v = value.trimmed().toLongLong(&ok);
    if (!ok || v < min || v > max)
        return std::nullopt;
    return v;
}

std::optional<bool> toBool(const QString& value)
{
    if (value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (value.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

QString boolText(bool b)
{
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

// A text value that the file can hold exactly; otherwise empty, so a path is
// forgotten rather than stored as a different path.
QString storable(const QString& value)
{
    return cp932::canEncode(value) ? value : QString();
}

QList<QByteArray> splitLines(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final CR LF ends the last line; it does not start one
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

QByteArray joinLines(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + "\r\n";
    return out;
}

// The settings file, written whole; its folder is made on first use.
bool saveSettingsFile(const QByteArray& bytes)
{
    return writeFileAtomically(settingsFilePath(), bytes, nullptr, {.makeParentFolder = true});
}

} // namespace

void applyDefaultSettings(Settings& g)
{
    g.flags &= ~Flag::SettingsBits;
    g.flags |=
        Flag::CommentDefault | Flag::CoverSetting | Flag::AutoAdvance | Flag::PhotoName | Flag::Fit;
    g.viewerOptions &= ~ViewerOpt::SettingsBits;
    g.fontStyle &= ~FontStyle::SettingsBits;
    g.pendingThumbSize = 80;
    g.pendingComment = *commentMetricsFor(80);
    g.selectionColour = RgbValue::fromRgb(255, 0, 0);
    g.coverImagePath.clear();
    g.interval = 3;
    g.nameFontName = QStringLiteral("IPAGothic");
    g.nameFontSize = 14;
    g.nameFontColour = RgbValue::fromRgb(255, 255, 255);
    g.chooserFolder.clear();
    g.containerFolder.clear();
    g.windowHeightTwips = 600 * kTwipsPerPixel;
    g.windowWidthTwips = 800 * kTwipsPerPixel;
}

SettingsReadEffects applySettingsText(const QString& text, Settings& g)
{
    applyDefaultSettings(g);
    SettingsReadEffects effects;

    // A boolean that does not convert leaves the bit as it stands.
    const auto flagBit = [&](const QString& v, quint16 bit) {
        if (const std::optional<bool> on = toBool(v))
            g.set(bit, *on);
    };
    const auto byteBit = [](const QString& v, quint8& byte, quint8 bit) {
        if (const std::optional<bool> on = toBool(v))
            byte = *on ? byte | bit : byte & ~bit;
    };

    using Handler = std::function<void(const QString&)>;
    const QList<QPair<QLatin1String, Handler>> handlers = {
        {QLatin1String("optThumbSize="),
         [&](const QString& v) {
             if (const auto n = toNumber(v, -32768, 32767)) {
                 // Only the seven sizes exist; any other number takes the largest.
                 const int size = commentMetricsFor(int(*n)) ? int(*n) : 120;
                 g.pendingThumbSize = qint16(size);
                 g.pendingComment = *commentMetricsFor(size);
             }
         }},
        {QLatin1String("optPassword="),
         [&](const QString& v) { flagBit(v, Flag::PasswordSetting); }},
        {QLatin1String("optComment="), [&](const QString& v) { flagBit(v, Flag::CommentDefault); }},
        {QLatin1String("dlgSelColor="),
         [&](const QString& v) {
             if (const auto n = toNumber(v, INT32_MIN, INT32_MAX))
                 g.selectionColour = qint32(*n);
         }},
        {QLatin1String("optCover="), [&](const QString& v) { flagBit(v, Flag::CoverSetting); }},
        {QLatin1String("optCover1st="), [&](const QString& v) { flagBit(v, Flag::CoverFirst); }},
        {QLatin1String("txtFileName="), [&](const QString& v) { g.coverImagePath = v; }},
        {QLatin1String("optDispAuto="), [&](const QString& v) { flagBit(v, Flag::AutoAdvance); }},
        {QLatin1String("optInterval="),
         [&](const QString& v) {
             if (const auto n = toNumber(v, 0, 255))
                 g.interval = quint8(*n);
         }},
        {QLatin1String("optDispCont="), [&](const QString& v) { flagBit(v, Flag::Endless); }},
        {QLatin1String("optDispName="), [&](const QString& v) { flagBit(v, Flag::PhotoName); }},
        {QLatin1String("optSizeMax="), [&](const QString& v) { flagBit(v, Flag::Fit); }},
        {QLatin1String("optRange="),
         [&](const QString& v) { byteBit(v, g.viewerOptions, ViewerOpt::Range); }},
        // Only "True" acts: the False line is spelled "optFullsize=" and never matches.
        {QLatin1String("optFullSize="),
         [&](const QString& v) {
             if (toBool(v) == true)
                 g.viewerOptions |= ViewerOpt::FullSize;
         }},
        {QLatin1String("dlgFontName="),
         [&](const QString& v) {
             if (!v.trimmed().isEmpty())
                 g.nameFontName = v;
         }},
        {QLatin1String("dlgFontSize="),
         [&](const QString& v) {
             // A name line needs a real point size to be drawn at all.
             if (const auto n = toNumber(v, 1, 999))
                 g.nameFontSize = qint16(*n);
         }},
        {QLatin1String("dlgFontColor="),
         [&](const QString& v) {
             if (const auto n = toNumber(v, INT32_MIN, INT32_MAX))
                 g.nameFontColour = qint32(*n);
         }},
        {QLatin1String("dlgFontBold="),
         [&](const QString& v) { byteBit(v, g.fontStyle, FontStyle::Bold); }},
        {QLatin1String("dlgFontItalic="),
         [&](const QString& v) { byteBit(v, g.fontStyle, FontStyle::Italic); }},
        {QLatin1String("dlgFontStrikeThru="),
         [&](const QString& v) { byteBit(v, g.fontStyle, FontStyle::StrikeThru); }},
        {QLatin1String("dlgFontUnderLine="),
         [&](const QString& v) { byteBit(v, g.fontStyle, FontStyle::UnderLine); }},
        {QLatin1String("dlgNew="), [&](const QString& v) { g.chooserFolder = v; }},
        {QLatin1String("dlgAdd="), [&](const QString& v) { g.containerFolder = v; }},
        {QLatin1String("frmHeight="),
         [&](const QString& v) {
             if (const auto n = toNumber(v, 1, INT32_MAX)) {
                 g.windowHeightTwips = qint32(*n);
                 effects.windowSizeRead = true;
             }
         }},
        {QLatin1String("frmWidth="),
         [&](const QString& v) {
             if (const auto n = toNumber(v, 1, INT32_MAX)) {
                 g.windowWidthTwips = qint32(*n);
                 effects.windowSizeRead = true;
             }
         }},
    };

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq + 1);
        const QString value = line.mid(eq + 1);
        for (const auto& [name, apply] : handlers) {
            if (key == name) {
                apply(value);
                break;
            }
        }
    }
    if (g.coverImagePath.isEmpty())
        g.coverImagePath = defaultCoverPath(g);
    effects.coverSwitchedOff = !g.has(Flag::CoverSetting);
    return effects;
}

QByteArray buildSettingsFile(const Settings& g)
{
    const bool fit = g.has(Flag::Fit);
    const bool fullSize = fit && (g.viewerOptions & ViewerOpt::FullSize);
    const QStringList lines = {
        QStringLiteral("[Quorbell]"),
        QString(),
        QStringLiteral("[基本設定]"),
        QStringLiteral("optThumbSize=") + QString::number(g.pendingThumbSize),
        QStringLiteral("optPassword=") + boolText(g.has(Flag::PasswordSetting)),
        QStringLiteral("optComment=") + boolText(g.has(Flag::CommentDefault)),
        QStringLiteral("dlgSelColor=") + QString::number(g.selectionColour),
        QString(),
        QStringLiteral("[カバー設定]"),
        QStringLiteral("optCover=") + boolText(g.has(Flag::CoverSetting)),
        QStringLiteral("optCover1st=") + boolText(g.has(Flag::CoverFirst)),
        QStringLiteral("txtFileName=") + storable(g.coverImagePath),
        QString(),
        QStringLiteral("[スライドショー設定]"),
        QStringLiteral("optDispAuto=") + boolText(g.has(Flag::AutoAdvance)),
        QStringLiteral("optInterval=") + QString::number(g.interval),
        QStringLiteral("optDispCont=") + boolText(g.has(Flag::Endless)),
        QStringLiteral("optDispName=") + boolText(g.has(Flag::PhotoName)),
        QStringLiteral("optSizeMax=") + boolText(fit),
        QStringLiteral("optRange=") + boolText(g.viewerOptions & ViewerOpt::Range),
        fullSize ? QStringLiteral("optFullSize=True") : QStringLiteral("optFullsize=False"),
        QString(),
        QStringLiteral("dlgFontName=") + storable(g.nameFontName),
        QStringLiteral("dlgFontSize=") + QString::number(g.nameFontSize),
        QStringLiteral("dlgFontColor=") + QString::number(g.nameFontColour),
        QStringLiteral("dlgFontBold=") + boolText(g.fontStyle & FontStyle::Bold),
        QStringLiteral("dlgFontItalic=") + boolText(g.fontStyle & FontStyle::Italic),
        QStringLiteral("dlgFontStrikeThru=") + boolText(g.fontStyle & FontStyle::StrikeThru),
        QStringLiteral("dlgFontUnderLine=") + boolText(g.fontStyle & FontStyle::UnderLine),
        QString(),
        QStringLiteral("[作業ディレクトリ]"),
        QStringLiteral("dlgNew=") + storable(g.chooserFolder),
        QStringLiteral("dlgAdd=") + storable(g.containerFolder),
        QString(),
        QStringLiteral("[フォームサイズ]"),
        QStringLiteral("frmHeight=") + QString::number(g.windowHeightTwips),
        QStringLiteral("frmWidth=") + QString::number(g.windowWidthTwips),
    };
    QByteArray out;
    for (const QString& line : lines)
        out += cp932::encodeLossy(line) + "\r\n";
    return out;
}

QByteArray defaultSettingsFile()
{
    Settings g;
    applyDefaultSettings(g);
    // An empty cover path stands for the data folder's Image.bmp wherever it is installed.
    return buildSettingsFile(g);
}

QByteArray replaceSettingLines(const QByteArray& file,
                               const QList<QPair<QByteArray, QString>>& keyValues)
{
    QList<QByteArray> lines = splitLines(file);
    for (QByteArray& line : lines) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq + 1);
        for (const auto& [k, value] : keyValues) {
            if (key != k)
                continue;
            if (const std::optional<QByteArray> bytes = cp932::encodeExact(value))
                line = key + *bytes;
            break;
        }
    }
    return joinLines(lines);
}

QColor colourFromRgbValue(qint32 value)
{
    return QColor(RgbValue::red(value), RgbValue::green(value), RgbValue::blue(value));
}

qint32 rgbValueFromColour(const QColor& colour)
{
    return RgbValue::fromRgb(colour.red(), colour.green(), colour.blue());
}

QString defaultCoverPath(const Settings& g)
{
    return g.programFolder + QString::fromLatin1(kImageBmpName);
}

QString settingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quorbell/Quorbell.ini");
}

SettingsFileRead loadSettingsFile()
{
    const QString path = settingsFilePath();
    QFile f;
    switch (openRegularFile(f, path)) {
    case OpenResult::Opened:
        break;
    case OpenResult::Missing:
        // A link to nothing is still something the user put there.
        return {QFileInfo(path).isSymLink() ? SettingsFileRead::Refused : SettingsFileRead::Missing,
                {}};
    case OpenResult::NotAFile:
    case OpenResult::Unreadable:
        return {SettingsFileRead::Refused, {}};
    }
    if (f.size() > kMaxSettingsFileBytes)
        return {SettingsFileRead::Refused, {}};
    // One byte past the limit tells a file that grew since it was measured.
    QByteArray bytes;
    while (bytes.size() <= kMaxSettingsFileBytes) {
        const QByteArray chunk = f.read(kMaxSettingsFileBytes + 1 - bytes.size());
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (f.error() != QFileDevice::NoError || bytes.size() > kMaxSettingsFileBytes)
        return {SettingsFileRead::Refused, {}};
    return {SettingsFileRead::Read, bytes};
}

bool settingsFileExists()
{
    const QFileInfo info(settingsFilePath());
    return info.exists() || info.isSymLink();
}

bool ensureSettingsFile()
{
    return settingsFileExists() || saveSettingsFile(defaultSettingsFile());
}

SettingsReadEffects readSettings(Settings& g)
{
    const SettingsFileRead file = loadSettingsFile();
    if (file.state == SettingsFileRead::Read)
        return applySettingsText(cp932::decode(file.bytes), g);
    // No readable file: the values stay as they are, but the cover still has its default.
    if (g.coverImagePath.isEmpty())
        g.coverImagePath = defaultCoverPath(g);
    return {};
}

bool writeAllSettings(const Settings& g)
{
    return saveSettingsFile(buildSettingsFile(g));
}

namespace {
bool updateLines(const QList<QPair<QByteArray, QString>>& keyValues)
{
    const SettingsFileRead file = loadSettingsFile();
    if (file.state != SettingsFileRead::Read)
        return false;
    return saveSettingsFile(replaceSettingLines(file.bytes, keyValues));
}
} // namespace

bool updateWindowSize(int heightTwips, int widthTwips)
{
    return updateLines(
        {{"frmHeight=", QString::number(heightTwips)}, {"frmWidth=", QString::number(widthTwips)}});
}

bool updateWorkFolders(const QString& chooserFolder, const QString& containerFolder)
{
    return updateLines({{"dlgNew=", chooserFolder}, {"dlgAdd=", containerFolder}});
}

} // namespace quorbell
