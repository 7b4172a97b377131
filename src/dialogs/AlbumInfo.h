// What the properties dialog shows: the open container file and the selected
// album, as texts, read from the document and the file system.
#pragma once

#include <QImage>
#include <QString>

namespace quorbell {

class AlbumDocument;

inline constexpr char kUndecided[] = QT_TRANSLATE_NOOP("AlbumInfo", "未確定");

struct AlbumInfoFields
{
    bool containerKnown = false; // mode 3 or 4 and a container path
    QString containerName;       // the path's last component
    QString containerSize;       // "##,##0KB"
    QString containerDate;       // "yyyy/MM/dd H:mm:ss"

    bool albumSelected = false; // mode 4
    QString number;             // selected index + 1
    QString baseName;           // the file name before its first "."; editable
    QString comment;            // editable
    QString size;
    QString date;
    QString thumbSize; // "100 x 100 ﾋﾟｸｾﾙ"
    QImage thumbnail;
};

// "未確定" stands wherever nothing applies; the two editable texts are then empty.
AlbumInfoFields albumInfoFields(const AlbumDocument& doc, qint16 mode);

} // namespace quorbell
