// The switch in its fixed order. A failed file step does not stop the later ones; results
// are looked at only where the settings file must stay true to what the live file holds.
#include "roster/switch_and_launch.h"

#include "roster/host_files.h"
#include "roster/pet_files.h"
#include "roster/roster.h"

void SwitchAndLaunch(Platform& platform, ProfileStore& store, int index,
                     const std::string& hostPath) {
    int outgoingIndex = ReadCurrentPetIndex(store);
    std::string outgoing = GetPetName(store, outgoingIndex);
    // Files moved while the settings file still names the outgoing pet would make the
    // incoming pet's data the outgoing one's, to be deleted by that pet's discard.
    bool recorded = WriteCurrentPetIndex(store, index);
    std::string incoming = GetPetName(store, index);
    if (recorded) {
        bool putAway = IsBarePetName(outgoing) && platform.RenameFile(kLiveFile, PetFile(outgoing));
        // A live file that stays holds the outgoing pet's data, so that pet stays current.
        if (!putAway && platform.StatFile(kLiveFile).exists) WriteCurrentPetIndex(store, outgoingIndex);
        if (IsBarePetName(incoming)) {
            platform.CopyFileReplacing(PetFile(incoming), BackupFile(incoming));
            platform.RenameFile(PetFile(incoming), kLiveFile);
        }
    }
    platform.RemoveFile(kOldSettingsFile);
    platform.StartProgram(hostPath);
}
