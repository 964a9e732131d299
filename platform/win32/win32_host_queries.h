// The Win32 host queries, with Toolhelp's process list taken from a module of the caller's
// choice: kernel32 in the program, a module without it where tests play NT 4.0.
#pragma once
#include <windows.h>

#include <memory>

#include "platform/host_queries.h"

std::unique_ptr<HostQueries> MakeHostQueries(HMODULE toolhelpModule);
