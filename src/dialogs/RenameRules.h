// Names of a batch rename: a common part, a running number in grid order and
// the old name's extension. Pure functions; the file work is in BatchRename.
#pragma once

#include <QString>

namespace quorbell {

enum class RenameNumberStyle {
    SameWidth = 0, // every number as wide as the album count needs, padded with zeros
    Growing = 1,   // numbers without leading zeros
};

// Digits of the zero-padded numbers: 1 up to 9 albums, 2 up to 99, 3 up to
// 999, 4 from 1000 on (numbers past 9999 keep all their digits).
int renameNumberWidth(int albumCount);

// The running number 1, 2, ... as it appears in a new name.
QString renameNumberText(int number, int albumCount, RenameNumberStyle style);

// The new file name of the album at a 0-based grid index: common part,
// number, then the old name's extension from its first "." (none when the old
// name has no "."). A hidden entry's "*" is not part of the file's name.
QString renameTargetName(const QString& common, int index, int albumCount, RenameNumberStyle style,
                         const QString& oldName);

} // namespace quorbell
