// A rename whose files move after the roster is saved: recorded with it, so that a run
// stopped before the files moved is finished at the next start.
#pragma once
#include <string>

#include "platform/failure.h"
#include "platform/platform.h"
#include "platform/profile_store.h"

// None is "" to "".
struct RenameRecord {
    std::string from, to;
};
void WriteRenameRecord(Profile& profile, const RenameRecord& record);
RenameRecord ReadRenameRecord(const Profile& profile);

// Moves the files of a rename that a stop cut short, as the record in `profile`, the settings
// file as this run read it, says; then the record goes. What stood in the way when the files
// would not move: the record then stays, and nothing may act on the roster it speaks for.
Failure FinishRename(Platform& platform, ProfileStore& store, Profile& profile);
