// The switch in its fixed order; each step runs only where the ones before it leave the
// settings file true to what the live file holds.
#include "roster/switch_and_launch.h"

#include "roster/host_files.h"
#include "roster/live_file.h"
#include "roster/pet_files.h"

namespace {
// Started blank instead, the pet would have its last copy overwritten by its next launch's
// backup. The current pet's file is the live file, while there is one.
bool OnlyItsBackupIsLeft(Platform& platform, const std::string& name, bool current) {
    return !platform.StatFile(PetFile(name)).MayExist() && platform.StatFile(BackupFile(name)).MayExist() &&
           (!current || !platform.StatFile(kLiveFile).MayExist());
}
}  // namespace

Failure SwitchAndLaunch(Platform& platform, ProfileStore& store, Profile& profile, const SwitchEntries& entries,
                        const std::string& hostPath, const RestoreQuestion& restore) {
    const PetEntry& incoming = entries.incoming;
    const int index = incoming.index;
    const bool restoring =
        incoming.ownFiles && OnlyItsBackupIsLeft(platform, incoming.name, index == entries.current.index);
    if (restoring && !restore(incoming.name)) return {};
    if (Failure host = HostInTheWay(platform, hostPath)) return host;
    PutAway away = PutLiveFileAway(platform, profile, entries.current);
    if (away.failure) return away.failure;
    WriteCurrentPetIndex(profile, index);
    if (!SaveOrPutBack(platform, store, profile, away)) return store.WriteFailure();
    if (incoming.ownFiles) {
        const std::string file = PetFile(incoming.name), backup = BackupFile(incoming.name);
        // Moved, not copied, so that no stop leaves half a pet file; the copy back follows.
        if (restoring && !platform.RenameFile(backup, file)) return {Failure::Rename, backup, file};
        platform.CopyFileReplacing(file, backup);
        // Left where it is, the data stays its pet's, as the settings file now says.
        if (!platform.RenameFile(file, kLiveFile) && platform.StatFile(file).MayExist())
            return {Failure::Rename, file, kLiveFile};
    }
    platform.RemoveFile(kOldSettingsFile);
    if (!platform.StartProgram(hostPath)) return {Failure::Start, hostPath};
    return {};
}
