// The three codec readers as the commands call them, by path, so that the input
// comes through a real file: each must end exactly as when it reads the same
// bytes held in memory.
#include "FuzzSupport.h"
#include "SyxReader.h"

using namespace zlv;

namespace {

template <typename ReadStream, typename ReadFile>
void sameAsInMemory(const std::uint8_t* data, std::size_t size, const std::string& path, ReadStream readStream,
                    ReadFile readFile)
{
    const fuzz::Outcome inMemory = fuzz::ReadBothWays(data, size, readStream);
    fuzz::Reset();
    fuzz::Outcome fromFile;
    fromFile.Take(readFile(path));
    fuzz::Require(fromFile.Same(inMemory));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Setup();
    const std::string& path = fuzz::WriteInputFile(data, size);
    sameAsInMemory(
        data, size, path, [](SyxInputStream& in) { return (CountSyxMessages(in), 0); },
        [](const std::string& p) { return (CountSyxFileMessages(p), 0); });
    sameAsInMemory(
        data, size, path, [](SyxInputStream& in) { return int(LoadBankFromStream(in)); },
        [](const std::string& p) { return int(LoadBankFromFile(p)); });
    sameAsInMemory(
        data, size, path, [](SyxInputStream& in) { return int(ImportPresetFromStream(in)); },
        [](const std::string& p) { return int(ImportPresetFile(p)); });
    return 0;
}
