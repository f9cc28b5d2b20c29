// Shared by the codec's fuzz targets: message boxes answered and recorded, the state a
// reader leaves behind, and the checks that must hold after any input.
#pragma once

#include "Bank.h"
#include "FuzzFile.h"
#include "SyxInputStream.h"
#include "UserMessage.h"

#include <cstring>
#include <string>
#include <vector>

namespace zlv::fuzz {

inline std::vector<std::string>& Shown()
{
    static std::vector<std::string> shown;
    return shown;
}

inline void Setup()
{
    static const bool once = [] {
        SetMessageBoxHandler([](const std::string& text, const std::string& caption, MsgIcon, MsgButtons) {
            Shown().push_back(caption + ": " + text);
            return MsgResult::Ok;
        });
        return true;
    }();
    (void)once;
}

// Everything a reader may change, to compare two runs over the same bytes.
struct Outcome {
    int Result = 0;
    PresetRecord Presets[kPresetCount];
    ChainRecord Chains[kChainCount];
    std::uint8_t Dials[kSpeedDialCount];
    PresetRecord Preset;
    ChainRecord Chain;
    SyxFileCountsRecord Counts;
    std::uint8_t PresetNumber, ChainNumber;
    std::vector<std::string> Messages;

    void Take(int result)
    {
        Result = result;
        std::memcpy(Presets, PresetTable, sizeof Presets);
        std::memcpy(Chains, ChainTable, sizeof Chains);
        std::memcpy(Dials, SpeedDials, sizeof Dials);
        std::memcpy(&Preset, &PresetStaging, sizeof Preset);
        std::memcpy(&Chain, &ChainStaging, sizeof Chain);
        std::memcpy(&Counts, &SyxFileCounts, sizeof Counts);
        PresetNumber = FilePresetNumber;
        ChainNumber = FileChainNumber;
        Messages = Shown();
    }
    bool Same(const Outcome& o) const
    {
        return Result == o.Result && !std::memcmp(Presets, o.Presets, sizeof Presets) &&
               !std::memcmp(Chains, o.Chains, sizeof Chains) && !std::memcmp(Dials, o.Dials, sizeof Dials) &&
               !std::memcmp(&Preset, &o.Preset, sizeof Preset) && !std::memcmp(&Chain, &o.Chain, sizeof Chain) &&
               !std::memcmp(&Counts, &o.Counts, sizeof Counts) && PresetNumber == o.PresetNumber &&
               ChainNumber == o.ChainNumber && Messages == o.Messages;
    }
};

// Resets the bank, the staging records and the recorded messages; the
// defaults are built once and copied, which keeps the targets fast.
inline void Reset()
{
    static const Outcome defaults = [] {
        InitBankDefaults();
        Outcome o;
        o.Take(0);
        return o;
    }();
    std::memcpy(PresetTable, defaults.Presets, sizeof PresetTable);
    std::memcpy(ChainTable, defaults.Chains, sizeof ChainTable);
    std::memcpy(SpeedDials, defaults.Dials, sizeof SpeedDials);
    PresetStaging = PresetTemplate;
    ChainStaging = ChainTemplate;
    SyxFileCounts = {};
    FilePresetNumber = FileChainNumber = 0;
    Shown().clear();
}

// Reads the input twice, all at hand and then in small pieces (a size taken
// from the input), and requires the same outcome: the readers' shortcuts over
// buffered bytes must not change what they store or show.
template <typename Read>
Outcome ReadBothWays(const std::uint8_t* data, std::size_t size, Read read)
{
    Reset();
    Outcome whole;
    {
        SyxInputStream in(data, size);
        whole.Take(read(in));
    }
    Reset();
    Outcome pieces;
    {
        SyxInputStream in(data, size, size ? 1 + data[size - 1] % 13 : 1);
        pieces.Take(read(in));
    }
    Require(whole.Same(pieces));
    return whole;
}

// What a reader stores obeys the record rules: names of 0x20..0x7F ended by a
// zero, 7-bit delays, chain links that point at a preset or are empty.
inline void CheckPresetRead(const PresetRecord& r)
{
    for (std::uint8_t c : r.Name)
        Require(c >= 0x20 && c <= 0x7F);
    Require(r.NameTerminator == 0);
    Require(r.PreDelay < 0x80 && r.Reserved < 0x80 && r.PostDelay < 0x80);
    for (std::uint8_t b : r.Tail)
        Require(b == 0);
}

inline void CheckChainRead(const ChainRecord& r)
{
    for (std::uint8_t c : r.Name)
        Require(c >= 0x20 && c <= 0x7F);
    Require(r.NameTerminator == 0 && r.Tail == 0);
    for (std::uint8_t link : r.Links)
        Require(link < kPresetCount || link == kEmpty);
}

} // namespace zlv::fuzz
