// The settings file, read in one look per operation and replaced whole: the new bytes go to
// a file beside it, flushed, which then takes its place in one step. Where the system cannot
// replace in one step (95, 98, Me) the old file is deleted first; until the rename, the file
// beside it is the settings file, and Recover finishes what a stop cut short. So a stop or a
// failed call leaves the old settings or the new, never a mixture and never none.
#pragma once
#include <optional>
#include <string>

#include "platform/failure.h"
#include "platform/platform.h"
#include "platform/profile.h"

class ProfileStore {
public:
    explicit ProfileStore(Platform& platform) : platform_(platform) {}

    void Bind(const std::string& settingsPath);
    // The settings file as what stood in the way of a read or a save.
    Failure ReadFailure() const { return {Failure::Read, file_}; }
    Failure WriteFailure() const { return {Failure::Write, file_}; }
    // Finishes or drops a replacement that a stop cut short. What stood in the way when a
    // file is left beside the settings file: the settings file that cannot come back from
    // it, or cannot be saved while it stays.
    Failure Recover();
    // The file as it stands, empty when there is none; nullopt when it exists but cannot be
    // read, and then nothing may act on what it would have said.
    std::optional<Profile> Load();
    // Replaces the file with the profile, when a write changed it; false leaves the old one.
    bool Save(const Profile& profile);

private:
    Platform& platform_;
    std::string file_;
    std::string beside_;  // the new bytes, until they take the file's place
};
