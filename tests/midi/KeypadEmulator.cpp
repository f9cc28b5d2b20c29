// A keypad on a JACK MIDI port pair, for the end-to-end test: answers like the
// simulated keypad, refuses a record that did not arrive whole, and appends
// every message it receives to a log file so the test can check every byte.
//
//   zlv_keypad_emulator <client name> <log file>
//
// Misbehaves on request, as keypads and interfaces seen in use do:
//   ZLV_KEYPAD_DOUBLE_MS=n   every reply goes out a second time n ms after the first
//   ZLV_KEYPAD_SILENT_AT=a,b the a-th, b-th ... message received (from 1) gets no reply
//   ZLV_KEYPAD_CLOCK=1       every reply goes out in two pieces with a clock byte
//                            (F8) and an active-sensing byte (FE) between them
//
// Prints READY once its ports are up; runs until SIGTERM or SIGINT.
#include "KeypadModel.h"

#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using zlv::test::Bytes;
using Clock = std::chrono::steady_clock;

std::atomic<bool> g_stop{false};

extern "C" void onSignal(int) { g_stop = true; }

struct Emulator {
    zlv::test::KeypadModel Model;
    std::unique_ptr<RtMidiOut> Out;
    std::FILE* Log = nullptr;
    long Refused = 0;
    long Received = 0;
    std::chrono::milliseconds Double{-1};
    std::set<long> SilentAt;
    bool SplitByClock = false;

    // Replies go out from a thread of their own, in the order they are due, so
    // that a later copy can wait without holding up the input.
    std::mutex Lock;
    std::condition_variable Wake;
    std::vector<std::pair<Clock::time_point, Bytes>> Due;

    void Queue(const Bytes& reply)
    {
        {
            std::lock_guard lock(Lock);
            Due.push_back({Clock::now(), reply});
            if (Double.count() >= 0)
                Due.push_back({Clock::now() + Double, reply});
            std::stable_sort(Due.begin(), Due.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        }
        Wake.notify_one();
    }

    void Send(const Bytes& reply)
    {
        if (!SplitByClock || reply.size() < 4) {
            Out->sendMessage(reply.data(), reply.size());
            return;
        }
        const std::size_t half = reply.size() / 2;
        const Bytes first(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(half));
        const Bytes realTime = {0xF8, 0xFE};
        const Bytes rest(reply.begin() + static_cast<std::ptrdiff_t>(half), reply.end());
        for (const Bytes* piece : {&first, &realTime, &rest})
            Out->sendMessage(piece->data(), piece->size());
    }

    void RunSender()
    {
        std::unique_lock lock(Lock);
        while (!g_stop) {
            if (Due.empty()) {
                Wake.wait_for(lock, std::chrono::milliseconds(20));
                continue;
            }
            if (Clock::now() < Due.front().first) {
                Wake.wait_until(lock, Due.front().first);
                continue;
            }
            const Bytes reply = std::move(Due.front().second);
            Due.erase(Due.begin());
            Send(reply);
        }
    }
};

std::set<long> numberList(const char* text)
{
    std::set<long> numbers;
    std::istringstream in(text ? text : "");
    for (std::string item; std::getline(in, item, ',');)
        if (!item.empty())
            numbers.insert(std::stol(item));
    return numbers;
}

// A record of the bank must have the length its kind gives it; anything cut
// short or run together is refused, so the sender sees it.
bool arrivedWhole(const Bytes& m)
{
    if (m.size() < 5 || m.front() != 0xF0 || m.back() != 0xF7)
        return false;
    for (std::size_t i = 1; i + 1 < m.size(); ++i)
        if (m[i] & 0x80)
            return false;
    if (m[1] != 0x7D || m[2] != 0x22)
        return true;
    switch (m[3]) {
    case 0x31: {
        if (m.size() < 121)
            return false;
        const std::size_t pre = m[118];
        if (119 + 2 * pre >= m.size())
            return false;
        const std::size_t post = m[119 + 2 * pre];
        return m.size() == 121 + 2 * (pre + post);
    }
    case 0x33:
        return m.size() == 58;
    case 0x22:
        return m.size() == 8;
    default:
        return true;
    }
}

void onInput(double, std::vector<unsigned char>* message, void* user)
{
    auto& emulator = *static_cast<Emulator*>(user);
    const Bytes& m = *message;
    std::fwrite(m.data(), 1, m.size(), emulator.Log);
    std::fflush(emulator.Log);
    const bool silent = emulator.SilentAt.count(++emulator.Received) != 0;
    if (!arrivedWhole(m)) {
        ++emulator.Refused;
        if (!silent)
            emulator.Queue({0xF0, 0x7D, 0x22, 0x7F, 0x4E, 0x4E, 0x4E, 0xF7});
        return;
    }
    auto reply = emulator.Model.Answer(m);
    if (reply && !silent)
        emulator.Queue(*reply);
}

void reportError(RtMidiError::Type type, const std::string& text, void*)
{
    if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING)
        std::cerr << "emulator: " << text << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: zlv_keypad_emulator <client name> <log file>\n";
        return 2;
    }
    const std::string client = argv[1];
    Emulator emulator;
    emulator.Log = std::fopen(argv[2], "wb");
    if (!emulator.Log) {
        std::cerr << "emulator: cannot write " << argv[2] << "\n";
        return 1;
    }
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    if (const char* ms = std::getenv("ZLV_KEYPAD_DOUBLE_MS"))
        emulator.Double = std::chrono::milliseconds(std::atol(ms));
    emulator.SilentAt = numberList(std::getenv("ZLV_KEYPAD_SILENT_AT"));
    emulator.SplitByClock = std::getenv("ZLV_KEYPAD_CLOCK") != nullptr;
    std::thread sender;
    try {
        emulator.Out = std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, client);
        emulator.Out->setErrorCallback(&reportError);
        emulator.Out->openVirtualPort("out");
        auto in = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, client);
        in->setErrorCallback(&reportError);
        in->ignoreTypes(false, true, true);
        in->setCallback(&onInput, &emulator);
        in->openVirtualPort("in");
        sender = std::thread([&emulator] { emulator.RunSender(); });
        std::cout << "READY" << std::endl;
        while (!g_stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        emulator.Wake.notify_one();
        sender.join();
        in->closePort();
        emulator.Out->closePort();
        // Let a JACK cycle still running end before the objects go.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        in.reset();
        emulator.Out.reset();
    } catch (const RtMidiError& error) {
        std::cerr << "emulator: " << error.getMessage() << "\n";
        g_stop = true;
        if (sender.joinable())
            sender.join();
        return 1;
    }
    std::fclose(emulator.Log);
    std::cout << "refused " << emulator.Refused << " presets " << emulator.Model.PresetsStored << " chains "
              << emulator.Model.ChainsStored << " firmware " << emulator.Model.FirmwareMessages << std::endl;
    return 0;
}
