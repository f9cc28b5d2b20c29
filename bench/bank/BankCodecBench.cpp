// Saves and loads the largest bank file (every data block full, 102,014 bytes)
// and reads and writes the same bytes raw, then prints codec/raw for each way.
// The save replaces its file only after the bytes are on disk, so its raw
// counterpart is measured twice: plain, and with the same flush and rename.
#include "Bank.h"
#include "SafeFile.h"
#include "SyxReader.h"
#include "SyxRecords.h"
#include "SyxWriter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

using namespace zlv;

namespace {

std::string g_folder;
std::vector<std::uint8_t> g_bytes;

std::string path(const char* name) { return g_folder + "/" + name; }

void fillBank()
{
    InitBankDefaults();
    for (std::size_t p = 0; p < kPresetCount; ++p)
        for (std::size_t i = 0; i < kMidiDataBlockSize; ++i) {
            PresetTable[p].PreData[i] = static_cast<std::uint8_t>((p + i) % 0xFF);
            PresetTable[p].PostData[i] = static_cast<std::uint8_t>((p * 7 + i) % 0xFF);
        }
    for (std::size_t c = 0; c < kChainCount; ++c)
        for (std::size_t l = 0; l < kChainLinkCount; ++l)
            ChainTable[c].Links[l] = static_cast<std::uint8_t>((c + l) % kPresetCount);
    for (std::size_t d = 0; d < kSpeedDialCount; ++d)
        SpeedDials[d] = static_cast<std::uint8_t>(d * 20);
}

std::vector<std::uint8_t> readRaw(const std::string& file)
{
    std::vector<std::uint8_t> bytes(kBankFileMaxSize + 1);
    std::FILE* f = std::fopen(file.c_str(), "rb");
    const std::size_t n = f ? std::fread(bytes.data(), 1, bytes.size(), f) : 0;
    if (f)
        std::fclose(f);
    bytes.resize(n);
    return bytes;
}

void BM_SaveBank(benchmark::State& state)
{
    fillBank();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveBankToFile(path("codec.syx")));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBankFileMaxSize));
}

// The messages alone, without the file: what the codec adds to the I/O.
void BM_BuildBankBytes(benchmark::State& state)
{
    fillBank();
    SyxOutputStream out;
    for (auto _ : state) {
        out.clear();
        WriteBankMessages(out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBankFileMaxSize));
}

void BM_RawWritePlain(benchmark::State& state)
{
    for (auto _ : state) {
        std::FILE* f = std::fopen(path("raw.syx").c_str(), "wb");
        std::fwrite(g_bytes.data(), 1, g_bytes.size(), f);
        std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBankFileMaxSize));
}

void BM_RawWriteDurable(benchmark::State& state)
{
    for (auto _ : state) {
        SafeFileWriter f;
        benchmark::DoNotOptimize(f.Open(path("raw.syx")) && f.Write(g_bytes.data(), g_bytes.size()) && f.Commit());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBankFileMaxSize));
}

void BM_LoadBank(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadBankFromFile(path("bank.syx")));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBankFileMaxSize));
}

void BM_RawRead(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(readRaw(path("bank.syx")));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBankFileMaxSize));
}

BENCHMARK(BM_SaveBank)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildBankBytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawWritePlain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawWriteDurable)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadBank)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawRead)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's best time per iteration (over --benchmark_repetitions,
// the least disturbed by other work on the machine) for the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            const std::string name = run.run_name.function_name;
            const double t = run.GetAdjustedRealTime();
            if (!times.count(name) || t < times[name])
                times[name] = t;
        }
    }
    std::map<std::string, double> times;
};

void printRatio(const RatioReporter& r, const char* what, const std::string& codec, const std::string& raw)
{
    const auto c = r.times.find(codec);
    const auto w = r.times.find(raw);
    if (c != r.times.end() && w != r.times.end() && w->second > 0)
        std::printf("%-38s %6.2fx  (%.1f us / %.1f us)\n", what, c->second / w->second, c->second, w->second);
}

} // namespace

int main(int argc, char** argv)
{
    // ZLV_BENCH_DIR picks the file system measured (say a RAM disk, to take the
    // disk's flush times out of the save figures); the default is the temp folder.
    const char* base = std::getenv("ZLV_BENCH_DIR");
    std::string folder =
        (std::filesystem::path(base ? base : std::filesystem::temp_directory_path().string()) / "zlv-bench-XXXXXX")
            .string();
    if (::mkdtemp(folder.data()) == nullptr)
        return 1;
    g_folder = folder;
    fillBank();
    if (SaveBankToFile(path("bank.syx")) != 0)
        return 1;
    g_bytes = readRaw(path("bank.syx"));
    if (g_bytes.size() != kBankFileMaxSize) {
        std::fprintf(stderr, "bank file is %zu bytes, expected %zu\n", g_bytes.size(), kBankFileMaxSize);
        return 1;
    }

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\ncodec/raw for the %zu-byte bank file:\n", kBankFileMaxSize);
    printRatio(reporter, "load  vs raw read", "BM_LoadBank", "BM_RawRead");
    printRatio(reporter, "save  vs raw write (same fsync)", "BM_SaveBank", "BM_RawWriteDurable");
    printRatio(reporter, "save  vs raw write (plain)", "BM_SaveBank", "BM_RawWritePlain");
    printRatio(reporter, "messages alone vs raw write (plain)", "BM_BuildBankBytes", "BM_RawWritePlain");
    benchmark::Shutdown();
    std::filesystem::remove_all(g_folder);
    return 0;
}
