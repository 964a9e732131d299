// Adopt, rename and discard: each changes the files first, then writes the whole roster.
#include "ui/pet_actions.h"

#include <cstring>
#include <vector>

#include "platform/cp932.h"
#include "platform/text.h"
#include "roster/host_files.h"
#include "roster/pet_files.h"
#include "roster/roster.h"

namespace {

const char kFullWidthSpace[] = "\x81\x40";

std::vector<std::string> Entries(PetList& list) {
    std::vector<std::string> names;
    for (int i = 0, n = list.Count(); i < n; ++i) names.push_back(list.Text(i));
    return names;
}

bool Save(PetManageState& state, ProfileStore& store) {
    return SaveRoster(store, Entries(state.list), state.current);
}

bool IsListed(PetList& list, const std::string& name, bool (*same)(const std::string&, const std::string&)) {
    for (int i = 0, n = list.Count(); i < n; ++i)
        if (same(name, list.Text(i))) return true;
    return false;
}

bool SameInLocale(const std::string& a, const std::string& b) { return text::LocaleEqual(a, b); }
bool SameBytes(const std::string& a, const std::string& b) { return text::Compare(a, b) == 0; }

// Moves a pet's file and backup to a new name, both or neither: a file left under the old
// name would belong to no roster entry.
bool MoveAlong(Platform& platform, const std::string& old, const std::string& name) {
    bool fileMoved = platform.RenameFile(PetFile(old), PetFile(name));
    if (!fileMoved && platform.StatFile(PetFile(old)).exists) return false;
    if (!platform.RenameFile(BackupFile(old), BackupFile(name)) &&
        platform.StatFile(BackupFile(old)).exists) {
        if (fileMoved) platform.RenameFile(PetFile(name), PetFile(old));
        return false;
    }
    return true;
}

}  // namespace

bool IsAcceptablePetName(const std::string& name) {
    if (name.empty() || name.find(' ') != std::string::npos) return false;
    if (text::Find(name, kFullWidthSpace) != std::string::npos) return false;
    if (!IsBarePetName(name)) return false;
    // A pet whose file can never exist could not be put away once live: renamed so, it
    // would stay live for good.
    for (size_t i = 0; i < name.size(); i += cp932::CharLength(name, i)) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (cp932::CharLength(name, i) == 1 && (c < 0x20 || std::strchr("<>\"|?*", c))) return false;
    }
    // One file must never serve as both a pet file and a settings file.
    for (const char* reserved : {kLiveFileTitle, kOldSettingsTitle, kPreviousSettingsTitle})
        if (text::CompareNoCase(name, reserved) == 0) return false;
    return true;
}

void FillPetList(PetManageState& state, ProfileStore& store) {
    Roster roster = ReadRoster(store);
    for (const std::string& name : roster.names) state.list.Add(name);
    state.current = roster.current;
}

bool AdoptPet(PetManageState& state, const std::string& name, ProfileStore& store,
              Platform& platform) {
    if (!IsAcceptablePetName(name) || IsListed(state.list, name, SameInLocale)) return false;
    // The probe only ever creates: a pet file already lying there is kept and becomes the
    // new pet's file, while a folder of that name refuses the name.
    switch (platform.CreateProbe(PetFile(name))) {
        case ProbeResult::Refused:
            return false;
        case ProbeResult::Created:
            platform.RemoveFile(PetFile(name));
            break;
        case ProbeResult::AlreadyExists:
            break;
    }
    std::string outgoing = GetCurrentPetName(store);
    bool putAway = IsBarePetName(outgoing) && platform.RenameFile(kLiveFile, PetFile(outgoing));
    // A live file that could not be put away still holds the current pet's data; the new
    // pet made current would own it, and a discard of the new pet would delete it.
    if (!putAway && platform.StatFile(kLiveFile).exists) return false;
    int added = state.list.Count();
    state.list.Add(name);
    state.list.Select(added);
    state.current = state.list.Selected();
    Save(state, store);
    return true;
}

bool RenamePet(PetManageState& state, const std::string& name, ProfileStore& store,
               Platform& platform) {
    if (!IsAcceptablePetName(name) || IsListed(state.list, name, SameBytes)) return false;
    int selected = state.list.Selected();
    if (selected == -1) return false;
    std::string old = state.list.Text(selected);
    // Files of the new name belong to no pet of the roster yet; the renamed pet taking them
    // over would hand them its discard, and its own files would stay behind unowned.
    // (Under another letter case they may be its own files, on a folder that ignores case.)
    if (text::CompareNoCase(name, old) != 0 &&
        (platform.StatFile(PetFile(name)).exists || platform.StatFile(BackupFile(name)).exists))
        return false;
    if (IsBarePetName(old) && !MoveAlong(platform, old, name)) return false;
    state.list.Delete(selected);
    state.list.Insert(selected, name);
    if (Save(state, store)) return true;
    // Files under a name the settings file does not hold would be anybody's to take.
    if (IsBarePetName(old)) MoveAlong(platform, name, old);
    state.list.Delete(selected);
    state.list.Insert(selected, old);
    return false;
}

bool DiscardPet(PetManageState& state, ProfileStore& store, Platform& platform,
                const std::function<bool()>& confirm) {
    int selected = state.list.Selected();
    if (selected == -1 || !confirm()) return false;
    std::string name = state.list.Text(selected);
    if (IsBarePetName(name)) {
        platform.RemoveFile(PetFile(name));
        platform.RemoveFile(BackupFile(name));
    }
    if (selected == state.current) {
        state.current = -1;
        platform.RemoveFile(kLiveFile);
    }
    if (selected < state.current) --state.current;
    state.list.Delete(selected);
    Save(state, store);
    return true;
}
