// The single-preset import, which must never touch the bank.
#include "FuzzSupport.h"
#include "SyxReader.h"

#include <cstring>

using namespace zlv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Silence();
    static const bool ready = [] {
        InitBankDefaults();
        return true;
    }();
    (void)ready;
    static std::uint8_t before[sizeof PresetTable];
    std::memcpy(before, PresetTable, sizeof before);
    SyxInputStream in(data, size);
    if (ImportPresetFromStream(in) == 0) {
        fuzz::Require(FilePresetNumber < kPresetCount);
        fuzz::CheckPresetRead(PresetStaging);
    }
    fuzz::Require(std::memcmp(before, PresetTable, sizeof before) == 0);
    return 0;
}
