// A throwaway folder holding a settings file with a roster of `count` pets.
#pragma once
#include <filesystem>
#include <string>

std::filesystem::path MakeRosterFolder(int count);
// The settings file's path in the "\" form the core uses.
std::string CorePath(const std::filesystem::path& path);
