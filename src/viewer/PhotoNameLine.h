// The line under a photo in the viewer: album number, comment and photo name,
// with its font and its place along the bottom edge of the screen.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

namespace quorbell {

namespace viewer {

struct NameLineStyle
{
    QString fontName;  // dlgFontName
    int fontSize = 0;  // dlgFontSize, points
    qint32 colour = 0; // dlgFontColor, 0x00BBGGRR
    bool bold = false;
    bool italic = false;
    bool strikeThru = false;
    bool underLine = false;
};

struct PhotoNameLine
{
    QString text;
    int top = 0;    // pixels from the top of the screen
    int height = 0; // pixels
    NameLineStyle style;

    QColor colour() const;
    // The font of the line; a size of 0 or less keeps the default size.
    QFont font() const;
};

// "3： 夏の旅行 - IMG0012" for the third album (index 2), its comment and the
// photo IMG0012.JPG; the line sits font size + 20 pixels high at the bottom.
PhotoNameLine makePhotoNameLine(int selectedIndex, const QString& comment, const QString& photoName,
                                int screenHeight, const NameLineStyle& style);

} // namespace viewer
} // namespace quorbell
