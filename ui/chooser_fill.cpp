// The chooser's list: the roster in roster order, the current pet selected.
#include "ui/chooser_fill.h"

#include "roster/roster.h"

int FillPetCombo(ListControl& combo, ProfileStore& store) {
    combo.Clear();
    std::optional<Profile> profile = store.Load();
    if (!profile) return -1;
    Roster roster = ReadRoster(*profile);
    for (const std::string& name : roster.names) combo.Add(name);
    combo.Select(roster.current);
    return roster.current;
}
