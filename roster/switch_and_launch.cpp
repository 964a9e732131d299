// The switch in its fixed order; each step runs only where the ones before it leave the
// settings file true to what the live file holds.
#include "roster/switch_and_launch.h"

#include "roster/host_files.h"
#include "roster/pet_files.h"
#include "roster/roster.h"

void SwitchAndLaunch(Platform& platform, ProfileStore& store, int index, const std::string& hostPath) {
    if (std::optional<Profile> profile = store.Load()) {
        PutAway away = PutLiveFileAway(platform, *profile);
        if (away.done) {
            std::vector<std::string> names = ReadRoster(*profile).names;
            WriteCurrentPetIndex(*profile, index);
            if (!store.Save(*profile)) {
                if (!away.movedTo.empty()) platform.RenameFile(away.movedTo, kLiveFile);
            } else if (index < static_cast<int>(names.size()) && HasOwnFiles(names, index)) {
                platform.CopyFileReplacing(PetFile(names[index]), BackupFile(names[index]));
                platform.RenameFile(PetFile(names[index]), kLiveFile);
            }
        }
    }
    platform.RemoveFile(kOldSettingsFile);
    platform.StartProgram(hostPath);
}
