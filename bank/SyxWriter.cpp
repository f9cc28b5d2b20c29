#include "SyxWriter.h"

#include "Bank.h"
#include "SafeFile.h"
#include "SyxRecords.h"

#include <cstring>

namespace zlv {

namespace {

void putHeader(SyxOutputStream& out, SyxCommand command)
{
    out.insert(out.end(), {kSysExStart, ManufacturerId, KeypadDeviceId, command});
}

void putPair(SyxOutputStream& out, std::uint8_t b)
{
    const NibblePair pair = NibblePair::From(b);
    out.push_back(pair.Hi);
    out.push_back(pair.Lo);
}

void putRaw(SyxOutputStream& out, const std::uint8_t* bytes, std::size_t count)
{
    out.insert(out.end(), bytes, bytes + count);
}

// The writers count every byte that is not 0xFF, which equals the packed length
// for the packed blocks the editor keeps.
std::uint8_t dataCount(const MidiDataBlock& block)
{
    std::uint8_t n = 0;
    for (std::uint8_t b : block)
        if (b != kEmpty)
            ++n;
    return n;
}

void putDataBlock(SyxOutputStream& out, const MidiDataBlock& block)
{
    const std::uint8_t length = dataCount(block);
    out.push_back(length);
    for (std::size_t i = 0; i < length; ++i)
        putPair(out, block[i]);
}

void putPresetMessage(SyxOutputStream& out, const PresetRecord& r, std::uint8_t number)
{
    putHeader(out, scPreset);
    putPair(out, number);
    putRaw(out, r.Name, kNameLength);
    out.insert(out.end(), {r.PreDelay, r.Reserved, r.PostDelay});
    for (const ChannelPatch& c : r.Channels) {
        putPair(out, c.BankMsb);
        putPair(out, c.BankLsb);
        putPair(out, c.Program);
    }
    putDataBlock(out, r.PreData);
    putDataBlock(out, r.PostData);
    out.push_back(kSysExEnd);
}

std::uint8_t writeFile(SafeFileWriter& file, const SyxOutputStream& bytes)
{
    return file.Write(bytes.data(), bytes.size()) && file.Commit() ? 0 : 1;
}

} // namespace

std::uint8_t WritePresetMessage(SyxOutputStream& out)
{
    if (FilePresetNumber >= kPresetCount)
        return 0;
    PresetRecord& r = PresetTable[FilePresetNumber];
    // The stored name becomes exactly 13 characters; its zero moves to byte 13.
    for (std::size_t i = ::strnlen(reinterpret_cast<const char*>(r.Name), kNameLength); i < kNameLength; ++i)
        r.Name[i] = ' ';
    r.NameTerminator = 0;
    putPresetMessage(out, r, FilePresetNumber);
    return 0;
}

std::uint8_t WriteChainMessage(SyxOutputStream& out)
{
    if (FileChainNumber >= kChainCount)
        return 0;
    const ChainRecord& r = ChainTable[FileChainNumber];
    putHeader(out, scChain);
    putPair(out, FileChainNumber);
    putRaw(out, r.Name, kNameLength);
    for (std::uint8_t link : r.Links)
        putPair(out, link);
    out.insert(out.end(), {0x00, 0x00, kSysExEnd});
    return 0;
}

std::uint8_t WriteSpeedDialMessage(SyxOutputStream& out)
{
    if (FileSpeedDialIndex >= kSpeedDialCount)
        return 0;
    putHeader(out, scSetting);
    out.push_back(static_cast<std::uint8_t>(kSpeedDialParameterBase + FileSpeedDialIndex));
    putPair(out, SpeedDials[FileSpeedDialIndex]);
    out.push_back(kSysExEnd);
    return 0;
}

std::uint8_t ExportPresetToFile(const std::string& name)
{
    if (CurrentPreset >= kPresetCount)
        return 1;
    SafeFileWriter file;
    if (!file.Open(name))
        return 1;
    SyxOutputStream out;
    out.reserve(kPresetMessageMaxSize);
    putPresetMessage(out, PresetTable[CurrentPreset], FilePresetNumber);
    return writeFile(file, out);
}

std::uint8_t SaveBankToFile(const std::string& name)
{
    SafeFileWriter file;
    // Opened first: a file that cannot be created leaves every name as it was.
    if (!file.Open(name))
        return 1;
    SyxOutputStream out;
    out.reserve(kBankFileMaxSize);
    // The index globals are the loop counters, so they end at 200, 99 and 9.
    for (FilePresetNumber = 0; FilePresetNumber < kPresetCount; ++FilePresetNumber)
        WritePresetMessage(out);
    for (FileChainNumber = 0; FileChainNumber < kChainCount; ++FileChainNumber)
        WriteChainMessage(out);
    for (FileSpeedDialIndex = 0; FileSpeedDialIndex < kSpeedDialCount; ++FileSpeedDialIndex)
        WriteSpeedDialMessage(out);
    return writeFile(file, out);
}

} // namespace zlv
