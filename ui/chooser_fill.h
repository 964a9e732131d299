// Filling the chooser's drop-down list from the settings file.
#pragma once
#include "roster/profile_store.h"
#include "ui/framework/pet_list.h"

// Puts every roster name in the list in roster order and selects the stored current pet
// index (nothing when it lies outside the list); returns that stored index.
int FillPetCombo(PetList& combo, ProfileStore& store);
