// The settings file of the current directory, read and written through the program's own
// store, as tests set a folder up and look at it afterwards.
#pragma once
#include <string>
#include <vector>

#include "platform/profile_store.h"
#include "roster/roster.h"
#include "tests/support/folder_names.h"
#include "tests/support/settings_file.h"

inline ProfileStore CurrentStore(Platform& platform = SystemPlatform()) {
    ProfileStore store(platform);
    store.Bind(SystemPlatform().CurrentDirectory() + "\\" + kIni);
    return store;
}

// What the file says; empty when it is missing or cannot be read.
inline Profile StoredProfile() { return CurrentStore().Load().value_or(Profile()); }
inline Roster StoredRoster() { return ReadRoster(StoredProfile()); }
// The roster with the host it names.
inline Settings StoredSettings() {
    Profile profile = StoredProfile();
    Roster roster = ReadRoster(profile);
    return {roster.names, roster.current, GetHostExecutableName(profile)};
}

inline void StoreRoster(const std::vector<std::string>& names, int current) {
    ProfileStore store = CurrentStore();
    Profile profile = store.Load().value_or(Profile());
    SaveRoster(profile, names, current);
    profile.ProfileWriteText("Kirimo", "Ver", kHostExe);
    store.Save(profile);
}
