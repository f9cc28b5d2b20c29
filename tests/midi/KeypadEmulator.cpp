// A keypad on a JACK MIDI port pair, for the end-to-end test: answers like the
// simulated keypad, refuses a record that did not arrive whole, and appends
// every message it receives to a log file so the test can check every byte.
//
//   zlv_keypad_emulator <client name> <log file>
//
// Prints READY once its ports are up; runs until SIGTERM or SIGINT.
#include "KeypadModel.h"

#include <rtmidi/RtMidi.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

namespace {

using zlv::test::Bytes;

std::atomic<bool> g_stop{false};

extern "C" void onSignal(int) { g_stop = true; }

struct Emulator {
    zlv::test::KeypadModel Model;
    std::unique_ptr<RtMidiOut> Out;
    std::FILE* Log = nullptr;
    long Refused = 0;
};

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
    if (!arrivedWhole(m)) {
        ++emulator.Refused;
        const Bytes refusal = {0xF0, 0x7D, 0x22, 0x7F, 0x4E, 0x4E, 0x4E, 0xF7};
        emulator.Out->sendMessage(refusal.data(), refusal.size());
        return;
    }
    if (auto reply = emulator.Model.Answer(m))
        emulator.Out->sendMessage(reply->data(), reply->size());
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
    try {
        emulator.Out = std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, client);
        emulator.Out->setErrorCallback(&reportError);
        emulator.Out->openVirtualPort("out");
        auto in = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, client);
        in->setErrorCallback(&reportError);
        in->ignoreTypes(false, true, true);
        in->setCallback(&onInput, &emulator);
        in->openVirtualPort("in");
        std::cout << "READY" << std::endl;
        while (!g_stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        in->closePort();
        emulator.Out->closePort();
        // Let a JACK cycle still running end before the objects go.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        in.reset();
        emulator.Out.reset();
    } catch (const RtMidiError& error) {
        std::cerr << "emulator: " << error.getMessage() << "\n";
        return 1;
    }
    std::fclose(emulator.Log);
    std::cout << "refused " << emulator.Refused << " presets " << emulator.Model.PresetsStored << " chains "
              << emulator.Model.ChainsStored << " firmware " << emulator.Model.FirmwareMessages << std::endl;
    return 0;
}
