// The live file's put-away, undone when its record cannot be saved, and the host check
// before it.
#include "roster/live_file.h"

#include "platform/host_detection.h"
#include "roster/host_files.h"
#include "roster/pet_files.h"

Failure HostInTheWay(Platform& platform, const std::string& hostPath) {
    return IsHostRunning(platform.Host(), hostPath) == 1 ? Failure{Failure::HostRunning, hostPath} : Failure{};
}

PutAway PutLiveFileAway(Platform& platform, const Profile& profile, const PetEntry& current) {
    const std::string owner = current.listed ? current.name : GetCurrentPetName(profile);
    const std::string to = PetFile(owner);
    if ((current.listed ? current.ownFiles : IsBarePetName(owner)) && platform.RenameFile(kLiveFile, to))
        return {{}, true, to};
    if (platform.StatFile(kLiveFile).MayExist()) return {{Failure::Rename, kLiveFile, to}, false, to};
    return {{}, false, to};
}

bool SaveOrPutBack(Platform& platform, ProfileStore& store, const Profile& profile, const PutAway& away) {
    if (store.Save(profile)) return true;
    if (away.moved) platform.RenameFile(away.to, kLiveFile);
    return false;
}
