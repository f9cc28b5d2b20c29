#pragma once

#include "UserMessage.h"
#include "SafeFile.h"
