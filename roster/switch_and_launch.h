// Making one pet live and starting the host program.
#pragma once
#include <functional>
#include <string>

#include "platform/platform.h"
#include "platform/profile_store.h"
#include "platform/failure.h"
#include "roster/pet_files.h"

// Asked, about the pet of that name, whether its backup is to be its file again.
using RestoreQuestion = std::function<bool(const std::string& petName)>;

// Puts the live file away under the outgoing pet's name, records the incoming pet as
// current, backs up the incoming pet's file and moves it into the live name, deletes the old
// settings file and starts the host. The settings file names the pet whose data is live at
// every step: nothing is recorded while the live file stays, and nothing is brought in
// while the record has not landed (the live file then goes back). `profile` is the settings
// file as this run read it; the record is written into it.
// A switch that cannot be made starts nothing: the user chose another pet than the live one;
// so does a host program that runs, or a No to bringing back a pet whose backup is all that
// is left of it. A pet with no file at all (adopted, never launched) is no failure: the host
// starts it anew.
Failure SwitchAndLaunch(Platform& platform, ProfileStore& store, Profile& profile, const SwitchEntries& entries,
                        const std::string& hostPath, const RestoreQuestion& restore);
