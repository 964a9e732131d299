// What the pet management window does to the list, the pet files and the settings file, and
// the chooser's fill, written without a window so that they run and are tested on any list.
#pragma once
#include <functional>
#include <string>

#include "platform/profile_store.h"
#include "ui/framework/dialog_window.h"

// The list and current pet index as the management window holds them while it is open.
// Not loaded when the settings file could not be read: the list is then no roster to save.
struct PetManageState {
    ListControl& list;
    std::string hostPath = {};  // the host program, which must not run while the live file moves
    int current = -1;
    bool loaded = false;
};

void FillPetList(PetManageState& state, ProfileStore& store);
// The chooser's drop-down list: every roster name in roster order, the stored current pet
// index selected (nothing when it lies outside the list) and returned. A settings file that
// cannot be read leaves the list empty and returns -1.
int FillPetCombo(ListControl& combo, ProfileStore& store);

// What became of an action: carried out (the caller then empties the name field), refused
// without a word (a name it does not take, a No), or failed on the file in `failure`, which
// the window says. A refused or failed action changes nothing at all.
struct ActionResult {
    bool done = false;
    Failure failure;
    explicit operator bool() const { return done; }
};

// `name` has passed the length check.
ActionResult AdoptPet(PetManageState& state, const std::string& name, ProfileStore& store,
                      Platform& platform);
ActionResult RenamePet(PetManageState& state, const std::string& name, ProfileStore& store,
                       Platform& platform);
// `confirm` asks the user and answers true for Yes.
ActionResult DiscardPet(PetManageState& state, ProfileStore& store, Platform& platform,
                        const std::function<bool()>& confirm);
