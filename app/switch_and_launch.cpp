// The switch, in its fixed order; no result is examined.
#include "app/switch_and_launch.h"

#include "app/host_files.h"
#include "app/pet_files.h"
#include "roster/roster.h"

void SwitchAndLaunch(Platform& platform, ProfileStore& store, int index,
                     const std::string& hostPath) {
    std::string outgoing = GetCurrentPetName(store);
    WriteCurrentPetIndex(store, index);
    std::string incoming = GetPetName(store, index);
    if (IsBarePetName(outgoing)) platform.RenameFile(kLiveFile, PetFile(outgoing));
    if (IsBarePetName(incoming)) {
        platform.CopyFileReplacing(PetFile(incoming), BackupFile(incoming));
        platform.RenameFile(PetFile(incoming), kLiveFile);
    }
    platform.RemoveFile(kOldSettingsFile);
    platform.StartProgram(hostPath);
}
