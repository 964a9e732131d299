// The roster as Zandry.ini holds it: [PetList] entry and Petname0.., [NowPet] number, and
// [Kirimo] Ver. Nothing is kept in memory; every call reads or writes the file.
#pragma once
#include <string>
#include <vector>

#include "roster/profile_store.h"

// More names than this the list controls of the older Windows family cannot hold; a larger
// stored count is taken as this, so a corrupted count cannot keep a loop going for hours.
constexpr int kMaxPetCount = 32767;

struct Roster {
    std::vector<std::string> names;
    int current = 0;  // the stored current pet index, not checked against the names
};

// The stored count of names, at most kMaxPetCount; 0 or less means an empty roster.
int ReadPetCount(ProfileStore& store);
std::string GetPetName(ProfileStore& store, int index);
Roster ReadRoster(ProfileStore& store);
// The stored current pet index, 0 when missing; it may name no entry.
int ReadCurrentPetIndex(ProfileStore& store);
std::string GetCurrentPetName(ProfileStore& store);
std::string GetHostExecutableName(ProfileStore& store);
// True when the write reached the settings file.
bool WriteCurrentPetIndex(ProfileStore& store, int index);

// Writes the names of the management window and its current pet index; removes the name
// key left over just past the end. True when every write reached the settings file.
bool SaveRoster(ProfileStore& store, const std::vector<std::string>& names, int current);
// The first-run write: the live file's title enters as "default" and becomes current.
void SaveInitialRoster(ProfileStore& store, const std::vector<std::string>& titles,
                       const std::string& hostExecutable);
