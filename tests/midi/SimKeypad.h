// A MIDI driver with a keypad behind it, for tests: device lists of any size,
// capability reads and opens that fail at a chosen id, and a keypad that answers
// on a thread of its own, after a chosen delay, rightly, wrongly, with garbage or
// not at all.
#pragma once

#include "KeypadModel.h"
#include "MidiDriver.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace zlv::test {

using namespace std::chrono_literals;

class SimKeypad final : public MidiDriver {
public:
    using Clock = std::chrono::steady_clock;

    enum class Answering {
        Normal,   // as KeypadModel answers
        Silent,   // never
        Garbage,  // a System Exclusive message that means nothing
        Refusing, // the acknowledge carries 'N' where the 'A' belongs
    };

    // Installs itself as the link's driver until destroyed.
    SimKeypad();
    ~SimKeypad() override;
    SimKeypad(const SimKeypad&) = delete;
    SimKeypad& operator=(const SimKeypad&) = delete;

    // Device lists; set them before the link enumerates.
    std::vector<MidiDeviceCaps> Outputs{{0, 0, "Sim Keypad Out"}};
    std::vector<MidiDeviceCaps> Inputs{{0, 0, "Sim Keypad In"}};
    void SetDeviceCounts(int outputs, int inputs);
    int FailOutCapsAt = -1;
    int FailInCapsAt = -1;
    int FailOpenOutAt = -1;
    int FailOpenInAt = -1;
    // How many close attempts of the input fail first; -1: it never closes.
    int CloseInputFailures = 0;
    bool FailSends = false;
    // How long a message takes to go out: SendLongMessage returns after it.
    std::chrono::milliseconds OutputTime{0};
    // How long the next hand-over is held up before the keypad records the
    // message, as a busy machine or a slow driver call holds it; once.
    std::chrono::milliseconds NextHandOverHold{0};

    // The keypad. Set these while no exchange runs.
    KeypadModel Keypad;
    Answering Mode = Answering::Normal;
    // Counted from the start of the output (see OutputTime).
    std::chrono::milliseconds ReplyDelay{0};
    // When set, answers in the keypad's place: the reply to the `number`th
    // message received (from 1), or nothing; may change the delay of this reply.
    std::function<std::optional<Bytes>(const Bytes& message, int number, std::chrono::milliseconds& delay)>
        Responder;

    // Input the keypad sends on its own, after `delay`.
    void Inject(Bytes input, std::chrono::milliseconds delay = 0ms);
    // Waits until every reply due has been handed to the link.
    void WaitIdle();

    // What went out, in order, and when each message was handed to the driver.
    std::vector<Bytes> Received;
    std::vector<Clock::time_point> SendTimes;
    int CloseInputCalls = 0;
    bool OutputOpen() const { return m_outOpen; }
    bool InputOpen() const;

    int OutDeviceCount() override;
    int InDeviceCount() override;
    bool GetOutDeviceCaps(int id, MidiDeviceCaps& caps) override;
    bool GetInDeviceCaps(int id, MidiDeviceCaps& caps) override;
    bool OpenOutput(int id) override;
    void CloseOutput() override;
    bool SendLongMessage(const std::uint8_t* data, std::size_t size) override;
    bool OpenInput(int id, MidiInputSink& sink) override;
    bool StartInput() override;
    void StopInput() override;
    bool CloseInput() override;

private:
    struct Pending {
        Clock::time_point Due;
        Bytes Data;
    };
    void schedule(Bytes data, std::chrono::milliseconds delay);
    void run();

    MidiDriver* m_previous = nullptr;
    bool m_outOpen = false;
    int m_closeFailuresLeft = 0;

    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::vector<Pending> m_pending;
    MidiInputSink* m_sink = nullptr;
    bool m_inOpen = false;
    bool m_started = false;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace zlv::test
