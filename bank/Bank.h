// The one keypad bank held in memory, and the small counters through which the
// .syx codec moves records in and out of it. Process-wide, fixed size, UI thread only.
#pragma once

#include "KeypadProtocol.h"

#include <cstddef>
#include <cstdint>

namespace zlv {

// The tables hold kPresetCount presets, kChainCount chains and kSpeedDialCount
// speed dials, as the keypad does.
constexpr std::size_t kNameLength = 13;
constexpr std::size_t kChannelCount = 16;
constexpr std::size_t kMidiDataBlockSize = 90;
constexpr std::size_t kChainLinkCount = 18;

constexpr std::size_t kPresetRecordSize = 257;
constexpr std::size_t kChainRecordSize = 33;

// Bit 7 of a channel byte switches the value off; the low 7 bits keep the value.
constexpr std::uint8_t kChannelOff = 0x80;
// Ends a MIDI data block and marks an empty chain link or speed dial.
constexpr std::uint8_t kEmpty = 0xFF;

using MidiDataBlock = std::uint8_t[kMidiDataBlockSize];

struct ChannelPatch {
    std::uint8_t BankMsb;
    std::uint8_t BankLsb;
    std::uint8_t Program;
};

struct PresetRecord {
    std::uint8_t Name[kNameLength];
    std::uint8_t NameTerminator;
    std::uint8_t PreDelay;
    std::uint8_t Reserved;
    std::uint8_t PostDelay;
    ChannelPatch Channels[kChannelCount];
    MidiDataBlock PreData;
    MidiDataBlock PostData;
    std::uint8_t Tail[12];
};

struct ChainRecord {
    std::uint8_t Name[kNameLength];
    std::uint8_t NameTerminator;
    std::uint8_t Links[kChainLinkCount];
    std::uint8_t Tail;
};

struct SyxFileCountsRecord {
    std::int32_t OldPresetCount;
    std::int32_t NewPresetCount;
    std::int32_t ChainCount;
    std::int32_t SpeedDialCount;
    std::int32_t OtherSettingCount;
};

static_assert(sizeof(ChannelPatch) == 3);
static_assert(sizeof(PresetRecord) == kPresetRecordSize);
static_assert(offsetof(PresetRecord, NameTerminator) == 13);
static_assert(offsetof(PresetRecord, PreDelay) == 14);
static_assert(offsetof(PresetRecord, Reserved) == 15);
static_assert(offsetof(PresetRecord, PostDelay) == 16);
static_assert(offsetof(PresetRecord, Channels) == 17);
static_assert(offsetof(PresetRecord, PreData) == 65);
static_assert(offsetof(PresetRecord, PostData) == 155);
static_assert(offsetof(PresetRecord, Tail) == 245);
static_assert(sizeof(ChainRecord) == kChainRecordSize);
static_assert(offsetof(ChainRecord, Links) == 14);
static_assert(offsetof(ChainRecord, Tail) == 32);

// Length of a packed data block: the bytes before the first 0xFF.
std::size_t MidiDataLength(const MidiDataBlock& block);

// True for a link or speed-dial value that points at no preset: kEmpty, and any
// other value past the last preset.
constexpr bool IsEmptyPresetIndex(std::uint8_t value) { return value >= kPresetCount; }

namespace detail {
constexpr PresetRecord makePresetTemplate()
{
    PresetRecord r{};
    constexpr char kName[] = "New Name ";
    for (std::size_t i = 0; i + 1 < sizeof kName; ++i)
        r.Name[i] = static_cast<std::uint8_t>(kName[i]);
    for (auto& channel : r.Channels)
        channel = {kChannelOff, kChannelOff, kChannelOff};
    for (std::size_t i = 0; i < kMidiDataBlockSize; ++i)
        r.PreData[i] = r.PostData[i] = kEmpty;
    return r;
}

constexpr ChainRecord makeChainTemplate()
{
    ChainRecord r{};
    constexpr char kName[] = "No Name Chain";
    static_assert(sizeof kName - 1 == kNameLength);
    for (std::size_t i = 0; i < kNameLength; ++i)
        r.Name[i] = static_cast<std::uint8_t>(kName[i]);
    for (auto& link : r.Links)
        link = kEmpty;
    return r;
}
} // namespace detail

// Every default comes from these two records. Constant-initialised, so that no
// start-up code anywhere can see them before they hold their bytes.
inline constexpr PresetRecord PresetTemplate = detail::makePresetTemplate();
inline constexpr ChainRecord ChainTemplate = detail::makeChainTemplate();
static_assert(PresetTemplate.Name[8] == ' ' && PresetTemplate.Name[9] == 0);
static_assert(PresetTemplate.Channels[15].Program == kChannelOff && PresetTemplate.PostData[89] == kEmpty);
static_assert(ChainTemplate.Name[12] == 'n' && ChainTemplate.Links[17] == kEmpty && ChainTemplate.Tail == 0);

extern PresetRecord PresetTable[kPresetCount];
extern ChainRecord ChainTable[kChainCount];
extern std::uint8_t SpeedDials[kSpeedDialCount];
extern PresetRecord PresetStaging;
extern ChainRecord ChainStaging;
extern std::uint8_t FilePresetNumber;
extern std::uint8_t FileChainNumber;
extern std::uint8_t FileSpeedDialIndex;
extern SyxFileCountsRecord SyxFileCounts;
extern std::uint8_t CurrentPreset;
extern std::uint8_t CurrentChain;

// Resets every preset, chain and speed dial and the current preset and chain;
// the staging records, file indices and counts keep their values.
void InitBankDefaults();

} // namespace zlv
