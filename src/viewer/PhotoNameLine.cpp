// Text, font and geometry of the viewer's photo name line.
#include "viewer/PhotoNameLine.h"

#include "core/TextRules.h"

#include "core/AlbumDocument.h"
#include "core/Settings.h"
#include "core/ViewerState.h"
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

NameLineStyle nameLineStyleFrom(const Settings& st)
{
    NameLineStyle s;
    s.fontName = st.nameFontName;
    s.fontSize = st.nameFontSize;
    s.colour = st.nameFontColour;
    s.bold = (st.fontStyle & FontStyle::Bold) != 0;
    s.italic = (st.fontStyle & FontStyle::Italic) != 0;
    s.strikeThru = (st.fontStyle & FontStyle::StrikeThru) != 0;
    s.underLine = (st.fontStyle & FontStyle::UnderLine) != 0;
    return s;
}

std::optional<PhotoNameLine> photoNameLineFor(const ShowInputs& w, int photoIndex)
{
    const AlbumDocument& doc = w.document;
    const Settings& st = w.settings;
    const ViewerState& vs = w.viewerState;
    if (!st.has(Flag::PhotoName))
        return std::nullopt;
    if (doc.selectedIndex() < 0 || doc.selectedIndex() >= doc.albumCount())
        return std::nullopt;
    if (photoIndex < 0 || photoIndex >= vs.photoNames.size())
        return std::nullopt;
    return makePhotoNameLine(doc.selectedIndex(), doc.entry(doc.selectedIndex()).comment,
                             vs.photoNames.at(photoIndex), w.screen.height(),
                             nameLineStyleFrom(st));
}

} // namespace quorbell::viewer
