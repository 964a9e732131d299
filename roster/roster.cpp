// Roster operations over one look at the settings file.
#include "roster/roster.h"

#include <algorithm>

#include "platform/cp932.h"
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

int ReadPetCount(const Profile& profile) {
    return std::clamp(profile.ProfileReadInt(kPetList, kEntry, 0), 0, kMaxPetCount);
}

std::string GetPetName(const Profile& profile, int index) {
    return profile.ProfileReadText(kPetList, NameKey(index));
}

// The index a name key stands for, as NameKey spells it in any letter case; -1 for any
// other key.
int NameIndex(std::string_view key) {
    auto same = [](char c, char upper) { return cp932::AsciiUpper(c) == upper; };
    if (key.size() < 8 || key.size() > 12 || !std::equal(key.begin(), key.begin() + 7, "PETNAME", same) ||
        (key[7] == '0' && key.size() > 8))
        return -1;
    int index = 0;
    for (char digit : key.substr(7)) {
        if (digit < '0' || digit > '9') return -1;
        index = index * 10 + digit - '0';
    }
    return index;
}

std::vector<std::string_view> PetNames(const Profile& profile) {
    std::vector<std::string_view> names(static_cast<std::size_t>(ReadPetCount(profile)));
    // Each name key's first line, as GetPetName finds it; no other key gives an index in range.
    std::vector<bool> found(names.size());
    profile.ProfileReadKeys(kPetList, [&](std::string_view key, std::string_view name) {
        const auto index = static_cast<std::size_t>(NameIndex(key));
        if (index < names.size() && !found[index]) { found[index] = true; names[index] = name; }
    });
    return names;
}

Roster ReadRoster(const Profile& profile) {
    const std::vector<std::string_view> names = PetNames(profile);
    return {{names.begin(), names.end()}, ReadCurrentPetIndex(profile)};
}

int ReadCurrentPetIndex(const Profile& profile) { return profile.ProfileReadInt(kNowPet, kNumber, 0); }

std::string GetCurrentPetName(const Profile& profile) {
    return GetPetName(profile, ReadCurrentPetIndex(profile));
}

std::string GetHostExecutableName(const Profile& profile) { return profile.ProfileReadText(kKirimo, kVer); }

bool StoresUnchanged(const std::string& petName) {
    Profile profile;
    profile.ProfileWriteText(kPetList, NameKey(0), petName);
    return GetPetName(profile, 0) == petName;
}

void WriteCurrentPetIndex(Profile& profile, int index) {
    profile.ProfileWriteText(kNowPet, kNumber, std::to_string(index));
}

void SaveRoster(Profile& profile, const std::vector<std::string>& names, int current) {
    int count = static_cast<int>(names.size());
    profile.ProfileWriteText(kPetList, kEntry, std::to_string(count));
    for (int i = 0; i < count; ++i) profile.ProfileWriteText(kPetList, NameKey(i), names[i]);
    profile.ProfileWriteText(kPetList, NameKey(count), std::nullopt);
    WriteCurrentPetIndex(profile, current);
}

void SaveInitialRoster(Profile& profile, const std::vector<std::string>& titles,
                       const std::string& hostExecutable) {
    std::vector<std::string> names = titles;
    int current = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (text::Compare(names[i], kLiveFileTitle) != 0) continue;
        names[i] = kDefaultPet;
        current = static_cast<int>(i);
    }
    SaveRoster(profile, names, current);
    profile.ProfileWriteText(kKirimo, kVer, hostExecutable);
}
