// The toolbar's pictures, drawn here so that they look the same on every
// desktop. "imgNo..." keys give the greyed picture of a disabled button.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace quorbell {

QIcon toolbarIcon(const QString& imageKey);
// One picture at a given edge in pixels (16 and 32 are in the icons).
QImage drawToolbarPicture(const QString& commandName, int edge, bool greyed);

} // namespace quorbell
