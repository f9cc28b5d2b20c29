// Reading .syx files: counting what a file holds, loading a whole bank, and
// importing one preset. Malformed files are reported through ShowMessage.
#pragma once

#include "SyxInputStream.h"

#include <cstdint>
#include <string>

namespace zlv {

// Sets the five SyxFileCounts for the file; shows nothing. An unreadable file counts as empty.
void CountSyxFileMessages(const std::string& name);

// Reads the file's messages into PresetTable, ChainTable and SpeedDials (it does
// not reset the bank first) and sets the first four counts. 0 the file was read
// to its end; 1 it cannot be opened (no message) or is malformed (message shown).
std::uint8_t LoadBankFromFile(const std::string& name);

// Reads one preset file, new or old format, into PresetStaging and
// FilePresetNumber; never touches the bank. 0 read; 1 otherwise (every failure
// but an unopenable file has shown its message).
std::uint8_t ImportPresetFile(const std::string& name);

// The message readers, each called with the stream just after F0 7D 22 <command>.
// 0 read into the staging record; 1 rejected, message shown.
std::uint8_t ParsePresetMessage(SyxInputStream& in);
std::uint8_t ParseOldPresetMessage(SyxInputStream& in);
std::uint8_t ParseChainMessage(SyxInputStream& in);

// The same as the file functions above, on an open stream. The count leaves the
// stream open, so that the file counted can be read again and loaded.
void CountSyxMessages(SyxInputStream& in);
std::uint8_t LoadBankFromStream(SyxInputStream& in);
std::uint8_t ImportPresetFromStream(SyxInputStream& in);

} // namespace zlv
