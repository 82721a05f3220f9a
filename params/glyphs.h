#pragma once
// Small pictures of the editor drawn in code: the "EEPROM" button's two-state glyph.

#include <QIcon>

namespace vx52 {

QIcon eepromGlyph();

} // namespace vx52
