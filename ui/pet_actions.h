// What the pet management window does to the list, the pet files and the settings file,
// written without a window so that it runs and is tested on any list.
#pragma once
#include <functional>
#include <string>

#include "platform/platform.h"
#include "platform/profile_store.h"
#include "ui/framework/pet_list.h"

// The list and current pet index as the management window holds them while it is open.
// Not loaded when the settings file could not be read: the list is then no roster to save.
struct PetManageState {
    PetList& list;
    int current = -1;
    bool loaded = false;
};

void FillPetList(PetManageState& state, ProfileStore& store);

// Each returns true when the action was carried out (the caller then empties the name
// field); a refused or failed action changes nothing at all. `name` has passed the length
// check.
bool AdoptPet(PetManageState& state, const std::string& name, ProfileStore& store,
              Platform& platform);
bool RenamePet(PetManageState& state, const std::string& name, ProfileStore& store,
               Platform& platform);
// `confirm` asks the user and answers true for Yes.
bool DiscardPet(PetManageState& state, ProfileStore& store, Platform& platform,
                const std::function<bool()>& confirm);

// Names a user may type: not empty, no ASCII or full-width space, a bare file name of the
// working folder that Windows can hold (no control code, none of < > " | ? *), and not the
// name of the live or an old settings file.
bool IsAcceptablePetName(const std::string& name);
