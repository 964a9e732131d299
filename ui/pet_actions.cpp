// Adopt, rename and discard: each reads the settings file once and saves it once, and
// moves files only where the saved roster will name their pet.
#include "ui/pet_actions.h"

#include <vector>

#include "platform/cp932.h"
#include "platform/text.h"
#include "roster/host_files.h"
#include "roster/live_file.h"
#include "roster/rename_record.h"

namespace {

const char kFullWidthSpace[] = "\x81\x40";

// Another entry's name, as the user sees names or as Windows names files.
bool CollidesWith(const std::string& name, const std::string& listed) {
    return text::LocaleEqual(name, listed) || SameFileName(name, listed);
}

// A name under which no listed pet's data can lie: no other entry's (`self`'s own only when
// typed exactly as it stands), not the old name of a rename whose files have not moved yet,
// and no short (8.3) alias of a file whose long name is another.
bool NameIsFree(Platform& platform, const Profile& profile, const std::vector<std::string>& names, int self,
                const std::string& name) {
    for (int i = 0; i < static_cast<int>(names.size()); ++i)
        if (i == self ? text::Compare(name, names[i]) == 0 : CollidesWith(name, names[i])) return false;
    if (CollidesWith(name, ReadRenameRecord(profile).from)) return false;
    for (const std::string& file : {PetFile(name), BackupFile(name)}) {
        FileStatus found = platform.StatFile(file);
        if (found.exists && !SameFileName(found.name, file)) return false;
    }
    return true;
}

// Saves the roster into the one look at the settings file the action began with.
Failure Save(ProfileStore& store, Profile& profile, const std::vector<std::string>& names, int current,
             const std::optional<RenameRecord>& rename = std::nullopt) {
    SaveRoster(profile, names, current);
    if (rename) WriteRenameRecord(profile, *rename);
    return store.Save(profile) ? Failure{} : store.WriteFailure();
}

// Names a user may type: not empty, no ASCII or full-width space, a bare file name of the
// working folder that Windows can hold (no control code, none of < > " | ? *), and not the
// name of the live or an old settings file.
bool IsAcceptablePetName(const std::string& name) {
    if (name.empty() || name.find(' ') != std::string::npos) return false;
    if (text::Find(name, kFullWidthSpace) != std::string::npos) return false;
    if (!IsBarePetName(name)) return false;
    // A pet whose file can never exist could not be put away once live: renamed so, it
    // would stay live for good.
    for (size_t i = 0; i < name.size(); i += cp932::CharLength(name, i)) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (cp932::CharLength(name, i) == 1 && cp932::IsForbiddenInFileNames(c)) return false;
    }
    // One file must never serve as both a pet file and a settings file.
    for (const char* reserved : {kLiveFileTitle, kOldSettingsTitle, kPreviousSettingsTitle})
        if (text::CompareNoCase(name, reserved) == 0) return false;
    return StoresUnchanged(name);
}

}  // namespace

void FillPetList(PetManageState& state, ProfileStore& store) {
    std::optional<Profile> profile = store.Load();
    state.loaded = profile.has_value();
    if (!profile) return;
    Roster roster = ReadRoster(*profile);
    for (const std::string& name : roster.names) state.list.Add(name);
    state.current = roster.current;
}

int FillPetCombo(ListControl& combo, ProfileStore& store) {
    combo.Clear();
    PetManageState state{combo};
    FillPetList(state, store);
    combo.Select(state.current);
    return state.current;
}

ActionResult AdoptPet(PetManageState& state, const std::string& name, ProfileStore& store,
                      Platform& platform) {
    std::vector<std::string> names = state.list.Texts();
    if (!state.loaded) return {false, store.ReadFailure()};
    if (!IsAcceptablePetName(name)) return {};
    std::optional<Profile> profile = store.Load();
    if (!profile) return {false, store.ReadFailure()};
    if (!NameIsFree(platform, *profile, names, -1, name)) return {};
    // The probe only ever creates: a pet file already lying there is kept and becomes the
    // new pet's file, while a folder of that name refuses the name.
    const ProbeResult probe = platform.CreateProbe(PetFile(name));
    if (probe == ProbeResult::Refused) return {};
    if (probe == ProbeResult::Failed) return {false, {Failure::Write, PetFile(name)}};
    if (probe == ProbeResult::Created) platform.RemoveFile(PetFile(name));
    if (Failure host = HostInTheWay(platform, state.hostPath)) return {false, host};
    // A live file that could not be put away still holds the current pet's data; the new
    // pet made current would own it, and a discard of the new pet would delete it.
    PutAway away = PutLiveFileAway(platform, *profile, ReadSwitchEntries(*profile, -1).current);
    if (away.failure) return {false, away.failure};
    names.push_back(name);
    int added = static_cast<int>(names.size()) - 1;
    SaveRoster(*profile, names, added);
    if (!SaveOrPutBack(platform, store, *profile, away)) return {false, store.WriteFailure()};
    state.list.Add(name);
    state.list.Select(added);
    state.current = added;
    return {true, {}};
}

ActionResult RenamePet(PetManageState& state, const std::string& name, ProfileStore& store,
                       Platform& platform) {
    std::vector<std::string> names = state.list.Texts();
    int selected = state.list.Selected();
    if (!state.loaded) return {false, store.ReadFailure()};
    if (!IsAcceptablePetName(name)) return {};
    std::optional<Profile> profile = store.Load();
    if (!profile) return {false, store.ReadFailure()};
    if (!NameIsFree(platform, *profile, names, selected, name) || selected == -1) return {};
    const std::string old = names[static_cast<size_t>(selected)];
    // Files of the new name belong to no pet of the roster yet; the renamed pet taking them
    // over would hand them its discard, and its own files would stay behind unowned.
    // (Under another letter case they may be its own files, on a folder that ignores case.)
    if (!SameFileName(name, old) &&
        (platform.StatFile(PetFile(name)).MayExist() || platform.StatFile(BackupFile(name)).MayExist()))
        return {};
    // The files move only once the roster names them so; the record lets the next start
    // finish the move should this run stop in between. (A change of letter case alone
    // leaves them where Windows finds them.)
    bool ownFiles = HasOwnFiles(names, selected);
    names[static_cast<size_t>(selected)] = name;
    std::optional<RenameRecord> record;
    if (ownFiles && !SameFileName(name, old)) record = RenameRecord{old, name};
    if (Failure saved = Save(store, *profile, names, state.current, record)) return {false, saved};
    if (Failure moved = ownFiles ? MovePetFiles(platform, old, name) : Failure{}) {
        names[static_cast<size_t>(selected)] = old;
        if (!Save(store, *profile, names, state.current, RenameRecord{})) return {false, moved};
        // The roster keeps the new name, and the next start moves the files.
    } else if (record) {
        // Done, and the old name free again; should this fail, the next start drops it.
        Save(store, *profile, names, state.current, RenameRecord{});
    }
    state.list.Delete(selected);
    state.list.Insert(selected, name);
    return {true, {}};
}

ActionResult DiscardPet(PetManageState& state, ProfileStore& store, Platform& platform,
                        const std::function<bool()>& confirm) {
    int selected = state.list.Selected();
    // Without a readable settings file the list is empty: nothing can be selected.
    if (!state.loaded || selected == -1 || !confirm()) return {};
    std::optional<Profile> profile = store.Load();
    if (!profile) return {false, store.ReadFailure()};
    if (selected == state.current)
        if (Failure host = HostInTheWay(platform, state.hostPath)) return {false, host};
    std::vector<std::string> names = state.list.Texts();
    const std::string name = names[static_cast<size_t>(selected)];
    bool ownFiles = HasOwnFiles(names, selected);
    int current = selected == state.current ? -1 : selected < state.current ? state.current - 1 : state.current;
    names.erase(names.begin() + selected);
    if (Failure saved = Save(store, *profile, names, current)) return {false, saved};
    // Only once the roster no longer names the pet: its files then belong to nobody.
    if (ownFiles) {
        platform.RemoveFile(PetFile(name));
        platform.RemoveFile(BackupFile(name));
        if (selected == state.current) platform.RemoveFile(kLiveFile);
    }
    state.current = current;
    state.list.Delete(selected);
    return {true, {}};
}
