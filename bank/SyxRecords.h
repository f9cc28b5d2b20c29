// The keypad's record messages as they travel in .syx files and over MIDI:
// F0 7D 22 <command> ... F7, one message per preset, chain or speed dial.
#pragma once

#include "Bank.h"

#include <cstddef>
#include <cstdint>

namespace zlv {

constexpr std::uint8_t kSysExStart = 0xF0;
constexpr std::uint8_t kSysExEnd = 0xF7;
constexpr std::uint8_t ManufacturerId = 0x7D;
constexpr std::uint8_t KeypadDeviceId = 0x22;

enum SyxCommand : std::uint8_t {
    scSetting = 0x22,
    scOldPreset = 0x24,
    scPreset = 0x31,
    scChain = 0x33,
};

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

// Speed dial i (0..8) is keypad parameter 16 + i; 25 is the MIDI pass-through
// setting, which a bank file may carry but the bank does not hold.
constexpr std::uint8_t kSpeedDialParameterBase = 16;
constexpr std::uint8_t kMidiPassThruParameter = 25;

constexpr std::size_t kHeaderSize = 4; // F0 7D 22 <command>

// PresetMessage: header, number pair, name, three raw bytes, 48 channel pairs,
// PreLength, PRE pairs, PostLength, POST pairs, F7.
constexpr std::size_t kPresetChannelBytes = kChannelCount * 3;
constexpr std::size_t kPresetNameOffset = 6;
constexpr std::size_t kPresetDelaysOffset = kPresetNameOffset + kNameLength;
constexpr std::size_t kPresetChannelsOffset = kPresetDelaysOffset + 3;
constexpr std::size_t kPresetPreLengthOffset = kPresetChannelsOffset + 2 * kPresetChannelBytes;
constexpr std::size_t kPresetMessageMinSize = kPresetPreLengthOffset + 3; // two lengths and F7
constexpr std::size_t kPresetMessageMaxSize = kPresetMessageMinSize + 4 * kMidiDataBlockSize;
static_assert(kPresetChannelsOffset == 22 && kPresetPreLengthOffset == 118);
static_assert(kPresetMessageMinSize == 121 && kPresetMessageMaxSize == 481);

constexpr std::size_t PresetMessageSize(std::size_t preLength, std::size_t postLength)
{
    return kPresetMessageMinSize + 2 * (preLength + postLength);
}

// OldPresetMessage (read only): raw number, name, channel pairs, 16 data pairs,
// an ignored byte, the block flag, four ignored bytes, F7.
constexpr std::size_t kOldPresetDataCount = 16;
constexpr std::size_t kOldPresetMessageSize = kHeaderSize + 1 + kNameLength + 2 * kPresetChannelBytes + 2 * kOldPresetDataCount + 1 + 1 + 4 + 1;
static_assert(kOldPresetMessageSize == 153);

// ChainMessage: header, number pair, name, 18 link pairs, 00 00, F7.
constexpr std::size_t kChainMessageSize = kHeaderSize + 2 + kNameLength + 2 * kChainLinkCount + 2 + 1;
static_assert(kChainMessageSize == 58);

// SettingMessage: header, raw parameter, value pair, F7.
constexpr std::size_t kSettingMessageSize = kHeaderSize + 1 + 2 + 1;
static_assert(kSettingMessageSize == 8);

// A whole bank: every preset, then every chain, then every speed dial.
constexpr std::size_t kBankFileMinSize =
    kPresetCount * kPresetMessageMinSize + kChainCount * kChainMessageSize + kSpeedDialCount * kSettingMessageSize;
constexpr std::size_t kBankFileMaxSize = kPresetCount * kPresetMessageMaxSize + kChainCount * kChainMessageSize +
                                         kSpeedDialCount * kSettingMessageSize;
static_assert(kBankFileMinSize == 30014 && kBankFileMaxSize == 102014);

// The import command refuses a single-preset file larger than this.
constexpr std::size_t kMaxSinglePresetFileSize = 528;

} // namespace zlv
