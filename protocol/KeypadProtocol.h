// The keypad's protocol vocabulary, one home for the bank codec and the link:
// the System Exclusive frame F0 7D 22 <command> ... F7, the commands, the
// parameter numbers and port codes, the bank's record counts, and where the
// keypad's replies carry what the link reads.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zlv {

inline constexpr std::uint8_t kSysExStart = 0xF0;
inline constexpr std::uint8_t kSysExEnd = 0xF7;
// F8 to FF: MIDI real-time messages, one byte each, allowed anywhere in the
// stream, even inside a System Exclusive message, of which they are no part.
constexpr bool IsRealTimeByte(std::uint8_t byte) { return byte >= 0xF8; }
inline constexpr std::uint8_t ManufacturerId = 0x7D;
inline constexpr std::uint8_t KeypadDeviceId = 0x22;
// Byte 2 of every message of a firmware upgrade file.
inline constexpr std::uint8_t UpgradeDeviceId = 0x21;
inline constexpr std::uint8_t kAcknowledge = 0x41; // 'A'

// Byte positions of the frame, counted from the F0.
inline constexpr std::size_t kDeviceIdOffset = 2;
inline constexpr std::size_t kCommandOffset = 3;
inline constexpr std::size_t kHeaderSize = 4; // F0 7D 22 <command>

// Byte 3 of the keypad's messages.
enum SyxCommand : std::uint8_t {
    scPortQuery = 0x05,
    scSelectPreset = 0x07,
    scParameterQuery = 0x21,
    // The four records of a bank: in .syx files and downloaded as they stand.
    scSetting = 0x22, scOldPreset = 0x24, scPreset = 0x31, scChain = 0x33,
};

constexpr bool IsRecordCommand(std::uint8_t command)
{
    return command == scSetting || command == scOldPreset || command == scPreset || command == scChain;
}

// The parameter numbers of the parameter query and of the setting records.
enum KeypadParameter : std::uint8_t {
    kpMidiChannel = 8,
    kpPatchChangeRange = 9,
    kpPresetMode = 14,
    kpRxPgmChgCh = 15,
    kpSpeedDial1 = 16, kpSpeedDial2, kpSpeedDial3, kpSpeedDial4, kpSpeedDial5,
    kpSpeedDial6, kpSpeedDial7, kpSpeedDial8, kpSpeedDial9,
    kpMidiPassThru = 25,
};

// The value of the port reply; other values carry no meaning.
enum KeypadPort : std::uint8_t {
    ptMidiInterface = 0x4D, // 'M'
    ptUsb = 0x55,           // 'U'
};

// The bank the keypad holds.
inline constexpr std::size_t kPresetCount = 200;
inline constexpr std::size_t kChainCount = 99;
inline constexpr std::size_t kSpeedDialCount = 9;
static_assert(kpSpeedDial9 - kpSpeedDial1 + 1 == kSpeedDialCount && kpSpeedDial9 + 1 == kpMidiPassThru);

// A single-preset file is never larger: the import refuses a larger one and the
// single-file sender reads no more.
inline constexpr std::size_t kMaxSinglePresetFileSize = 528;

// A byte that may exceed 7 bits travels as its high and its low nibble.
struct NibblePair {
    std::uint8_t Hi;
    std::uint8_t Lo;

    static constexpr NibblePair From(std::uint8_t b) { return {static_cast<std::uint8_t>(b >> 4), static_cast<std::uint8_t>(b & 0x0F)}; }
    static constexpr bool IsNibble(std::uint8_t b) { return b <= 0x0F; }
    constexpr bool IsValid() const { return IsNibble(Hi) && IsNibble(Lo); }
    // Modulo 256, as the readers rebuild numbers without testing the nibbles.
    constexpr std::uint8_t Value() const { return static_cast<std::uint8_t>(Hi * 16 + Lo); }
};
static_assert(NibblePair::From(199).Hi == 0x0C && NibblePair::From(199).Lo == 0x07);
static_assert(NibblePair{0x0C, 0x08}.Value() == 200 && !NibblePair{0x1F, 0x00}.IsValid());

// The editor's commands: the frame around `payload` bytes.
constexpr std::size_t CommandMessageSize(std::size_t payload) { return kHeaderSize + payload + 1; }
inline constexpr std::size_t kSelectPresetSize = CommandMessageSize(1);    // the preset index
inline constexpr std::size_t kParameterQuerySize = CommandMessageSize(1);  // the parameter number
inline constexpr std::size_t kPortQuerySize = CommandMessageSize(0);
static_assert(kSelectPresetSize == 6 && kParameterQuerySize == 6 && kPortQuerySize == 5);

// The keypad's replies, read from the F0: byte 3 names the message answered.
inline constexpr std::size_t kReplyCommandOffset = kCommandOffset;
// Parameter reply: F0 7D 22 21 <parameter> <value as a nibble pair> ...
inline constexpr std::size_t kReplyParameterOffset = 4;
inline constexpr std::size_t kReplyValueOffset = 5;
// Port reply: F0 7D 22 05 <port> ...
inline constexpr std::size_t kReplyPortOffset = 4;
// An acknowledge carries its 'A' right after the record's number as the record
// carries it: one byte for a setting or an old-format preset, a nibble pair for
// a preset or a chain. A firmware message is acknowledged at byte 4.
inline constexpr std::size_t kShortNumberAckOffset = kHeaderSize + 1;
inline constexpr std::size_t kLongNumberAckOffset = kHeaderSize + 2;
inline constexpr std::size_t kFirmwareAckOffset = 4;
static_assert(kShortNumberAckOffset == 5 && kLongNumberAckOffset == 6);

// The universal identity request, to every device, and the keypad's reply: F0,
// six bytes not examined, 16 characters of firmware version, F7.
inline constexpr std::size_t kIdentityRequestSize = 6;
inline constexpr std::uint8_t IdentityRequest[kIdentityRequestSize] = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
inline constexpr std::size_t kIdentityReplySize = 24;
inline constexpr std::size_t kVersionOffset = 7;
inline constexpr std::size_t kVersionLength = 16;
static_assert(kVersionOffset + kVersionLength + 1 == kIdentityReplySize);

} // namespace zlv
