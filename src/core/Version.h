// The program's version text, as shown in the version box and written into
// container files after their magic.
#pragma once

namespace quorbell {
inline constexpr char kVersionText[] = "2.50";
inline constexpr char kProgramName[] = "Quorbell";
} // namespace quorbell
