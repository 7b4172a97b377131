// Text, font and geometry of the viewer's photo name line.
#include "viewer/PhotoNameLine.h"

#include "core/TextRules.h"

#include "core/GlobalState.h"
#include "core/SettingsFile.h"

namespace quorbell::viewer {

namespace {
// The line is this much taller than the font size, and sits this far above
// the bottom edge of the screen.
constexpr int kLineMargin = 20;
} // namespace

QColor PhotoNameLine::colour() const
{
    return colourFromRgbValue(style.colour);
}

QFont PhotoNameLine::font() const
{
    QFont f;
    f.setFamily(style.fontName);
    if (style.fontSize > 0)
        f.setPointSize(style.fontSize);
    f.setBold(style.bold);
    f.setItalic(style.italic);
    f.setStrikeOut(style.strikeThru);
    f.setUnderline(style.underLine);
    return f;
}

PhotoNameLine makePhotoNameLine(int selectedIndex, const QString& comment, const QString& photoName,
                                int screenHeight, const NameLineStyle& style)
{
    PhotoNameLine line;
    line.text = QString::number(selectedIndex + 1) + QStringLiteral("\uFF1A ") + comment +
                QStringLiteral(" - ") + nameBeforeFirstDot(photoName);
    line.height = style.fontSize + kLineMargin;
    line.top = screenHeight - style.fontSize - kLineMargin;
    line.style = style;
    return line;
}

NameLineStyle nameLineStyleFrom(const GlobalState& g)
{
    NameLineStyle s;
    s.fontName = g.nameFontName;
    s.fontSize = g.nameFontSize;
    s.colour = g.nameFontColour;
    s.bold = (g.fontStyle & FontStyle::Bold) != 0;
    s.italic = (g.fontStyle & FontStyle::Italic) != 0;
    s.strikeThru = (g.fontStyle & FontStyle::StrikeThru) != 0;
    s.underLine = (g.fontStyle & FontStyle::UnderLine) != 0;
    return s;
}

std::optional<PhotoNameLine> photoNameLineFor(const GlobalState& g, int photoIndex)
{
    if (!g.has(Flag::PhotoName))
        return std::nullopt;
    if (g.selectedIndex < 0 || g.selectedIndex >= g.albums.size())
        return std::nullopt;
    if (photoIndex < 0 || photoIndex >= g.photoNames.size())
        return std::nullopt;
    return makePhotoNameLine(g.selectedIndex, g.albums.at(g.selectedIndex).comment,
                             g.photoNames.at(photoIndex), g.screenHeight, nameLineStyleFrom(g));
}

} // namespace quorbell::viewer
