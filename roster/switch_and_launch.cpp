// The switch in its fixed order; each step runs only where the ones before it leave the
// settings file true to what the live file holds.
#include "roster/switch_and_launch.h"

#include "roster/host_files.h"
#include "roster/pet_files.h"

Failure SwitchAndLaunch(Platform& platform, ProfileStore& store, Profile& profile, const Roster& roster,
                        int index, const std::string& hostPath) {
    const std::vector<std::string>& names = roster.names;
    PutAway away = PutLiveFileAway(platform, profile, roster);
    if (!away.done) return PutAwayFailure(away);
    WriteCurrentPetIndex(profile, index);
    if (!SaveOrPutBack(platform, store, profile, away)) return store.WriteFailure();
    if (index < static_cast<int>(names.size()) && HasOwnFiles(names, index)) {
        const std::string file = PetFile(names[index]);
        platform.CopyFileReplacing(file, BackupFile(names[index]));
        // Left where it is, the data stays its pet's, as the settings file now says.
        if (!platform.RenameFile(file, kLiveFile) && platform.StatFile(file).MayExist())
            return {Failure::Rename, file, kLiveFile};
    }
    platform.RemoveFile(kOldSettingsFile);
    if (!platform.StartProgram(hostPath)) return {Failure::Start, hostPath};
    return {};
}
