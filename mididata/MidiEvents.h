// What the MIDI data editor does to a data block, kept apart from its window:
// the cursor rule, inserting and erasing, the predefined messages, the custom
// byte readings and the preview text. No Qt here.
#pragma once

#include "Bank.h"

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zlv {

// The data grid: one cell per byte, index = row * columns + column.
constexpr int kGridColumns = 20;
constexpr int kGridRows = 5;
constexpr int kBlockSize = static_cast<int>(kMidiDataBlockSize);
static_assert(kGridColumns * kGridRows >= kBlockSize);

// Cursor, data length and chosen message type of the editor: one each per run.
extern std::int32_t GridIndex;  // where the next byte goes, 0..GridLength
extern std::int32_t GridLength; // bytes before the first 0xFF, at most 90
extern std::uint8_t EventType;  // status with channel bits 0, or a Korg kind 1..4

// Korg mode-change kinds, kept in EventType like a status byte.
constexpr std::uint8_t kKorgTritonProg = 1;
constexpr std::uint8_t kKorgTritonCombi = 2;
constexpr std::uint8_t kKorgM1Prog = 3;
constexpr std::uint8_t kKorgM1Combi = 4;
constexpr bool IsKorgKind(std::uint8_t eventType) { return eventType >= kKorgTritonProg && eventType <= kKorgM1Combi; }

// Pitch-class names; a natural note has a blank as its second character.
extern const std::array<std::string_view, 12> NoteNames;

// Controller names by number; nullptr where a controller has none.
extern const std::array<const char*, 128> ControllerNames;

// The 18 type buttons, in their order on screen.
enum class EventButton {
    NoteOn,
    NoteOff,
    PolyAftertouch,
    MonoAftertouch,
    ControlChange,
    BankSelectMSB,
    BankSelectLSB,
    ProgramChange,
    PitchWheel,
    SongPosition,
    SongSelect,
    Start,
    Continue,
    Stop,
    KorgTritonProg,
    KorgTritonCombi,
    KorgM1Prog,
    KorgM1Combi,
};
constexpr int kEventButtonCount = 18;

struct EventButtonInfo {
    const char* Name;          // the control's name
    const char* Caption;
    std::uint8_t Tag;          // what EventType becomes when it is clicked
    const char* Param1Caption; // nullptr: value 1 is hidden
    const char* Param2Caption; // nullptr: value 2 is hidden
};
extern const std::array<EventButtonInfo, kEventButtonCount> EventButtons;

const EventButtonInfo& ButtonInfo(EventButton button);

// Byte count of a standard message from its type (status with channel bits 0);
// 0 for anything that is not one of the editor's standard types.
int MessageLength(std::uint8_t eventType);

struct KorgModeMessage {
    std::array<std::uint8_t, 8> Bytes;
    int Length;
};
// Triton Program, Triton Combination, M1 Program, M1 Combination; byte 2 holds channel 1.
extern const std::array<KorgModeMessage, 4> KorgModeMessages;

// The predefined message as the composer inserts it: channel 1..16, values 0..127.
std::vector<std::uint8_t> ComposeMessage(EventButton button, int channel, int param1, int param2);

// The same message as the status bar previews it, in hex pairs separated by blanks.
std::string MessagePreview(EventButton button, int channel, int param1, int param2);

// The value-1 read-out: a note name with its octave for the key types, the patch
// counted from 1 for Program Change, else the number.
std::string Param1Readout(EventButton button, int param1);
std::string NoteName(int key); // "C 5" for 60, "---" from 120 on

// Exactly two upper-case hexadecimal digits.
std::string HexPair(std::uint8_t value);

// --- the data block and its cursor ------------------------------------------

// Whether the cell of this index may become the grid's current cell: the data
// bytes and the one cell just after them.
constexpr bool CellSelectable(int index, int gridLength) { return index <= gridLength; }

// Refusals of an insertion; nothing changes when one is returned.
enum class InsertResult { Inserted, BeyondEnd, NoRoom };

// Inserts bytes at gridIndex, moving the data there and after it up, after
// checking that the grid's current cell is not beyond the cursor's next cell and
// that the data still fits in the block.
InsertResult InsertBytes(MidiDataBlock& data, std::int32_t& gridIndex, std::int32_t& gridLength, int currentCell,
                         std::span<const std::uint8_t> bytes);

// Erases the byte at index and moves the rest down; false (and no change) for an
// index at or after the end of the data.
bool EraseByte(MidiDataBlock& data, std::int32_t& gridLength, int index);

// Empties the block, bytes after the first 0xFF included, and puts the cursor at 0.
void EraseAll(MidiDataBlock& data, std::int32_t& gridIndex, std::int32_t& gridLength);

// --- the custom byte entry ----------------------------------------------------

// A decimal text that is no whole number; what() is the text the user sees.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& text);
};

// Hex mode: the first two characters as digits (anything else counts as 0); one
// character is a low digit alone; an empty text gives 0.
int ReadHexValue(std::string_view utf8Text);

// Decimal mode: an optional sign and decimal digits; anything else throws ConversionError.
int ReadDecimalValue(std::string_view utf8Text);

enum class CustomEntryResult { Inserted, BeyondEnd, TooLarge, Negative, NoRoom };

// Reads the entry field's text in the chosen base and inserts the byte. The
// cursor is checked before the text is read, the value before the room.
CustomEntryResult InsertCustomByte(MidiDataBlock& data, std::int32_t& gridIndex, std::int32_t& gridLength,
                                   int currentCell, std::string_view utf8Text, bool decimal);

inline constexpr const char* kMsgBeyondEnd = "Cell chosen beyond end of data.";
inline constexpr const char* kMsgNoRoom = "Not enough room!";
inline constexpr const char* kMsgTooLarge = "Value exceeds 254 (decimal).";
inline constexpr const char* kMsgNegative = "Value must be from 0 to 254 (decimal).";
inline constexpr const char* kMsgCaption = "Error";

} // namespace zlv
