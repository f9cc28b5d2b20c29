// A default bank (308 messages) sent to the simulated keypad answering after 2,
// 15 and 50 ms, against the paced limit: 308 x max(10 ms, the keypad's delay).
#include "MidiExchange.h"
#include "MidiPorts.h"
#include "SimKeypad.h"
#include "SyxMessageList.h"
#include "SyxTestFiles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

using namespace zlv;
using namespace zlv::test;

void BankDownload(benchmark::State& state)
{
    const auto delay = std::chrono::milliseconds(state.range(0));
    SimKeypad keypad;
    keypad.ReplyDelay = delay;
    TempFolder folder;
    const std::string path = folder.Write("bank.syx", DefaultBankFile());
    if (LoadSyxFileMessages(path) != trOk) {
        state.SkipWithError("bank did not load");
        return;
    }
    const int messages = SyxNodeCount - 1;
    EnumerateMidiDevices();
    SelectedMidiIn = 0;
    SelectedMidiOut = 0;
    if (OpenMidiPorts() != 0) {
        state.SkipWithError("ports did not open");
        return;
    }
    const double limit =
        messages * std::chrono::duration<double>(std::max(delay, std::chrono::milliseconds(10))).count();
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto result = SendSyxMessageList();
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        if (result != trOk)
            state.SkipWithError("the send failed");
    }
    state.counters["messages"] = messages;
    state.counters["paced_limit_s"] = limit;
    state.counters["taken_s"] = seconds;
    state.counters["ratio"] = seconds / limit;
    CloseMidiPorts();
    FreeSyxMessageList();
}

BENCHMARK(BankDownload)->Arg(2)->Arg(15)->Arg(50)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
