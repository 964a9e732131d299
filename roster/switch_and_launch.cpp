// The switch in its fixed order; each step runs only where the ones before it leave the
// settings file true to what the live file holds.
#include "roster/switch_and_launch.h"

#include "roster/host_files.h"
#include "roster/pet_files.h"

void SwitchAndLaunch(Platform& platform, ProfileStore& store, Profile& profile, const Roster& roster,
                     int index, const std::string& hostPath) {
    const std::vector<std::string>& names = roster.names;
    PutAway away = PutLiveFileAway(platform, profile, roster);
    if (away.done) {
        WriteCurrentPetIndex(profile, index);
        if (SaveOrPutBack(platform, store, profile, away) && index < static_cast<int>(names.size()) &&
            HasOwnFiles(names, index)) {
            platform.CopyFileReplacing(PetFile(names[index]), BackupFile(names[index]));
            platform.RenameFile(PetFile(names[index]), kLiveFile);
        }
    }
    platform.RemoveFile(kOldSettingsFile);
    platform.StartProgram(hostPath);
}
