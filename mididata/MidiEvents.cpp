#include "MidiEvents.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace zlv {

std::int32_t GridIndex = 0;
std::int32_t GridLength = 0;
std::uint8_t EventType = 0;

const std::array<std::string_view, 12> NoteNames = {"C ", "C#", "D ", "D#", "E ", "F ",
                                                    "F#", "G ", "G#", "A ", "A#", "B "};

namespace {

constexpr std::array<const char*, 128> makeControllerNames()
{
    std::array<const char*, 128> n{};
    n[0] = "Bank Select MSB";
    n[1] = "Mod Wheel (coarse)";
    n[2] = "Breath Controller (coarse)";
    n[4] = "Foot Controller (coarse)";
    n[5] = "Portamento Time (coarse)";
    n[6] = "Data Entry (coarse)";
    n[7] = "Main Volume (coarse)";
    n[8] = "Balance (coarse)";
    n[10] = "Pan (coarse)";
    n[11] = "Expression (coarse)";
    n[12] = "Effect Control 1 (coarse)";
    n[13] = "Effect Control 2 (coarse)";
    n[16] = "General Purpose Controller 1";
    n[17] = "General Purpose Controller 2";
    n[18] = "General Purpose Controller 3";
    n[19] = "General Purpose Controller 4";
    n[32] = "Bank Select LSB";
    n[33] = "Mod Wheel (fine)";
    n[34] = "Breath Controller (fine)";
    n[36] = "Foot Controller (fine)";
    n[37] = "Portamento Time (fine)";
    n[38] = "Data Entry (fine)";
    n[39] = "Main Volume (fine)";
    n[40] = "Balance (fine)";
    n[42] = "Pan (fine)";
    n[43] = "Expression (fine)";
    n[44] = "Effect Control 1 (fine)";
    n[45] = "Effect Control 2 (fine)";
    n[64] = "Damper/Sustain/Hold on/off";
    n[65] = "Portamento on/off";
    n[66] = "Sostenuto on/off";
    n[67] = "Soft Pedal on/off";
    n[68] = "Legato Pedal on/off";
    n[69] = "Hold 2 Pedal";
    n[70] = "Sound Variation";
    n[71] = "Timbre/Harmonic Content";
    n[72] = "Release Time";
    n[73] = "Attack Time";
    n[74] = "Brightness";
    n[75] = "Sound Control 6";
    n[76] = "Sound Control 7";
    n[77] = "Sound Control 8";
    n[78] = "Sound Control 9";
    n[79] = "Sound Control 10";
    n[80] = "General Purpose Button 1 (on/off)";
    n[81] = "General Purpose Button 2 (on/off)";
    n[82] = "General Purpose Button 3 (on/off)";
    n[83] = "General Purpose Button 4 (on/off)";
    n[84] = "Portamento Control";
    n[91] = "Effects Level";
    n[92] = "Tremelo Level";
    n[93] = "Chorus Level";
    n[94] = "Detune Level";
    n[95] = "Phaser Level";
    n[96] = "Data button increment";
    n[97] = "Data button decrement";
    n[98] = "Non-Registered Parameter Number LSB";
    n[99] = "Non-Registered Parameter Number MSB";
    n[100] = "Registered Parameter Number LSB";
    n[101] = "Registered Parameter Number MSB";
    return n;
}

constexpr std::uint8_t kBankSelectMsbController = 0x00;
constexpr std::uint8_t kBankSelectLsbController = 0x20;
constexpr std::uint8_t kFirstSystemStatus = 0xF0;
// Byte 2 of a Korg message: 0x30 plus the channel nibble.
constexpr int kKorgChannelByte = 2;
constexpr std::uint8_t kKorgChannelBase = 0x30;

} // namespace

const std::array<const char*, 128> ControllerNames = makeControllerNames();

const std::array<EventButtonInfo, kEventButtonCount> EventButtons = {{
    {"rbNoteOn", "Note On", 0x90, "Key (Note #) :", "Velocity :"},
    {"rbNoteOff", "Note Off", 0x80, "Key (Note #) :", "Velocity :"},
    {"rbPolyAftertouch", "Poly Aftertouch", 0xA0, "Key (Note #) :", "Pressure :"},
    {"rbMonoAftertouch", "Mono Aftertouch", 0xD0, "Pressure :", nullptr},
    {"rbControlChange", "Control Change", 0xB0, "Controller :", "Value :"},
    {"rbBankSelectMSB", "Bank Select MSB", 0xB0, "Bank MSB :", nullptr},
    {"rbBankSelectLSB", "Bank Select LSB", 0xB0, "Bank LSB :", nullptr},
    {"rbProgramChange", "Program Change", 0xC0, "Patch Number :", nullptr},
    {"rbPitchWheel", "Pitch Wheel", 0xE0, "LSB :", "MSB :"},
    {"rbSongPosition", "Song Position", 0xF2, "LSB :", "MSB :"},
    {"rbSongSelect", "Song Select", 0xF3, "Song Number :", nullptr},
    {"rbStart", "Start", 0xFA, nullptr, nullptr},
    {"rbContinue", "Continue", 0xFB, nullptr, nullptr},
    {"rbStop", "Stop", 0xFC, nullptr, nullptr},
    {"rbKorgTritonProg", "Korg Triton Prog", kKorgTritonProg, nullptr, nullptr},
    {"rbKorgTritonCombi", "Korg Triton Combi", kKorgTritonCombi, nullptr, nullptr},
    {"rbKorgM1Prog", "Korg M1 Prog", kKorgM1Prog, nullptr, nullptr},
    {"rbKorgM1Combi", "Korg M1 Combi", kKorgM1Combi, nullptr, nullptr},
}};

const std::array<KorgModeMessage, 4> KorgModeMessages = {{
    {{0xF0, 0x42, 0x30, 0x50, 0x4E, 0x02, 0xF7, 0x00}, 7},
    {{0xF0, 0x42, 0x30, 0x50, 0x4E, 0x00, 0xF7, 0x00}, 7},
    {{0xF0, 0x42, 0x30, 0x19, 0x4E, 0x02, 0x00, 0xF7}, 8},
    {{0xF0, 0x42, 0x30, 0x19, 0x4E, 0x00, 0x00, 0xF7}, 8},
}};

const EventButtonInfo& ButtonInfo(EventButton button) { return EventButtons[static_cast<std::size_t>(button)]; }

int MessageLength(std::uint8_t eventType)
{
    switch (eventType) {
    case 0x80:
    case 0x90:
    case 0xA0:
    case 0xB0:
    case 0xE0:
    case 0xF2:
        return 3;
    case 0xC0:
    case 0xD0:
    case 0xF3:
        return 2;
    case 0xFA:
    case 0xFB:
    case 0xFC:
        return 1;
    default:
        return 0;
    }
}

std::vector<std::uint8_t> ComposeMessage(EventButton button, int channel, int param1, int param2)
{
    const EventButtonInfo& info = ButtonInfo(button);
    const auto nibble = static_cast<std::uint8_t>(std::clamp(channel, 1, 16) - 1);
    const auto p1 = static_cast<std::uint8_t>(std::clamp(param1, 0, 127));
    const auto p2 = static_cast<std::uint8_t>(std::clamp(param2, 0, 127));

    if (IsKorgKind(info.Tag)) {
        const KorgModeMessage& korg = KorgModeMessages[info.Tag - kKorgTritonProg];
        std::vector<std::uint8_t> bytes(korg.Bytes.begin(), korg.Bytes.begin() + korg.Length);
        bytes[kKorgChannelByte] = static_cast<std::uint8_t>(kKorgChannelBase + nibble);
        return bytes;
    }

    std::uint8_t v1 = p1;
    std::uint8_t v2 = p2;
    if (button == EventButton::BankSelectMSB) {
        v1 = kBankSelectMsbController;
        v2 = p1;
    } else if (button == EventButton::BankSelectLSB) {
        v1 = kBankSelectLsbController;
        v2 = p1;
    }
    const int length = MessageLength(info.Tag);
    const std::uint8_t status = info.Tag >= kFirstSystemStatus ? info.Tag : static_cast<std::uint8_t>(info.Tag + nibble);
    std::vector<std::uint8_t> bytes;
    if (length >= 1)
        bytes.push_back(status);
    if (length >= 2)
        bytes.push_back(v1);
    if (length == 3)
        bytes.push_back(v2);
    return bytes;
}

std::string HexPair(std::uint8_t value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::string MessagePreview(EventButton button, int channel, int param1, int param2)
{
    const EventButtonInfo& info = ButtonInfo(button);
    channel = std::clamp(channel, 1, 16);
    const auto p1 = static_cast<std::uint8_t>(std::clamp(param1, 0, 127));
    const auto p2 = static_cast<std::uint8_t>(std::clamp(param2, 0, 127));

    if (IsKorgKind(info.Tag)) {
        static constexpr std::array<std::string_view, 4> kTails = {" 50 4E 02 F7", " 50 4E 00 F7", " 19 4E 02 00 F7",
                                                                   " 19 4E 00 00 F7"};
        return "F0 42 " + HexPair(static_cast<std::uint8_t>(channel + 47)) +
               std::string(kTails[info.Tag - kKorgTritonProg]);
    }

    const std::uint8_t status =
        info.Tag >= kFirstSystemStatus ? info.Tag : static_cast<std::uint8_t>(info.Tag + channel - 1);
    std::string text = HexPair(status);
    if (button == EventButton::BankSelectMSB)
        text += " 00";
    else if (button == EventButton::BankSelectLSB)
        text += " 20";
    if (info.Param1Caption)
        text += " " + HexPair(p1);
    if (info.Param2Caption)
        text += " " + HexPair(p2);
    return text;
}

std::string NoteName(int key)
{
    if (key < 0 || key >= 120)
        return "---";
    return std::string(NoteNames[static_cast<std::size_t>(key % 12)]) + std::to_string(key / 12);
}

std::string Param1Readout(EventButton button, int param1)
{
    switch (button) {
    case EventButton::NoteOn:
    case EventButton::NoteOff:
    case EventButton::PolyAftertouch:
        return NoteName(param1);
    case EventButton::ProgramChange:
        return std::to_string(param1 + 1);
    default:
        return std::to_string(param1);
    }
}

InsertResult InsertBytes(MidiDataBlock& data, std::int32_t& gridIndex, std::int32_t& gridLength, int currentCell,
                         std::span<const std::uint8_t> bytes)
{
    // The highlight may stand past the data (a refused click, a shorter block
    // shown again); inserting there would not be where the user looks.
    if (currentCell > gridIndex + 1)
        return InsertResult::BeyondEnd;
    if (gridLength + static_cast<std::int32_t>(bytes.size()) > kBlockSize)
        return InsertResult::NoRoom;
    for (const std::uint8_t byte : bytes) {
        std::memmove(&data[gridIndex + 1], &data[gridIndex], static_cast<std::size_t>(kBlockSize - 1 - gridIndex));
        data[gridIndex] = byte;
        ++gridIndex;
        ++gridLength;
    }
    return InsertResult::Inserted;
}

bool EraseByte(MidiDataBlock& data, std::int32_t& gridLength, int index)
{
    if (index < 0 || index >= gridLength)
        return false;
    std::memmove(&data[index], &data[index + 1], static_cast<std::size_t>(kBlockSize - 1 - index));
    data[kBlockSize - 1] = kEmpty;
    --gridLength;
    return true;
}

void EraseAll(MidiDataBlock& data, std::int32_t& gridIndex, std::int32_t& gridLength)
{
    std::memset(data, kEmpty, sizeof data);
    gridLength = 0;
    gridIndex = 0;
}

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error("''" + text + "'' is not a valid integer value")
{
}

namespace {
int hexDigit(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}
constexpr bool isUtf8Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }
} // namespace

int ReadHexValue(std::string_view utf8Text)
{
    // Counted in characters, not bytes: a non-ASCII character is one digit worth 0.
    int value = 0;
    int characters = 0;
    for (const char ch : utf8Text) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUtf8Continuation(c))
            continue;
        if (characters == 2)
            break;
        value = value * 16 + hexDigit(c);
        ++characters;
    }
    return value;
}

int ReadDecimalValue(std::string_view utf8Text)
{
    std::string_view digits = utf8Text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    // from_chars would take a sign of its own; only one is allowed.
    if (digits.empty() || digits.front() == '-' || error != std::errc() || end != digits.data() + digits.size())
        throw ConversionError(std::string(utf8Text));
    return negative ? -value : value;
}

CustomEntryResult InsertCustomByte(MidiDataBlock& data, std::int32_t& gridIndex, std::int32_t& gridLength,
                                   int currentCell, std::string_view utf8Text, bool decimal)
{
    if (currentCell > gridIndex + 1)
        return CustomEntryResult::BeyondEnd;
    const int value = decimal ? ReadDecimalValue(utf8Text) : ReadHexValue(utf8Text);
    if (value >= kEmpty)
        return CustomEntryResult::TooLarge;
    // Taken to eight bits a negative value would land on 0x80..0xFF, 0xFF ending the block.
    if (value < 0)
        return CustomEntryResult::Negative;
    const std::uint8_t byte = static_cast<std::uint8_t>(value);
    return InsertBytes(data, gridIndex, gridLength, currentCell, std::span(&byte, 1)) == InsertResult::NoRoom
               ? CustomEntryResult::NoRoom
               : CustomEntryResult::Inserted;
}

} // namespace zlv
