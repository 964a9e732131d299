// Pet file names and the check that keeps them inside the working folder.
#include "roster/pet_files.h"

#include <cstring>

#include "platform/cp932.h"
#include "roster/host_files.h"

std::string PetFile(const std::string& petName) { return petName + kPetExtension; }
std::string BackupFile(const std::string& petName) { return petName + kBackupExtension; }

namespace {
// Windows takes "NUL", "nul.txt" and "Con .x" alike for the device: only the part before
// the first "." counts, trailing blanks dropped.
bool IsDeviceName(const std::string& name) {
    std::string upper;
    for (char c : name.substr(0, name.find('.')))
        upper += c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    while (!upper.empty() && upper.back() == ' ') upper.pop_back();
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '1' && upper[3] <= '9';
}
}  // namespace

bool IsBarePetName(const std::string& petName) {
    for (size_t i = 0; i < petName.size(); i += cp932::CharLength(petName, i))
        if (cp932::CharLength(petName, i) == 1 && std::strchr("\\/:", petName[i])) return false;
    return petName != "." && petName != ".." && !IsDeviceName(petName);
}
