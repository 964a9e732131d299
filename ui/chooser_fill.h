// Filling the chooser's drop-down list from the settings file.
#pragma once
#include "platform/profile_store.h"
#include "ui/framework/dialog_window.h"

// Puts every roster name in the list in roster order and selects the stored current pet
// index (nothing when it lies outside the list); returns that stored index. A settings file
// that cannot be read leaves the list empty and returns -1.
int FillPetCombo(ListControl& combo, ProfileStore& store);
