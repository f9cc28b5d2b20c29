#include "SyxReader.h"

#include "Bank.h"
#include "SyxRecords.h"
#include "UserMessage.h"

#include <algorithm>
#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zlv {

namespace {

// The two readers show the same texts under different captions.
constexpr const char* kFileError = "File Error!";
constexpr const char* kFileOpenError = "File Open Error!";

constexpr const char* kNotF0 = "File does not start with 0xF0.";
constexpr const char* kNot7D = "Manufacturer ID not 0x7D.";
constexpr const char* kNot22 = "Device ID not 0x22. Wrong file type selected?";
constexpr const char* kUnexpectedEnd = "Unexpected End-of-File.";
constexpr const char* kNotAPreset = "Invalid command byte. Not a Preset.";
constexpr const char* kPresetBeyond = "Preset # beyond 200 (0x0C, 0x07).";
constexpr const char* kOldPresetBeyond = "Preset # beyond 200 (0xC7).";
constexpr const char* kChainBeyond = "Chain # beyond 99 (0x06, 0x02).";
constexpr const char* kPreTooBig = "Pre-Arb MIDI data length byte too big.";
constexpr const char* kPostTooBig = "Post-Arb MIDI data length byte too big.";

void show(const char* text, const char* caption) { ShowMessage(text, caption, MsgIcon::None, MsgButtons::Ok); }

// The file is released before the box appears, as on every failure path.
std::uint8_t fail(SyxInputStream& in, const char* text, const char* caption)
{
    in.Close();
    show(text, caption);
    return 1;
}

std::uint8_t nameByte(std::uint8_t b)
{
    if (b < 0x20)
        return 0x20;
    if (b > 0x7F)
        return 0x7F;
    return b;
}

void readName(SyxInputStream& in, std::uint8_t (&name)[kNameLength], std::uint8_t& terminator)
{
    if (in.Buffered() >= kNameLength) {
        const std::uint8_t* p = in.Next();
        for (std::size_t i = 0; i < kNameLength; ++i)
            name[i] = nameByte(p[i]);
        in.Skip(kNameLength);
    } else {
        for (auto& c : name)
            c = nameByte(in.Get());
    }
    terminator = 0;
}

void readTripleMasked(SyxInputStream& in, PresetRecord& r)
{
    r.PreDelay = in.Get() & 0x7F;
    r.Reserved = in.Get() & 0x7F;
    r.PostDelay = in.Get() & 0x7F;
}

std::uint64_t load64(const std::uint8_t* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Rebuilds bytes from pairs of nibbles, four pairs at a time where the byte
// order allows it. False, with out partly written, when any byte is not a
// nibble; the readers then take the slow way, pair by pair.
bool combineNibblePairs(const std::uint8_t* p, std::uint8_t* out, std::size_t pairs)
{
    std::uint64_t bits = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen pairs at a time: in each 16-bit lane the low byte is the high
    // nibble and the high byte the low nibble.
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    __m128i seen = _mm_setzero_si128();
    for (; i + 16 <= pairs; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2 * i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2 * i + 16));
        seen = _mm_or_si128(seen, _mm_or_si128(a, b));
        const __m128i ca = _mm_or_si128(_mm_slli_epi16(_mm_and_si128(a, lowBytes), 4), _mm_srli_epi16(a, 8));
        const __m128i cb = _mm_or_si128(_mm_slli_epi16(_mm_and_si128(b, lowBytes), 4), _mm_srli_epi16(b, 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(ca, cb));
    }
    std::uint64_t halves[2];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(halves), seen);
    bits = halves[0] | halves[1];
#endif
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 4 <= pairs; i += 4) {
            const std::uint64_t x = load64(p + 2 * i);
            bits |= x;
            std::uint64_t y = (x & 0x000F000F000F000Fu) << 4 | (x >> 8 & 0x000F000F000F000Fu);
            y = (y | y >> 8) & 0x0000FFFF0000FFFFu;
            const auto four = static_cast<std::uint32_t>(y | y >> 16);
            std::memcpy(out + i, &four, sizeof four);
        }
    }
    for (const std::uint8_t* q = p + 2 * i; i < pairs; ++i, q += 2) {
        bits |= q[0] | q[1];
        out[i] = static_cast<std::uint8_t>(q[0] << 4 | q[1]);
    }
    return (bits & 0xF0F0F0F0F0F0F0F0u) == 0;
}

// Whole-record copy in 16-byte steps. For a record of a few hundred bytes the
// compilers' own inline copy is a string instruction whose start-up cost
// dominates a bank load on some processors.
template <typename Record>
void copyRecord(Record& to, const Record& from)
{
    auto* d = reinterpret_cast<std::uint8_t*>(&to);
    const auto* s = reinterpret_cast<const std::uint8_t*>(&from);
    std::size_t i = 0;
    for (; i + 16 <= sizeof(Record); i += 16) {
        std::uint8_t chunk[16];
        std::memcpy(chunk, s + i, 16);
        std::memcpy(d + i, chunk, 16);
    }
    for (; i < sizeof(Record); ++i)
        d[i] = s[i];
}

void storePair(std::uint8_t& target, NibblePair pair)
{
    if (pair.IsValid())
        target = pair.Value();
}

// Each valid pair is stored; an invalid one leaves the template's 0x80. The end
// is tested on a channel's first byte only: any later byte read past the end is
// 0xFF, an invalid nibble, so testing after every read would store the same.
void readChannels(SyxInputStream& in, PresetRecord& r)
{
    constexpr std::size_t kPairBytes = 2 * kPresetChannelBytes;
    std::uint8_t bytes[kPresetChannelBytes];
    if (in.Buffered() >= kPairBytes && combineNibblePairs(in.Next(), bytes, kPresetChannelBytes)) {
        std::memcpy(r.Channels, bytes, sizeof bytes);
        in.Skip(kPairBytes);
        return;
    }
    for (ChannelPatch& c : r.Channels) {
        const std::uint8_t first = in.Get();
        if (in.Eof())
            return;
        storePair(c.BankMsb, {first, in.Get()});
        const std::uint8_t lsbHi = in.Get();
        storePair(c.BankLsb, {lsbHi, in.Get()});
        const std::uint8_t progHi = in.Get();
        storePair(c.Program, {progHi, in.Get()});
    }
}

// PRE or POST data of a new-format preset: stops at the first bad pair (the end
// of the file reads as one) without skipping the rest of the block.
void readDataBlock(SyxInputStream& in, MidiDataBlock& block, std::uint8_t length)
{
    // The callers have refused longer blocks already.
    length = std::min<std::uint8_t>(length, kMidiDataBlockSize);
    if (in.Buffered() >= 2u * length) {
        if (combineNibblePairs(in.Next(), block, length)) {
            in.Skip(2u * length);
            return;
        }
        // The block came empty from the template; undo the partial writes and
        // take the bytes pair by pair.
        std::memset(block, kEmpty, length);
    }
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t hi = in.Get();
        const NibblePair pair{hi, in.Get()};
        if (!pair.IsValid())
            return;
        block[i] = pair.Value();
    }
}

// The 16 data pairs of an old-format preset, then the flag that says whether
// they belong to the POST block. A second byte read at the end is 0xFF, an
// invalid nibble, and the next first byte stops the loop.
void readOldData(SyxInputStream& in, PresetRecord& r)
{
    for (std::size_t i = 0; i < kOldPresetDataCount; ++i) {
        const std::uint8_t hi = in.Get();
        if (in.Eof())
            break;
        storePair(r.PreData[i], {hi, in.Get()});
    }
    in.Get();
    const std::uint8_t flag = in.Get();
    if (flag & kOldPresetPostDataFlag) {
        for (std::size_t i = 0; i < kOldPresetDataCount; ++i) {
            r.PostData[i] = r.PreData[i];
            r.PreData[i] = kEmpty;
        }
    }
    for (std::size_t i = 0; i < kOldPresetTrailerSize; ++i)
        in.Get();
}

bool isSpeedDialSetting(std::uint8_t parameter)
{
    return parameter >= kpSpeedDial1 && parameter <= kpMidiPassThru;
}

} // namespace

std::uint8_t ParsePresetMessage(SyxInputStream& in)
{
    copyRecord(PresetStaging, PresetTemplate);
    const std::uint8_t hi = in.Get();
    FilePresetNumber = NibblePair{hi, in.Get()}.Value();
    if (FilePresetNumber >= kPresetCount) {
        show(kPresetBeyond, kFileError);
        return 1;
    }
    readName(in, PresetStaging.Name, PresetStaging.NameTerminator);
    readTripleMasked(in, PresetStaging);
    readChannels(in, PresetStaging);
    const std::uint8_t preLength = in.Get();
    if (preLength > kMidiDataBlockSize) {
        show(kPreTooBig, kFileError);
        return 1;
    }
    readDataBlock(in, PresetStaging.PreData, preLength);
    const std::uint8_t postLength = in.Get();
    if (postLength > kMidiDataBlockSize) {
        show(kPostTooBig, kFileError);
        return 1;
    }
    readDataBlock(in, PresetStaging.PostData, postLength);
    in.Get();
    return 0;
}

std::uint8_t ParseOldPresetMessage(SyxInputStream& in)
{
    copyRecord(PresetStaging, PresetTemplate);
    FilePresetNumber = in.Get();
    if (FilePresetNumber >= kPresetCount) {
        show(kOldPresetBeyond, kFileError);
        return 1;
    }
    readName(in, PresetStaging.Name, PresetStaging.NameTerminator);
    readChannels(in, PresetStaging);
    readOldData(in, PresetStaging);
    return 0;
}

std::uint8_t ParseChainMessage(SyxInputStream& in)
{
    ChainStaging = ChainTemplate;
    const std::uint8_t hi = in.Get();
    FileChainNumber = NibblePair{hi, in.Get()}.Value();
    if (FileChainNumber >= kChainCount) {
        show(kChainBeyond, kFileError);
        return 1;
    }
    readName(in, ChainStaging.Name, ChainStaging.NameTerminator);
    std::uint8_t links[kChainLinkCount];
    if (in.Buffered() >= 2 * kChainLinkCount && combineNibblePairs(in.Next(), links, kChainLinkCount)) {
        for (std::size_t i = 0; i < kChainLinkCount; ++i)
            ChainStaging.Links[i] = IsEmptyPresetIndex(links[i]) ? kEmpty : links[i];
        in.Skip(2 * kChainLinkCount);
    } else {
        for (std::uint8_t& link : ChainStaging.Links) {
            const std::uint8_t a = in.Get();
            if (in.Eof())
                break;
            const NibblePair pair{a, in.Get()};
            if (pair.IsValid())
                link = IsEmptyPresetIndex(pair.Value()) ? kEmpty : pair.Value();
        }
    }
    for (std::size_t i = 0; i < kChainTrailerSize; ++i)
        in.Get();
    return 0;
}

std::uint8_t LoadBankFromStream(SyxInputStream& in)
{
    SyxFileCounts = {};
    // The end is tested only where a message should start; the byte read after a
    // message is always taken as the next message's first byte.
    for (std::uint8_t c = in.Get(); !in.Eof(); c = in.Get()) {
        if (c != kSysExStart)
            return fail(in, kNotF0, kFileOpenError);
        if (in.Get() != ManufacturerId)
            return fail(in, kNot7D, kFileOpenError);
        if (in.Get() != KeypadDeviceId)
            return fail(in, kNot22, kFileOpenError);
        switch (in.Get()) {
        case scSetting: {
            const std::uint8_t parameter = in.Get();
            if (!isSpeedDialSetting(parameter))
                break;
            const std::uint8_t hi = in.Get();
            const NibblePair value{hi, in.Get()};
            if (!value.IsValid())
                break;
            if (parameter < kpMidiPassThru)
                SpeedDials[parameter - kpSpeedDial1] = value.Value();
            ++SyxFileCounts.SpeedDialCount;
            in.Get();
            break;
        }
        case scOldPreset:
            if (ParseOldPresetMessage(in) != 0) {
                in.Close();
                return 1;
            }
            ++SyxFileCounts.OldPresetCount;
            copyRecord(PresetTable[FilePresetNumber], PresetStaging);
            break;
        case scPreset:
            if (ParsePresetMessage(in) != 0) {
                in.Close();
                return 1;
            }
            ++SyxFileCounts.NewPresetCount;
            copyRecord(PresetTable[FilePresetNumber], PresetStaging);
            break;
        case scChain:
            if (ParseChainMessage(in) != 0) {
                in.Close();
                return 1;
            }
            ++SyxFileCounts.ChainCount;
            ChainTable[FileChainNumber] = ChainStaging;
            break;
        default:
            break;
        }
    }
    in.Close();
    return 0;
}

std::uint8_t LoadBankFromFile(const std::string& name)
{
    SyxFileCounts = {};
    SyxInputStream in(name);
    if (!in.IsOpen())
        return 1;
    return LoadBankFromStream(in);
}

void CountSyxMessages(SyxInputStream& in)
{
    SyxFileCounts = {};
    for (std::uint8_t c = in.Get(); !in.Eof(); c = in.Get()) {
        if (c != kSysExStart || in.Get() != ManufacturerId || in.Get() != KeypadDeviceId)
            break;
        bool known = true;
        switch (in.Get()) {
        case scSetting:
            if (isSpeedDialSetting(in.Get()))
                ++SyxFileCounts.SpeedDialCount;
            else
                ++SyxFileCounts.OtherSettingCount;
            break;
        case scOldPreset:
            ++SyxFileCounts.OldPresetCount;
            break;
        case scPreset:
            ++SyxFileCounts.NewPresetCount;
            break;
        case scChain:
            ++SyxFileCounts.ChainCount;
            break;
        default:
            known = false;
            break;
        }
        if (!known)
            break;
        while (in.Get() != kSysExEnd && !in.Eof()) {
        }
        if (in.Eof())
            break;
    }
}

void CountSyxFileMessages(const std::string& name)
{
    SyxFileCounts = {};
    SyxInputStream in(name);
    if (in.IsOpen())
        CountSyxMessages(in);
}

std::uint8_t ImportPresetFromStream(SyxInputStream& in)
{
    // The frame tests here carry "File Error!" where the bank loader says
    // "File Open Error!", and the length tests the other way round.
    const std::uint8_t start = in.Get();
    if (in.Eof())
        return fail(in, kUnexpectedEnd, kFileOpenError);
    if (start != kSysExStart)
        return fail(in, kNotF0, kFileError);
    const std::uint8_t manufacturer = in.Get();
    if (in.Eof())
        return fail(in, kUnexpectedEnd, kFileError);
    if (manufacturer != ManufacturerId)
        return fail(in, kNot7D, kFileError);
    const std::uint8_t device = in.Get();
    if (in.Eof())
        return fail(in, kUnexpectedEnd, kFileError);
    if (device != KeypadDeviceId)
        return fail(in, kNot22, kFileError);
    const std::uint8_t command = in.Get();
    if (in.Eof())
        return fail(in, kUnexpectedEnd, kFileOpenError);
    if (command != scOldPreset && command != scPreset)
        return fail(in, kNotAPreset, kFileError);

    if (command == scOldPreset) {
        FilePresetNumber = in.Get();
        if (in.Eof())
            return fail(in, kUnexpectedEnd, kFileError);
        if (FilePresetNumber >= kPresetCount)
            return fail(in, kOldPresetBeyond, kFileError);
    } else {
        const std::uint8_t hi = in.Get();
        if (in.Eof())
            return fail(in, kUnexpectedEnd, kFileError);
        FilePresetNumber = NibblePair{hi, in.Get()}.Value();
        if (FilePresetNumber >= kPresetCount)
            return fail(in, kPresetBeyond, kFileError);
    }

    copyRecord(PresetStaging, PresetTemplate);
    for (auto& c : PresetStaging.Name) {
        c = nameByte(in.Get());
        if (in.Eof())
            return fail(in, kUnexpectedEnd, kFileError);
    }
    PresetStaging.NameTerminator = 0;
    if (command == scPreset)
        readTripleMasked(in, PresetStaging);
    readChannels(in, PresetStaging);

    if (command == scOldPreset) {
        readOldData(in, PresetStaging);
        in.Close();
        return 0;
    }

    const std::uint8_t preLength = in.Get();
    if (preLength > kMidiDataBlockSize)
        return fail(in, kPreTooBig, kFileOpenError);
    readDataBlock(in, PresetStaging.PreData, preLength);
    const std::uint8_t postLength = in.Get();
    if (postLength > kMidiDataBlockSize)
        return fail(in, kPostTooBig, kFileOpenError);
    readDataBlock(in, PresetStaging.PostData, postLength);
    in.Get();
    in.Close();
    return 0;
}

std::uint8_t ImportPresetFile(const std::string& name)
{
    SyxInputStream in(name);
    if (!in.IsOpen())
        return 1;
    return ImportPresetFromStream(in);
}

} // namespace zlv
