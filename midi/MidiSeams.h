#pragma once

#include "MidiDriver.h"
#include "TransferProgress.h"
