// Every test seam of the bank layer, in one place. Each is process-wide and
// stays installed until replaced: a test installs its own in SetUp and puts
// back what the call returned in TearDown.
//
// - SetMessageBoxHandler (UserMessage.h): every message box of the codec goes
//   through the handler. A test installs a recorder that notes text, caption,
//   icon and buttons and answers in the user's place; the Qt layer installs the
//   real box the same way.
// - SetFileFaults (SafeFile.h): makes the file writer fail a write past a given
//   number of bytes, the flush, the close or the rename, or refuse it the
//   unnamed temporary file, so that a test reaches every path of the writers.
//   SetFileFaults({}) fails nothing.
#pragma once

#include "SafeFile.h"
#include "UserMessage.h"
