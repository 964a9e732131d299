// The roster as Zandry.ini holds it: [PetList] entry and Petname0.., [NowPet] number, and
// [Kirimo] Ver, read from and written into one look at the file, which the caller saves.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"

// More names than this the list controls of the older Windows family cannot hold; a larger
// stored count is taken as this, so a corrupted count cannot keep a loop going for hours.
constexpr int kMaxPetCount = 32767;

struct Roster {
    std::vector<std::string> names;
    int current = 0;  // the stored current pet index, not checked against the names
};

// The stored count of names, from 0 (for any count below) to kMaxPetCount.
int ReadPetCount(const Profile& profile);
std::string GetPetName(const Profile& profile, int index);
// Each entry's name as GetPetName gives it, "" where the file has none, in one walk over the
// file: views into the profile's text, good while it stays unchanged.
std::vector<std::string_view> PetNames(const Profile& profile);
Roster ReadRoster(const Profile& profile);
// The stored current pet index, 0 when missing; it may name no entry.
int ReadCurrentPetIndex(const Profile& profile);
std::string GetCurrentPetName(const Profile& profile);
std::string GetHostExecutableName(const Profile& profile);
// Whether the settings file gives the name back as written: the profile reader drops blanks
// at either end and a pair of quotes around it, so another name would lead to no files.
bool StoresUnchanged(const std::string& petName);
void WriteCurrentPetIndex(Profile& profile, int index);

// The names of the management window and its current pet index; removes the name key
// left over just past the end.
void SaveRoster(Profile& profile, const std::vector<std::string>& names, int current);
// The first-run write: the live file's title enters as "default" and becomes current.
void SaveInitialRoster(Profile& profile, const std::vector<std::string>& titles,
                       const std::string& hostExecutable);
