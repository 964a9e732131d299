// Roster operations over the profile store. Results of writes are ignored: a failed write
// leaves the file as it was and the caller goes on.
#include "roster/roster.h"

#include "app/host_files.h"
#include "platform/text.h"

namespace {
const char kPetList[] = "PetList";
const char kEntry[] = "entry";
const char kNowPet[] = "NowPet";
const char kNumber[] = "number";
const char kKirimo[] = "Kirimo";
const char kVer[] = "Ver";
const char kDefaultPet[] = "default";

std::string NameKey(int index) { return "Petname" + std::to_string(index); }
}  // namespace

int ReadPetCount(ProfileStore& store) {
    int count = store.ProfileReadInt(kPetList, kEntry, 0);
    return count > kMaxPetCount ? kMaxPetCount : count;
}

std::string GetPetName(ProfileStore& store, int index) {
    return store.ProfileReadText(kPetList, NameKey(index));
}

Roster ReadRoster(ProfileStore& store) {
    ProfileSnapshot snapshot(store);
    Roster roster;
    int count = ReadPetCount(store);
    for (int i = 0; i < count; ++i) roster.names.push_back(GetPetName(store, i));
    roster.current = store.ProfileReadInt(kNowPet, kNumber, 0);
    return roster;
}

std::string GetCurrentPetName(ProfileStore& store) {
    return GetPetName(store, store.ProfileReadInt(kNowPet, kNumber, 0));
}

std::string GetHostExecutableName(ProfileStore& store) {
    return store.ProfileReadText(kKirimo, kVer);
}

void WriteCurrentPetIndex(ProfileStore& store, int index) {
    store.ProfileWriteInt(kNowPet, kNumber, index);
}

void SaveRoster(ProfileStore& store, const std::vector<std::string>& names, int current) {
    int count = static_cast<int>(names.size());
    store.ProfileWriteInt(kPetList, kEntry, count);
    for (int i = 0; i < count; ++i) store.ProfileWriteText(kPetList, NameKey(i), names[i]);
    store.ProfileWriteText(kPetList, NameKey(count), std::nullopt);
    WriteCurrentPetIndex(store, current);
}

void SaveInitialRoster(ProfileStore& store, const std::vector<std::string>& titles,
                       const std::string& hostExecutable) {
    int count = static_cast<int>(titles.size());
    store.ProfileWriteInt(kPetList, kEntry, count);
    int current = -1;
    for (int i = 0; i < count; ++i) {
        std::string name = titles[i];
        if (text::Compare(name, kLiveFileTitle) == 0) {
            name = kDefaultPet;
            current = i;
        }
        store.ProfileWriteText(kPetList, NameKey(i), name);
    }
    WriteCurrentPetIndex(store, current);
    store.ProfileWriteText(kKirimo, kVer, hostExecutable);
}
