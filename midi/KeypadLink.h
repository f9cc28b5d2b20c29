// Everything the main window's commands use of the keypad link. Paths are 8-bit
// strings: pass QFile::encodeName(path).toStdString().
#pragma once

#include "KeypadQueries.h"
#include "MidiExchange.h"
#include "MidiPorts.h"
#include "SyxMessageList.h"
#include "TransferProgress.h"
