// Roster operations over one look at the settings file.
#include "roster/roster.h"

#include "platform/text.h"
#include "roster/host_files.h"

namespace {
const char kPetList[] = "PetList";
const char kEntry[] = "entry";
const char kNowPet[] = "NowPet";
const char kNumber[] = "number";
const char kKirimo[] = "Kirimo";
const char kVer[] = "Ver";
const char kRename[] = "Rename";
const char kDefaultPet[] = "default";

std::string NameKey(int index) { return "Petname" + std::to_string(index); }
}  // namespace

int ReadPetCount(const Profile& profile) {
    int count = profile.ProfileReadInt(kPetList, kEntry, 0);
    return count > kMaxPetCount ? kMaxPetCount : count;
}

std::string GetPetName(const Profile& profile, int index) {
    return profile.ProfileReadText(kPetList, NameKey(index));
}

Roster ReadRoster(const Profile& profile) {
    Roster roster;
    int count = ReadPetCount(profile);
    for (int i = 0; i < count; ++i) roster.names.push_back(GetPetName(profile, i));
    roster.current = ReadCurrentPetIndex(profile);
    return roster;
}

int ReadCurrentPetIndex(const Profile& profile) { return profile.ProfileReadInt(kNowPet, kNumber, 0); }

std::string GetCurrentPetName(const Profile& profile) {
    return GetPetName(profile, ReadCurrentPetIndex(profile));
}

std::string GetHostExecutableName(const Profile& profile) {
    return profile.ProfileReadText(kKirimo, kVer);
}

void WriteCurrentPetIndex(Profile& profile, int index) { profile.ProfileWriteInt(kNowPet, kNumber, index); }

void SaveRoster(Profile& profile, const std::vector<std::string>& names, int current) {
    int count = static_cast<int>(names.size());
    profile.ProfileWriteInt(kPetList, kEntry, count);
    for (int i = 0; i < count; ++i) profile.ProfileWriteText(kPetList, NameKey(i), names[i]);
    profile.ProfileWriteText(kPetList, NameKey(count), std::nullopt);
    WriteCurrentPetIndex(profile, current);
}

void SaveInitialRoster(Profile& profile, const std::vector<std::string>& titles,
                       const std::string& hostExecutable) {
    int count = static_cast<int>(titles.size());
    profile.ProfileWriteInt(kPetList, kEntry, count);
    int current = -1;
    for (int i = 0; i < count; ++i) {
        std::string name = titles[i];
        if (text::Compare(name, kLiveFileTitle) == 0) {
            name = kDefaultPet;
            current = i;
        }
        profile.ProfileWriteText(kPetList, NameKey(i), name);
    }
    WriteCurrentPetIndex(profile, current);
    profile.ProfileWriteText(kKirimo, kVer, hostExecutable);
}

void WriteRenameRecord(Profile& profile, const RenameRecord& record) {
    bool none = record.from.empty() && record.to.empty();
    profile.ProfileWriteText(kRename, "from", none ? std::nullopt : std::optional(record.from));
    profile.ProfileWriteText(kRename, "to", none ? std::nullopt : std::optional(record.to));
}

RenameRecord ReadRenameRecord(const Profile& profile) {
    return {profile.ProfileReadText(kRename, "from"), profile.ProfileReadText(kRename, "to")};
}
