// Each pet's files are named after it: name + ".kmc" while it is not live, name + ".bak"
// for the copy taken when it was last made live. Only a pet that owns its name may have
// its files touched.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/profile_store.h"
#include "platform/failure.h"
#include "roster/roster.h"

std::string PetFile(const std::string& petName);
std::string BackupFile(const std::string& petName);

// True when the name stays a bare file name of the working folder: no "\", "/" or ":" as a
// character, not "." or "..", and no Windows device name (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9, in any case). A name from a hand-edited settings file that is not would move pet
// data out of the folder or onto a device, so such a pet's files are never touched.
bool IsBarePetName(const std::string& petName);
// Windows' file systems take names that differ only in letter case (by the upper-case
// mapping of _mbsicmp, full-width letters too) for one name.
bool SameFileName(const std::string& a, const std::string& b);
// True when the entry's files are its own: a bare name, not empty, that no other entry has
// in any letter case. Files shared by two entries belong to neither for certain, so no file
// step ever acts for such an entry.
bool HasOwnFiles(const std::vector<std::string>& names, int index);

// An entry of the stored roster as a switch needs it.
struct PetEntry {
    int index = -1;
    bool listed = false;  // within the stored count
    std::string name;
    bool ownFiles = false;  // as HasOwnFiles
};
// The entries a switch acts on: the one it brings in, and the current one, which it puts away.
struct SwitchEntries {
    PetEntry incoming, current;
};
// The first entry in roster order that `wanted` accepts, and the current one, read in one
// walk over the settings file that copies no name: at ten thousand names copies cost more.
SwitchEntries ReadSwitchEntries(const Profile& profile,
                                const std::function<bool(int index, std::string_view name)>& wanted);
// The same with the entry at `index` brought in, listed or not.
SwitchEntries ReadSwitchEntries(const Profile& profile, int index);

// Moves a pet's file and backup to a new name, both or neither (a missing one needs no
// move): a file left under the old name would belong to no roster entry. Empty when done.
Failure MovePetFiles(Platform& platform, const std::string& from, const std::string& to);
