// Edits of the bank that the Chains and Speed Dials pages and the preset list
// make: moving preset records, inserting and deleting chain links, storing a
// typed name; and the one rule by which a stored name reads as text. Pure C++
// so that each rule is tested without a window.
#pragma once

#include "Bank.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zlv {

// The lowest link index whose link is empty, or kChainLinkCount when every link holds a preset.
std::size_t FirstEmptyLink(const ChainRecord& chain);

// Puts `preset` at link `at`, moving the links from there one place towards the end;
// the last link falls off. An `at` past the last link changes nothing.
void InsertChainLink(ChainRecord& chain, std::size_t at, std::uint8_t preset);

// Removes link `at` and closes the gap; the last link becomes empty.
void DeleteChainLink(ChainRecord& chain, std::size_t at);

void ClearChainLinks(ChainRecord& chain);

// A name's characters up to its first zero byte, at most 13, one byte each.
std::string NameText(const std::uint8_t (&name)[kNameLength]);

// Stores typed text as a 13-byte name: the low byte of each UTF-16 code unit (at most 13),
// blanks after it. The terminator behind the name is not touched.
void StoreTypedName(std::uint8_t (&name)[kNameLength], std::u16string_view text);

// Moves preset record `src` to index `dst`, shifting the records between by one place.
// Returns false, changing nothing, when either index lies outside the table.
bool MovePresetRecord(int src, int dst);

// True when moving `src` to `dst` leaves another record at `index` than before.
bool MoveChangesRecordAt(int src, int dst, int index);

} // namespace zlv
