// The MIDI driver the program runs on: every RtMidi API that starts on this
// machine (ALSA, JACK, WinMM, CoreMIDI), its ports listed one after the other.
#pragma once

#include "MidiDriver.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class RtMidiIn;
class RtMidiOut;

namespace zlv {

class RtMidiDriver final : public MidiDriver {
public:
    // clientName is how the program shows up on the MIDI system (a JACK client
    // name, an ALSA client name).
    explicit RtMidiDriver(std::string clientName = "Zelvane Editor");
    ~RtMidiDriver() override;
    RtMidiDriver(const RtMidiDriver&) = delete;
    RtMidiDriver& operator=(const RtMidiDriver&) = delete;

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
    struct Port {
        int Api;
        unsigned Index;
        std::string Name;
    };
    struct Probe;
    class JackServer;

    friend struct RtMidiCallbacks;

    static bool serverGone(const std::shared_ptr<JackServer>& server);
    std::shared_ptr<JackServer> jackServer();
    void startApis();
    void onInput(const std::vector<unsigned char>& message);

    std::string m_clientName;
    // Declared before everything that may belong to it, so that it goes last.
    std::shared_ptr<JackServer> m_jack;
    std::vector<std::unique_ptr<Probe>> m_probes;
    std::vector<Port> m_outPorts;
    std::vector<Port> m_inPorts;

    // The open ports, and for JACK the server each belongs to.
    std::unique_ptr<RtMidiOut> m_out;
    int m_outApi = 0;
    std::shared_ptr<JackServer> m_outServer;
    std::unique_ptr<RtMidiIn> m_in;
    int m_inApi = 0;
    std::shared_ptr<JackServer> m_inServer;
    // Set by RtMidi's error callback while a message goes out: it was not delivered.
    std::atomic<bool> m_outError{false};
    std::atomic<bool> m_inputRunning{false};
    std::atomic<MidiInputSink*> m_sink{nullptr};
};

} // namespace zlv
