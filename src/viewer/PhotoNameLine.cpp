// Text, font and geometry of the viewer's photo name line.
#include "viewer/PhotoNameLine.h"

#include "core/TextRules.h"

#include "core/SettingsFile.h"

#include <QCoreApplication>

namespace quorbell::viewer {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(PhotoNameLine)
};
} // namespace

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
    // Album number, album comment, photo name.
    line.text =
        Tr::tr("%1： %2 - %3")
            .arg(QString::number(selectedIndex + 1), comment, nameBeforeFirstDot(photoName));
    line.height = style.fontSize + kLineMargin;
    line.top = screenHeight - style.fontSize - kLineMargin;
    line.style = style;
    return line;
}

} // namespace quorbell::viewer
