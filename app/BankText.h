// How the bank's names read on the screen: the one Qt conversion of the stored
// name rule, the grid cell of a link or speed dial, and the numbered list line.
#pragma once

#include "Bank.h"

#include <QString>

#include <cstdint>

namespace zlv {

// A 13-byte name as text, one character per byte, up to its first zero byte;
// blanks are kept.
QString NameToText(const std::uint8_t (&name)[kNameLength]);

// Text of a grid cell that shows a link or speed dial: the preset's number and
// name, or three dots when it points at no preset.
QString PresetCellText(std::uint8_t presetIndex);

// A line of the preset list, and of the chain list right after a name edit: the
// number with two digits at least, a point, two blanks, the text.
QString NumberedLine(int number, const QString& text);

} // namespace zlv
