// The text of the version box: the program and version line, then three
// notice lines, each indented by seven blanks.
#pragma once

#include <QString>

namespace quorbell {

QString versionBoxText();
inline constexpr char kVersionTitle[] = QT_TRANSLATE_NOOP("VersionText", "バージョン情報");

} // namespace quorbell
