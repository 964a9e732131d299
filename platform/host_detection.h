// Whether a process of the host program is running.
#pragma once
#include <string>

#include "platform/platform.h"

// 1 when a process of the program at hostPath runs, else 0; every failure answers 0.
int IsHostRunning(Platform& platform, const std::string& hostPath);
