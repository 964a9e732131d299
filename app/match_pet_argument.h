// Whether the first command-line argument names a roster pet.
#pragma once
#include <string>

// 1 when the argument, less one leading "-" or "/", equals the name by the user locale's
// case-insensitive comparison; else 0.
int MatchPetArgument(const std::string& argument, const std::string& petName);
