// Roster operations over the profile store. A failed write leaves the file as it was; the
// writers tell whether all of theirs arrived, for the callers whose files must follow.
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
    roster.current = ReadCurrentPetIndex(store);
    return roster;
}

int ReadCurrentPetIndex(ProfileStore& store) { return store.ProfileReadInt(kNowPet, kNumber, 0); }

std::string GetCurrentPetName(ProfileStore& store) {
    return GetPetName(store, ReadCurrentPetIndex(store));
}

std::string GetHostExecutableName(ProfileStore& store) {
    return store.ProfileReadText(kKirimo, kVer);
}

bool WriteCurrentPetIndex(ProfileStore& store, int index) {
    return store.ProfileWriteInt(kNowPet, kNumber, index);
}

bool SaveRoster(ProfileStore& store, const std::vector<std::string>& names, int current) {
    ProfileWriteBatch batch(store);
    int count = static_cast<int>(names.size());
    bool saved = store.ProfileWriteInt(kPetList, kEntry, count);
    for (int i = 0; i < count; ++i) saved = store.ProfileWriteText(kPetList, NameKey(i), names[i]) && saved;
    saved = store.ProfileWriteText(kPetList, NameKey(count), std::nullopt) && saved;
    saved = WriteCurrentPetIndex(store, current) && saved;
    return batch.Commit() && saved;
}

void SaveInitialRoster(ProfileStore& store, const std::vector<std::string>& titles,
                       const std::string& hostExecutable) {
    ProfileWriteBatch batch(store);
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
