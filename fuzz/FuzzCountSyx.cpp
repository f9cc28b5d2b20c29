// The scanner that counts a file's messages before the open command asks the user.
#include "FuzzSupport.h"
#include "SyxReader.h"

using namespace zlv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Silence();
    SyxInputStream in(data, size);
    CountSyxMessages(in);
    const auto& n = SyxFileCounts;
    // Every counted message takes at least its four header bytes.
    const long long total = 0LL + n.OldPresetCount + n.NewPresetCount + n.ChainCount + n.SpeedDialCount +
                            n.OtherSettingCount;
    fuzz::Require(n.OldPresetCount >= 0 && n.NewPresetCount >= 0 && n.ChainCount >= 0 && n.SpeedDialCount >= 0 &&
                  n.OtherSettingCount >= 0);
    fuzz::Require(total * 4 <= static_cast<long long>(size));
    return 0;
}
