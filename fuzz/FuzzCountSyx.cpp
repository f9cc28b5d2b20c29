// The scanner that counts a file's messages before the open command asks the user.
#include "FuzzSupport.h"
#include "SyxReader.h"

using namespace zlv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Setup();
    const fuzz::Outcome o = fuzz::ReadBothWays(data, size, [](SyxInputStream& in) { return (CountSyxMessages(in), 0); });
    const auto& n = o.Counts;
    fuzz::Require(n.OldPresetCount >= 0 && n.NewPresetCount >= 0 && n.ChainCount >= 0 && n.SpeedDialCount >= 0 &&
                  n.OtherSettingCount >= 0);
    // Every counted message takes at least its four header bytes.
    const long long total =
        0LL + n.OldPresetCount + n.NewPresetCount + n.ChainCount + n.SpeedDialCount + n.OtherSettingCount;
    fuzz::Require(total * 4 <= static_cast<long long>(size));
    fuzz::Require(o.Messages.empty());
    return 0;
}
