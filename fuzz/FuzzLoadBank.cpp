// The bank loader, run on the defaults as the open command does.
#include "FuzzSupport.h"
#include "SyxReader.h"

using namespace zlv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Silence();
    InitBankDefaults();
    SyxInputStream in(data, size);
    const std::uint8_t result = LoadBankFromStream(in);
    fuzz::Require(result <= 1);
    fuzz::Require(SyxFileCounts.OtherSettingCount == 0);
    for (const PresetRecord& r : PresetTable) {
        // A name read from a file has no zero; a default one ends in zeros.
        if (r.Name[kNameLength - 1] != 0)
            fuzz::CheckPresetRead(r);
    }
    for (const ChainRecord& r : ChainTable)
        fuzz::CheckChainRead(r);
    fuzz::Require(CurrentPreset == 0 && CurrentChain == 0);
    return 0;
}
