// Every test seam of the keypad link, in one place. Each is process-wide and
// stays installed until replaced: a test installs its own in SetUp (or a
// constructor) and puts back what the call returned in TearDown (or the
// destructor).
//
// - SetMidiDriver (MidiDriver.h): the driver the ports are listed and opened on.
//   A test installs a simulated keypad (tests/midi/SimKeypad.h does so for its
//   lifetime) with device lists, failing opens and a keypad that answers on a
//   thread of its own; null goes back to the RtMidi backend.
// - SetTransferProgress (TransferProgress.h): the progress the list senders
//   drive. A test installs a recorder of the maximum, the steps and the hide,
//   whose ProcessPendingMessages may run a command between two messages; the
//   progress window installs itself the same way.
#pragma once

#include "MidiDriver.h"
#include "TransferProgress.h"
