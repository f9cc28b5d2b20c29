#include "RtMidiDriver.h"

#include <rtmidi/RtMidi.h>

#ifdef ZLV_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif
#ifdef ZLV_HAVE_JACK
#include <jack/jack.h>
#endif

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

namespace zlv {

namespace {

// Ports show up under names of at most 31 characters; keep the start.
constexpr std::size_t kShownNameLength = 31;

// RtMidi's JACK output frees its ring buffer before it closes its JACK client;
// a process cycle still running then reads freed memory. Give the cycle time to
// end between closing the port and destroying the object.
constexpr auto kJackCloseGrace = std::chrono::milliseconds(100);

void silentRtMidiError(RtMidiError::Type, const std::string&, void*) {}

#ifdef ZLV_HAVE_ALSA
void silentAlsaError(const char*, int, const char*, int, const char*, ...) {}
#endif
#ifdef ZLV_HAVE_JACK
void silentJackMessage(const char*) {}
#endif

// The libraries under RtMidi print to stderr when their system is missing (no
// ALSA sequencer, no JACK server). A missing system is normal here: the API is
// simply skipped.
void quietSystemLibraries()
{
    static std::once_flag once;
    std::call_once(once, [] {
#ifdef ZLV_HAVE_ALSA
        snd_lib_error_set_handler(&silentAlsaError);
#endif
#ifdef ZLV_HAVE_JACK
        jack_set_error_function(&silentJackMessage);
        jack_set_info_function(&silentJackMessage);
#endif
    });
}

// RtMidi's ALSA objects print to stderr before they throw when there is no
// sequencer (/dev/snd/seq missing); look for it first.
bool alsaSequencerOpens()
{
#ifdef ZLV_HAVE_ALSA
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0)
        return false;
    snd_seq_close(seq);
#endif
    return true;
}

// RtMidi objects whose server went away. Their destructors call into the dead
// server's client, which crashes once a client of a new server is open in the
// process; they are kept, never used and never destroyed, for the rest of the
// process (reachable from here, so a leak checker does not count them).
template <typename Rt>
void abandon(std::unique_ptr<Rt>& object)
{
    static auto* const kept = new std::vector<const void*>;
    if (object)
        kept->push_back(object.release());
}

} // namespace

// A JACK client of our own, without ports, that learns when its server goes
// away (killed, or the desktop's audio restarted). Every RtMidi JACK object made
// while it lives belongs to the same server and dies with it. Connecting it also
// tells whether a server runs at all, before RtMidi's constructors, which warn on
// stderr when none does, before an error callback can be installed.
class RtMidiDriver::JackServer {
public:
    // Null when no JACK server runs.
    static std::shared_ptr<JackServer> Connect(const std::string& clientName)
    {
#ifdef ZLV_HAVE_JACK
        auto server = std::shared_ptr<JackServer>(new JackServer);
        jack_status_t status{};
        server->m_client = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
        if (!server->m_client)
            return nullptr;
        jack_on_shutdown(server->m_client, &JackServer::onShutdown, server.get());
        if (jack_activate(server->m_client) != 0)
            return nullptr;
        return server;
#else
        (void)clientName;
        return nullptr;
#endif
    }
    ~JackServer()
    {
#ifdef ZLV_HAVE_JACK
        // A dead server's client is let go untouched, like the RtMidi objects.
        if (m_client && !Gone())
            jack_client_close(m_client);
#endif
    }
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    bool Gone() const { return m_gone; }

private:
    JackServer() = default;
    static void onShutdown(void* self) { static_cast<JackServer*>(self)->m_gone = true; }

#ifdef ZLV_HAVE_JACK
    jack_client_t* m_client = nullptr;
#endif
    std::atomic<bool> m_gone{false};
};

struct RtMidiCallbacks {
    static void input(double, std::vector<unsigned char>* message, void* self)
    {
        if (message)
            static_cast<RtMidiDriver*>(self)->onInput(*message);
    }
    static void outputError(RtMidiError::Type, const std::string&, void* self)
    {
        static_cast<RtMidiDriver*>(self)->m_outError = true;
    }
};

// One API that started: an input and an output object kept for listing ports,
// and for JACK the server they belong to.
struct RtMidiDriver::Probe {
    RtMidi::Api Api;
    std::shared_ptr<JackServer> Server;
    std::unique_ptr<RtMidiIn> In;
    std::unique_ptr<RtMidiOut> Out;

    ~Probe()
    {
        if (Server && Server->Gone()) {
            abandon(In);
            abandon(Out);
        }
    }
};

RtMidiDriver::RtMidiDriver(std::string clientName) : m_clientName(std::move(clientName)) { quietSystemLibraries(); }

RtMidiDriver::~RtMidiDriver()
{
    StopInput();
    CloseOutput();
    CloseInput();
}

bool RtMidiDriver::serverGone(const std::shared_ptr<JackServer>& server) { return server && server->Gone(); }

// The JACK server the listing objects belong to, connected afresh when the one
// known went away; null when none runs.
std::shared_ptr<RtMidiDriver::JackServer> RtMidiDriver::jackServer()
{
    if (!m_jack || m_jack->Gone())
        m_jack = JackServer::Connect(m_clientName);
    return m_jack;
}

void RtMidiDriver::startApis()
{
    // The objects of a server that went away list its dead ports, or none:
    // the API starts again on the server running now.
    std::erase_if(m_probes, [](const auto& probe) { return serverGone(probe->Server); });
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    for (RtMidi::Api api : apis) {
        if (api == RtMidi::RTMIDI_DUMMY)
            continue;
        const bool started = std::any_of(m_probes.begin(), m_probes.end(),
                                         [api](const auto& probe) { return probe->Api == api; });
        if (started)
            continue;
        std::shared_ptr<JackServer> server;
        if (api == RtMidi::UNIX_JACK && !(server = jackServer()))
            continue;
        if (api == RtMidi::LINUX_ALSA && !alsaSequencerOpens())
            continue;
        try {
            auto probe = std::make_unique<Probe>();
            probe->Api = api;
            probe->Server = server;
            probe->Out = std::make_unique<RtMidiOut>(api, m_clientName);
            probe->Out->setErrorCallback(&silentRtMidiError);
            probe->In = std::make_unique<RtMidiIn>(api, m_clientName);
            probe->In->setErrorCallback(&silentRtMidiError);
            m_probes.push_back(std::move(probe));
        } catch (const RtMidiError&) {
            // This API does not start here (no ALSA sequencer, for instance): skip it.
        }
    }
}

namespace {
template <typename Rt>
void listPorts(Rt& rt, int api, auto& ports)
{
    const unsigned count = rt.getPortCount();
    for (unsigned i = 0; i < count; ++i)
        ports.push_back({api, i, rt.getPortName(i)});
}

// Finds the port listed as `listed` on a freshly made object: by its index when
// the name still matches there, else by its name.
template <typename Rt>
bool findPort(Rt& rt, const std::string& name, unsigned listedIndex, unsigned& index)
{
    const unsigned count = rt.getPortCount();
    if (listedIndex < count && rt.getPortName(listedIndex) == name) {
        index = listedIndex;
        return true;
    }
    for (unsigned i = 0; i < count; ++i) {
        if (rt.getPortName(i) == name) {
            index = i;
            return true;
        }
    }
    return false;
}

bool fillCaps(const std::string& name, MidiDeviceCaps& caps)
{
    caps.ManufacturerId = 0;
    caps.ProductId = 0;
    caps.Name = name.substr(0, kShownNameLength);
    return true;
}
} // namespace

int RtMidiDriver::OutDeviceCount()
{
    startApis();
    m_outPorts.clear();
    for (auto& probe : m_probes)
        listPorts(*probe->Out, probe->Api, m_outPorts);
    return static_cast<int>(m_outPorts.size());
}

int RtMidiDriver::InDeviceCount()
{
    startApis();
    m_inPorts.clear();
    for (auto& probe : m_probes)
        listPorts(*probe->In, probe->Api, m_inPorts);
    return static_cast<int>(m_inPorts.size());
}

bool RtMidiDriver::GetOutDeviceCaps(int id, MidiDeviceCaps& caps)
{
    if (id < 0 || id >= static_cast<int>(m_outPorts.size()))
        return false;
    return fillCaps(m_outPorts[static_cast<std::size_t>(id)].Name, caps);
}

bool RtMidiDriver::GetInDeviceCaps(int id, MidiDeviceCaps& caps)
{
    if (id < 0 || id >= static_cast<int>(m_inPorts.size()))
        return false;
    return fillCaps(m_inPorts[static_cast<std::size_t>(id)].Name, caps);
}

bool RtMidiDriver::OpenOutput(int id)
{
    CloseOutput();
    if (id < 0 || id >= static_cast<int>(m_outPorts.size()))
        return false;
    const Port port = m_outPorts[static_cast<std::size_t>(id)];
    std::shared_ptr<JackServer> server;
    if (port.Api == RtMidi::UNIX_JACK && !(server = jackServer()))
        return false;
    try {
        auto out = std::make_unique<RtMidiOut>(static_cast<RtMidi::Api>(port.Api), m_clientName);
        out->setErrorCallback(&RtMidiCallbacks::outputError, this);
        unsigned index = 0;
        if (!findPort(*out, port.Name, port.Index, index))
            return false;
        m_outError = false;
        out->openPort(index, "out");
        if (m_outError || !out->isPortOpen())
            return false;
        m_out = std::move(out);
        m_outApi = port.Api;
        m_outServer = std::move(server);
        return true;
    } catch (const RtMidiError&) {
        return false;
    }
}

void RtMidiDriver::CloseOutput()
{
    if (!m_out)
        return;
    if (serverGone(std::exchange(m_outServer, nullptr))) {
        abandon(m_out);
        return;
    }
    try {
        m_out->closePort();
    } catch (const RtMidiError&) {
    }
    if (m_outApi == RtMidi::UNIX_JACK)
        std::this_thread::sleep_for(kJackCloseGrace);
    m_out.reset();
}

bool RtMidiDriver::SendLongMessage(const std::uint8_t* data, std::size_t size)
{
    if (!m_out || !m_out->isPortOpen() || size == 0 || serverGone(m_outServer))
        return false;
    // RtMidi only warns (through the error callback) when it could not deliver a
    // message, for instance on a full ALSA queue; that is a failed send.
    m_outError = false;
    try {
        m_out->sendMessage(data, size);
    } catch (const RtMidiError&) {
        return false;
    }
    return !m_outError;
}

bool RtMidiDriver::OpenInput(int id, MidiInputSink& sink)
{
    CloseInput();
    if (id < 0 || id >= static_cast<int>(m_inPorts.size()))
        return false;
    const Port port = m_inPorts[static_cast<std::size_t>(id)];
    std::shared_ptr<JackServer> server;
    if (port.Api == RtMidi::UNIX_JACK && !(server = jackServer()))
        return false;
    try {
        auto in = std::make_unique<RtMidiIn>(static_cast<RtMidi::Api>(port.Api), m_clientName);
        bool failed = false;
        in->setErrorCallback(
            [](RtMidiError::Type type, const std::string&, void* flag) {
                if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING)
                    *static_cast<bool*>(flag) = true;
            },
            &failed);
        unsigned index = 0;
        if (!findPort(*in, port.Name, port.Index, index))
            return false;
        // System Exclusive input is ignored unless asked for; the callback must be
        // in place before the port opens, since input runs from then on.
        in->ignoreTypes(false, true, true);
        m_sink = &sink;
        in->setCallback(&RtMidiCallbacks::input, this);
        in->openPort(index, "in");
        in->setErrorCallback(&silentRtMidiError);
        if (failed || !in->isPortOpen()) {
            m_sink = nullptr;
            return false;
        }
        m_in = std::move(in);
        m_inApi = port.Api;
        m_inServer = std::move(server);
        return true;
    } catch (const RtMidiError&) {
        m_sink = nullptr;
        return false;
    }
}

bool RtMidiDriver::StartInput()
{
    if (!m_in)
        return false;
    m_inputRunning = true;
    return true;
}

void RtMidiDriver::StopInput() { m_inputRunning = false; }

bool RtMidiDriver::CloseInput()
{
    m_inputRunning = false;
    if (!m_in)
        return true;
    if (serverGone(std::exchange(m_inServer, nullptr))) {
        abandon(m_in);
        m_sink = nullptr;
        return true;
    }
    try {
        m_in->closePort();
    } catch (const RtMidiError&) {
    }
    if (m_inApi == RtMidi::UNIX_JACK)
        std::this_thread::sleep_for(kJackCloseGrace);
    m_in.reset();
    m_sink = nullptr;
    return true;
}

void RtMidiDriver::onInput(const std::vector<unsigned char>& message)
{
    if (!m_inputRunning || message.empty() || message.front() != 0xF0)
        return;
    if (MidiInputSink* sink = m_sink)
        sink->OnSysExInput(message.data(), message.size());
}

} // namespace zlv
