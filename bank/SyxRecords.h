// The keypad's record messages as they travel in .syx files and over MIDI:
// F0 7D 22 <command> ... F7, one message per preset, chain or speed dial. The
// frame, the commands and the nibble pairs are the protocol's; what lies inside
// each record is laid out here.
#pragma once

#include "Bank.h"
#include "KeypadProtocol.h"

#include <cstddef>
#include <cstdint>

namespace zlv {

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
static_assert(kPresetMessageMaxSize <= kMaxSinglePresetFileSize);

constexpr std::size_t PresetMessageSize(std::size_t preLength, std::size_t postLength)
{
    return kPresetMessageMinSize + 2 * (preLength + postLength);
}

// OldPresetMessage (read only): raw number, name, channel pairs, 16 data pairs,
// an ignored byte, the block flag (bit 0 set: the data is POST data), then a
// trailer of four ignored bytes and the F7.
constexpr std::size_t kOldPresetDataCount = 16;
constexpr std::uint8_t kOldPresetPostDataFlag = 0x01;
constexpr std::size_t kOldPresetTrailerSize = 4 + 1;
constexpr std::size_t kOldPresetMessageSize =
    kHeaderSize + 1 + kNameLength + 2 * kPresetChannelBytes + 2 * kOldPresetDataCount + 1 + 1 + kOldPresetTrailerSize;
static_assert(kOldPresetMessageSize == 153);

// ChainMessage: header, number pair, name, 18 link pairs, then a trailer of
// 00 00 and the F7.
constexpr std::size_t kChainTrailerSize = 2 + 1;
constexpr std::size_t kChainMessageSize = kHeaderSize + 2 + kNameLength + 2 * kChainLinkCount + kChainTrailerSize;
static_assert(kChainMessageSize == 58);

// SettingMessage: header, raw parameter, value pair, F7.
constexpr std::size_t kSettingMessageSize = CommandMessageSize(1 + 2);
static_assert(kSettingMessageSize == 8);

// A whole bank: every preset, then every chain, then every speed dial.
constexpr std::size_t kBankFileMinSize =
    kPresetCount * kPresetMessageMinSize + kChainCount * kChainMessageSize + kSpeedDialCount * kSettingMessageSize;
constexpr std::size_t kBankFileMaxSize = kPresetCount * kPresetMessageMaxSize + kChainCount * kChainMessageSize +
                                         kSpeedDialCount * kSettingMessageSize;
static_assert(kBankFileMinSize == 30014 && kBankFileMaxSize == 102014);

} // namespace zlv
