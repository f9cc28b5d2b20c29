#include "SyxWriter.h"

#include "Bank.h"
#include "MessageBuilder.h"
#include "SafeFile.h"
#include "SyxRecords.h"

#include <bit>
#include <cstring>

namespace zlv {

namespace {

// The writers count every byte that is not 0xFF, which equals the packed length
// for the packed blocks the editor keeps.
std::uint8_t dataCount(const MidiDataBlock& block)
{
    int n = 0;
    std::size_t i = 0;
    // Eight bytes at a time: a byte is counted when its complement is not zero.
    for (; i + 8 <= kMidiDataBlockSize; i += 8) {
        std::uint64_t x;
        std::memcpy(&x, block + i, sizeof x);
        x = ~x;
        const std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Fu;
        n += std::popcount((((x & low7) + low7) | x) & ~low7);
    }
    for (; i < kMidiDataBlockSize; ++i)
        n += block[i] != kEmpty;
    return static_cast<std::uint8_t>(n);
}

void putPresetMessage(SyxOutputStream& out, const PresetRecord& r, std::uint8_t number)
{
    const std::uint8_t preLength = dataCount(r.PreData);
    const std::uint8_t postLength = dataCount(r.PostData);
    MessageBuilder m(out, PresetMessageSize(preLength, postLength), scPreset);
    m.Pair(number);
    m.Raw(r.Name, kNameLength);
    m.Put(r.PreDelay);
    m.Put(r.Reserved);
    m.Put(r.PostDelay);
    m.Pairs(reinterpret_cast<const std::uint8_t*>(r.Channels), kPresetChannelBytes);
    m.Put(preLength);
    m.Pairs(r.PreData, preLength);
    m.Put(postLength);
    m.Pairs(r.PostData, postLength);
    m.End();
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
    MessageBuilder m(out, kChainMessageSize, scChain);
    m.Pair(FileChainNumber);
    m.Raw(r.Name, kNameLength);
    m.Pairs(r.Links, kChainLinkCount);
    m.Put(0x00); // the trailer's two zeros
    m.Put(0x00);
    m.End();
    return 0;
}

std::uint8_t WriteSpeedDialMessage(SyxOutputStream& out)
{
    if (FileSpeedDialIndex >= kSpeedDialCount)
        return 0;
    MessageBuilder m(out, kSettingMessageSize, scSetting);
    m.Put(static_cast<std::uint8_t>(kpSpeedDial1 + FileSpeedDialIndex));
    m.Pair(SpeedDials[FileSpeedDialIndex]);
    m.End();
    return 0;
}

void WriteBankMessages(SyxOutputStream& out)
{
    // The index globals are the loop counters, so they end at 200, 99 and 9.
    for (FilePresetNumber = 0; FilePresetNumber < kPresetCount; ++FilePresetNumber)
        WritePresetMessage(out);
    for (FileChainNumber = 0; FileChainNumber < kChainCount; ++FileChainNumber)
        WriteChainMessage(out);
    for (FileSpeedDialIndex = 0; FileSpeedDialIndex < kSpeedDialCount; ++FileSpeedDialIndex)
        WriteSpeedDialMessage(out);
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
    WriteBankMessages(out);
    return writeFile(file, out);
}

} // namespace zlv
