// What the pet management window does to the list, the pet files and the settings file,
// written without a window so that it runs and is tested on any list.
#pragma once
#include <functional>
#include <string>

#include "platform/platform.h"
#include "platform/profile_store.h"
#include "platform/failure.h"
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

// What became of an action: carried out (the caller then empties the name field), refused
// without a word (a name it does not take, a No), or failed on the file in `failure`, which
// the window says. A refused or failed action changes nothing at all.
struct ActionResult {
    bool done = false;
    Failure failure;

    ActionResult(bool d = false, Failure f = {}) : done(d), failure(std::move(f)) {}
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
