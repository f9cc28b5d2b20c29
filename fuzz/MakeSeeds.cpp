// Writes a small seed corpus for the fuzz targets, made by the writers: whole
// banks, single presets, an old-format preset, odd settings and cut-off files;
// and a few firmware-like files for the upgrade loader. A second folder gets the
// seeds of the two message-list loaders alone.
#include "Bank.h"
#include "SyxRecords.h"
#include "SyxWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

using namespace zlv;
using Bytes = std::vector<std::uint8_t>;

namespace {

std::filesystem::path g_dir;
std::filesystem::path g_listDir;

Bytes readBack(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void seed(const std::string& name, const Bytes& bytes, const std::filesystem::path& dir = g_dir)
{
    std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes cut(const Bytes& b, std::size_t size) { return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(std::min(size, b.size()))); }

Bytes oldPreset(std::uint8_t index, std::uint8_t flag)
{
    Bytes m = {kSysExStart, ManufacturerId, KeypadDeviceId, scOldPreset, index};
    const char name[] = "Old Style   1";
    m.insert(m.end(), name, name + kNameLength);
    for (int i = 0; i < 48; ++i)
        m.insert(m.end(), {static_cast<std::uint8_t>(i % 3 ? 0x08 : 0x00), static_cast<std::uint8_t>(i % 16)});
    for (int i = 0; i < 16; ++i)
        m.insert(m.end(), {0x0B, static_cast<std::uint8_t>(i)});
    m.insert(m.end(), {0x00, flag, 0x00, 0x00, 0x00, 0x00, kSysExEnd});
    return m;
}

// A firmware-like file: messages of the given sizes whose byte 2 is 21, each
// closed by F7 unless `closeLast` is false for the last one.
Bytes firmware(std::initializer_list<std::size_t> sizes, bool closeLast = true)
{
    Bytes file;
    std::size_t n = 0;
    for (std::size_t size : sizes) {
        Bytes m(size, 0);
        m[0] = kSysExStart;
        m[1] = 0x00;
        m[2] = 0x21;
        for (std::size_t i = 3; i < size; ++i)
            m[i] = static_cast<std::uint8_t>((i * 5 + n * 11) & 0x7F);
        if (++n < sizes.size() || closeLast)
            m[size - 1] = kSysExEnd;
        file.insert(file.end(), m.begin(), m.end());
    }
    return file;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <folder> <folder for the message-list loaders>\n", argv[0]);
        return 2;
    }
    g_dir = argv[1];
    g_listDir = argv[2];
    std::filesystem::create_directories(g_dir);
    std::filesystem::create_directories(g_listDir);
    const std::string scratch = (g_dir / "scratch.tmp").string();

    InitBankDefaults();
    SaveBankToFile(scratch);
    const Bytes defaults = readBack(scratch);
    seed("bank-default.syx", defaults);
    seed("bank-cut-in-chain.syx", cut(defaults, 200 * kPresetMessageMinSize + 30));

    PresetTable[0].PreDelay = 12;
    PresetTable[0].Channels[0] = {0x00, 0x01, 0x7F};
    for (std::size_t i = 0; i < kMidiDataBlockSize; ++i) {
        PresetTable[1].PreData[i] = static_cast<std::uint8_t>(i);
        PresetTable[1].PostData[i] = static_cast<std::uint8_t>(0x80 + i);
    }
    ChainTable[0].Links[0] = 5;
    ChainTable[0].Links[1] = 199;
    SpeedDials[0] = 7;
    SaveBankToFile(scratch);
    const Bytes bank = readBack(scratch);
    seed("bank-edited.syx", bank);
    // The first few messages alone make a small, varied bank.
    seed("bank-start.syx", cut(bank, kPresetMessageMinSize + kPresetMessageMaxSize));

    CurrentPreset = 1;
    FilePresetNumber = 41;
    ExportPresetToFile(scratch);
    const Bytes single = readBack(scratch);
    seed("preset.syx", single);
    for (std::size_t at : {3u, 5u, 12u, 40u, 118u, 200u, 300u, 480u})
        seed("preset-cut-" + std::to_string(at) + ".syx", cut(single, at));
    const Bytes old = oldPreset(7, 0x01);
    seed("preset-old.syx", old);
    seed("preset-old-cut.syx", cut(old, 120));
    seed("settings.syx", {0xF0, 0x7D, 0x22, 0x22, 0x10, 0x00, 0x05, 0xF7, 0xF0, 0x7D, 0x22, 0x22, 0x19, 0x00,
                          0x01, 0xF7, 0xF0, 0x7D, 0x22, 0x22, 0x08, 0x00, 0x01, 0xF7});
    seed("empty.syx", {});
    seed("firmware.syx", firmware({6, 64, 300}));
    seed("firmware-longest.syx", firmware({2048, 20}));
    seed("firmware-unclosed.syx", firmware({40, 100}, false));

    // One message that both list loaders take, then half a megabyte of F7
    // bytes, each a message of its own: a list that gave every message a whole
    // node would take over a gigabyte, past the fuzzers' memory limit.
    Bytes run = firmware({64});
    run[kCommandOffset] = scPreset;
    run.insert(run.end(), 512 * 1024, kSysExEnd);
    seed("message-then-f7-run.syx", run, g_listDir);
    std::filesystem::remove(scratch);
    return 0;
}
