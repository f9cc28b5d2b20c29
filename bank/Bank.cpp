#include "Bank.h"

#include <cstdio>
#include <cstring>

namespace zlv {

PresetRecord PresetTable[kPresetCount];
ChainRecord ChainTable[kChainCount];
std::uint8_t SpeedDials[kSpeedDialCount];
PresetRecord PresetStaging;
ChainRecord ChainStaging;
std::uint8_t FilePresetNumber;
std::uint8_t FileChainNumber;
std::uint8_t FileSpeedDialIndex;
SyxFileCountsRecord SyxFileCounts;
std::uint8_t CurrentPreset;
std::uint8_t CurrentChain;

std::size_t MidiDataLength(const MidiDataBlock& block)
{
    std::size_t n = 0;
    while (n < kMidiDataBlockSize && block[n] != kEmpty)
        ++n;
    return n;
}

void InitBankDefaults()
{
    CurrentPreset = 0;
    for (std::size_t i = 0; i < kPresetCount; ++i) {
        PresetTable[i] = PresetTemplate;
        char number[4];
        std::snprintf(number, sizeof number, "%d", static_cast<int>(i + 1));
        // "New Name " is 9 characters; the number and its terminating zero follow.
        std::memcpy(PresetTable[i].Name + 9, number, std::strlen(number) + 1);
    }
    CurrentChain = 0;
    for (auto& chain : ChainTable)
        chain = ChainTemplate;
    std::memset(SpeedDials, kEmpty, sizeof SpeedDials);
}

} // namespace zlv
