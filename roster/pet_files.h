// Each pet's files are named after it: name + ".kmc" while it is not live, name + ".bak"
// for the copy taken when it was last made live.
#pragma once
#include <string>

std::string PetFile(const std::string& petName);
std::string BackupFile(const std::string& petName);

// True when the name stays a bare file name of the working folder: no "\", "/" or ":" as a
// character, not "." or "..", and no Windows device name (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9, in any case). A name from a hand-edited settings file that is not would move pet
// data out of the folder or onto a device, so such a pet's files are never touched.
bool IsBarePetName(const std::string& petName);
