// The loader of a firmware file into the message list that the upgrade sends.
#include "FuzzMessageList.h"

using namespace zlv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::CheckListLoad(data, size, &LoadUpgradeFileMessages, 2,
                        [](std::uint8_t device) { return device == UpgradeDeviceId; });
    return 0;
}
