#include "SimKeypad.h"

#include "MidiSeams.h"

#include <algorithm>
#include <string>
#include <utility>

namespace zlv::test {

SimKeypad::SimKeypad() : m_previous(SetMidiDriver(this)), m_thread([this] { run(); }) {}

SimKeypad::~SimKeypad()
{
    {
        std::lock_guard lock(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
    SetMidiDriver(m_previous);
}

void SimKeypad::SetDeviceCounts(int outputs, int inputs)
{
    Outputs.clear();
    Inputs.clear();
    for (int i = 0; i < outputs; ++i)
        Outputs.push_back({0x7D, static_cast<std::uint16_t>(i), "Sim MIDI Out " + std::to_string(i + 1)});
    for (int i = 0; i < inputs; ++i)
        Inputs.push_back({0x7D, static_cast<std::uint16_t>(i), "Sim MIDI In " + std::to_string(i + 1)});
}

int SimKeypad::OutDeviceCount() { return static_cast<int>(Outputs.size()); }
int SimKeypad::InDeviceCount() { return static_cast<int>(Inputs.size()); }

bool SimKeypad::GetOutDeviceCaps(int id, MidiDeviceCaps& caps)
{
    if (id < 0 || id >= OutDeviceCount() || id == FailOutCapsAt)
        return false;
    caps = Outputs[static_cast<std::size_t>(id)];
    return true;
}

bool SimKeypad::GetInDeviceCaps(int id, MidiDeviceCaps& caps)
{
    if (id < 0 || id >= InDeviceCount() || id == FailInCapsAt)
        return false;
    caps = Inputs[static_cast<std::size_t>(id)];
    return true;
}

bool SimKeypad::OpenOutput(int id)
{
    if (m_outOpen || id < 0 || id >= OutDeviceCount() || id == FailOpenOutAt)
        return false;
    m_outOpen = true;
    return true;
}

void SimKeypad::CloseOutput() { m_outOpen = false; }

bool SimKeypad::SendLongMessage(const std::uint8_t* data, std::size_t size)
{
    if (!m_outOpen || FailSends)
        return false;
    std::this_thread::sleep_for(std::exchange(NextHandOverHold, 0ms));
    Bytes message(data, data + size);
    Received.push_back(message);
    const auto start = Clock::now();
    SendTimes.push_back(start);

    std::chrono::milliseconds delay = ReplyDelay;
    std::optional<Bytes> reply;
    if (Responder) {
        reply = Responder(message, static_cast<int>(Received.size()), delay);
    } else {
        switch (Mode) {
        case Answering::Normal:
            reply = Keypad.Answer(message);
            break;
        case Answering::Silent:
            break;
        case Answering::Garbage:
            reply = Bytes{0xF0, 0x12, 0x34, 0x56, 0x78, 0x7F, 0x7F, 0xF7};
            break;
        case Answering::Refusing:
            reply = Keypad.Answer(message);
            if (reply)
                std::replace(reply->begin(), reply->end(), std::uint8_t{0x41}, std::uint8_t{0x4E});
            break;
        }
    }
    // The delay counts from the start of the output, which may still run.
    if (reply)
        schedule(std::move(*reply), delay - std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start));
    if (OutputTime.count() > 0)
        std::this_thread::sleep_until(start + OutputTime);
    return true;
}

bool SimKeypad::OpenInput(int id, MidiInputSink& sink)
{
    std::lock_guard lock(m_lock);
    if (m_inOpen || id < 0 || id >= InDeviceCount() || id == FailOpenInAt)
        return false;
    m_inOpen = true;
    m_sink = &sink;
    m_closeFailuresLeft = CloseInputFailures;
    return true;
}

bool SimKeypad::StartInput()
{
    std::lock_guard lock(m_lock);
    m_started = m_inOpen;
    return m_started;
}

void SimKeypad::StopInput()
{
    std::lock_guard lock(m_lock);
    m_started = false;
}

bool SimKeypad::CloseInput()
{
    std::lock_guard lock(m_lock);
    ++CloseInputCalls;
    if (m_closeFailuresLeft != 0) {
        if (m_closeFailuresLeft > 0)
            --m_closeFailuresLeft;
        return false;
    }
    m_inOpen = false;
    m_started = false;
    m_sink = nullptr;
    return true;
}

bool SimKeypad::InputOpen() const
{
    std::lock_guard lock(m_lock);
    return m_inOpen;
}

void SimKeypad::Inject(Bytes input, std::chrono::milliseconds delay) { schedule(std::move(input), delay); }

void SimKeypad::schedule(Bytes data, std::chrono::milliseconds delay)
{
    {
        std::lock_guard lock(m_lock);
        m_pending.push_back({Clock::now() + delay, std::move(data)});
        std::stable_sort(m_pending.begin(), m_pending.end(),
                         [](const Pending& a, const Pending& b) { return a.Due < b.Due; });
    }
    m_wake.notify_all();
}

void SimKeypad::WaitIdle()
{
    std::unique_lock lock(m_lock);
    m_idle.wait(lock, [this] { return m_pending.empty(); });
}

// The keypad's side of the cable: hands each reply to the link when it is due,
// on this thread, as a MIDI driver does on its own.
void SimKeypad::run()
{
    std::unique_lock lock(m_lock);
    while (!m_stop) {
        if (m_pending.empty()) {
            m_wake.wait(lock);
            continue;
        }
        const auto due = m_pending.front().Due;
        if (Clock::now() < due) {
            m_wake.wait_until(lock, due);
            continue;
        }
        Pending next = std::move(m_pending.front());
        m_pending.erase(m_pending.begin());
        // Input that arrives while the port is closed or stopped is lost.
        if (m_started && m_sink)
            m_sink->OnSysExInput(next.Data.data(), next.Data.size());
        if (m_pending.empty())
            m_idle.notify_all();
    }
}

} // namespace zlv::test
