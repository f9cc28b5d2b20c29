// The bank loader, run on the defaults as the open command does.
#include "FuzzSupport.h"
#include "SyxReader.h"

using namespace zlv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Setup();
    const fuzz::Outcome o =
        fuzz::ReadBothWays(data, size, [](SyxInputStream& in) { return int(LoadBankFromStream(in)); });
    fuzz::Require(o.Result == 0 || o.Result == 1);
    // A failed load shows exactly one message, a successful one none.
    fuzz::Require(o.Messages.size() == static_cast<std::size_t>(o.Result));
    fuzz::Require(o.Counts.OtherSettingCount == 0);
    for (const PresetRecord& r : o.Presets) {
        // A name read from a file has no zero; a default one ends in zeros.
        if (r.Name[kNameLength - 1] != 0)
            fuzz::CheckPresetRead(r);
    }
    for (const ChainRecord& r : o.Chains)
        fuzz::CheckChainRead(r);
    return 0;
}
