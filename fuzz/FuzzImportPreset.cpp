// The single-preset import, which must never touch the bank.
#include "FuzzSupport.h"
#include "SyxReader.h"

#include <cstring>

using namespace zlv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Setup();
    const fuzz::Outcome o =
        fuzz::ReadBothWays(data, size, [](SyxInputStream& in) { return int(ImportPresetFromStream(in)); });
    if (o.Result == 0) {
        fuzz::Require(o.Messages.empty());
        fuzz::Require(o.PresetNumber < kPresetCount);
        fuzz::CheckPresetRead(o.Preset);
    } else {
        fuzz::Require(o.Result == 1 && o.Messages.size() == 1);
    }
    // The bank and the counts stay as Reset left them.
    fuzz::Reset();
    fuzz::Require(!std::memcmp(o.Presets, PresetTable, sizeof PresetTable));
    fuzz::Require(!std::memcmp(o.Chains, ChainTable, sizeof ChainTable) && !std::memcmp(&o.Counts, &SyxFileCounts, sizeof o.Counts));
    return 0;
}
