// Making one pet live and starting the host program.
#pragma once
#include <string>

#include "platform/platform.h"
#include "roster/profile_store.h"

// Records the pet at `index` as current, puts the live file away under the outgoing pet's
// name, backs up the incoming pet's file and moves it into the live name, deletes the old
// settings file and starts the host. No step can replace or delete a pet's data. The
// settings file keeps naming the pet whose data is live: when the record cannot be written
// no file moves, and when the live file cannot be put away the outgoing pet stays current.
void SwitchAndLaunch(Platform& platform, ProfileStore& store, int index,
                     const std::string& hostPath);
