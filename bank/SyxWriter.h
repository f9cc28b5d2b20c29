// Writing the bank as .syx files: one preset for export, the whole bank for save.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zlv {

// The bytes of a .syx file as the message writers produce them, in order.
using SyxOutputStream = std::vector<std::uint8_t>;

// Writes PresetTable[CurrentPreset] as one preset message numbered FilePresetNumber.
// 0 written; 1 the file could not be written, in which case an existing file of
// that name is left as it was.
std::uint8_t ExportPresetToFile(const std::string& name);

// Writes the whole bank: 200 presets, 99 chains, 9 speed dials. Fills preset
// names up with blanks in the bank itself. Results as ExportPresetToFile.
std::uint8_t SaveBankToFile(const std::string& name);

// PresetTable[FilePresetNumber] numbered FilePresetNumber, its stored name first
// filled up with blanks to 13 characters. Always 0.
std::uint8_t WritePresetMessage(SyxOutputStream& out);
// ChainTable[FileChainNumber]. Always 0.
std::uint8_t WriteChainMessage(SyxOutputStream& out);
// SpeedDials[FileSpeedDialIndex] as keypad parameter 16 + index. Always 0.
std::uint8_t WriteSpeedDialMessage(SyxOutputStream& out);
// Every preset, chain and speed dial in bank-file order, through the three
// writers above: their index globals end at 200, 99 and 9.
void WriteBankMessages(SyxOutputStream& out);

} // namespace zlv
