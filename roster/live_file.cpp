// The live file's put-away, undone when its record cannot be saved, and the host check
// before it.
#include "roster/live_file.h"

#include "platform/host_detection.h"
#include "roster/host_files.h"
#include "roster/pet_files.h"

Failure HostInTheWay(Platform& platform, const std::string& hostPath) {
    if (IsHostRunning(platform.Host(), hostPath) == 1) return {Failure::HostRunning, hostPath};
    return {};
}

PutAway PutLiveFileAway(Platform& platform, const Profile& profile, const PetEntry& current) {
    std::string owner = current.listed ? current.name : GetCurrentPetName(profile);
    if ((current.listed ? current.ownFiles : IsBarePetName(owner)) &&
        platform.RenameFile(kLiveFile, PetFile(owner)))
        return {true, true, PetFile(owner)};
    return {!platform.StatFile(kLiveFile).MayExist(), false, PetFile(owner)};
}

Failure PutAwayFailure(const PutAway& away) { return {Failure::Rename, kLiveFile, away.to}; }

bool SaveOrPutBack(Platform& platform, ProfileStore& store, const Profile& profile, const PutAway& away) {
    if (store.Save(profile)) return true;
    if (away.moved) platform.RenameFile(away.to, kLiveFile);
    return false;
}
