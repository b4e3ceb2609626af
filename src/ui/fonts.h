#pragma once
// The window's fonts. The families are asked for by name and fontconfig substitutes
// what is installed (Liberation Sans for Arial, a CJK font for the log's font).

#include <QFont>

namespace reelvane::ui {

// Arial Black, 19 pixels, bold: the window font every control inherits.
QFont WindowFont();
// Arial in the given pixel height.
QFont ArialFont(int pixels, bool bold);
// "宋体", 12 pixels: the sector edits and the scan log.
QFont SongFont();
// Tahoma, 11 pixels: the balloon hints.
QFont HintFont();

}  // namespace reelvane::ui
