// What the first-run setup window finds in the working folder, as pure functions of the
// names that the two folder searches return.
#pragma once
#include <string>
#include <vector>

// The titles of the "*.kmc" matches, in the order given, less the two old settings files and
// the titles no roster can hold: empty, or given back changed by the settings file.
std::vector<std::string> CollectPetTitles(const std::vector<std::string>& petFileNames);

// The first "Kirimo*.exe" match, or the empty text.
std::string FindHostExecutable(const std::vector<std::string>& hostFileNames);
