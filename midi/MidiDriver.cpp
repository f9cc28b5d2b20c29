#include "MidiDriver.h"

#include "RtMidiDriver.h"

#include <utility>

namespace zlv {

namespace {
MidiDriver* g_installed = nullptr;
}

MidiDriver* SetMidiDriver(MidiDriver* driver) { return std::exchange(g_installed, driver); }

MidiDriver& ActiveMidiDriver()
{
    if (g_installed)
        return *g_installed;
    static RtMidiDriver backend;
    return backend;
}

} // namespace zlv
