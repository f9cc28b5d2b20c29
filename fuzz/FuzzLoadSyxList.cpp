// The loader of a bank file into the message list that the whole-bank download sends.
#include "FuzzMessageList.h"

using namespace zlv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::CheckListLoad(data, size, &LoadSyxFileMessages, 3, [](std::uint8_t command) {
        return command == scSetting || command == scOldPreset || command == scPreset || command == scChain;
    });
    return 0;
}
