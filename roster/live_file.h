// The live file, the one the host program reads: put away under its owner's name before
// another pet comes in, and touched only while the host program is not running.
#pragma once
#include <string>

#include "platform/failure.h"
#include "platform/platform.h"
#include "platform/profile_store.h"
#include "roster/pet_files.h"

// The host program running, as what stands in the way of a step on the live file: it
// would save the pet it holds over whichever pet the live file has become. None when it
// does not run.
Failure HostInTheWay(Platform& platform, const std::string& hostPath);

// Moves the live file to the current pet's file, so that another pet can be made live.
// It fails when the file stays, still holding the current pet's data; it was not moved when
// there was none. With no current entry it goes where the settings file names ("" makes
// ".kmc"), out of every pet's way.
struct PutAway {
    Failure failure;  // the live file, in the way when it stays
    bool moved = false;
    std::string to;  // the current pet's file
};
PutAway PutLiveFileAway(Platform& platform, const Profile& profile, const PetEntry& current);
// Saves the record of what the put-away made true; when the save fails, the live file goes
// back where it was, as the settings file still says.
bool SaveOrPutBack(Platform& platform, ProfileStore& store, const Profile& profile, const PutAway& away);
