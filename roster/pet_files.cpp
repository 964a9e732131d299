// Pet file names, who owns them, and the moves that must not leave one behind.
#include "roster/pet_files.h"

#include <cstring>

#include "platform/cp932.h"
#include "platform/text.h"
#include "roster/host_files.h"
#include "roster/roster.h"

std::string PetFile(const std::string& petName) { return petName + kPetExtension; }
std::string BackupFile(const std::string& petName) { return petName + kBackupExtension; }

namespace {
// Windows takes "NUL", "nul.txt" and "Con .x" alike for the device: only the part before
// the first "." counts, trailing blanks dropped.
bool IsDeviceName(const std::string& name) {
    std::string upper = cp932::AsciiUpper(name.substr(0, name.find('.')));
    while (!upper.empty() && upper.back() == ' ') upper.pop_back();
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
    return upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
           upper[3] >= '1' && upper[3] <= '9';
}

// HasOwnFiles' rule for one name, on an entry taken for its files' owner until a name says not.
void Disown(PetEntry& entry, int i, std::string_view name) {
    if (i == entry.index ? name.empty() || !IsBarePetName(entry.name)
                         : name.size() == entry.name.size() && SameFileName(std::string(name), entry.name))
        entry.ownFiles = false;
}
}  // namespace

bool IsBarePetName(const std::string& petName) {
    for (size_t i = 0; i < petName.size(); i += cp932::CharLength(petName, i))
        if (cp932::CharLength(petName, i) == 1 && std::strchr("\\/:", petName[i])) return false;
    return petName != "." && petName != ".." && !IsDeviceName(petName);
}

bool SameFileName(const std::string& a, const std::string& b) {
    // The upper-case mapping keeps every character's length, and ASCII's is plain; only a
    // double-byte character's case is the platform's to tell.
    if (a.size() != b.size()) return false;
    for (size_t i = 0, next = 0; i < a.size(); ++i) {
        bool start = i == next;
        if (start) next += cp932::CharLength(a, i);
        if (a[i] == b[i]) continue;
        if (!start || next - i != 1 || cp932::CharLength(b, i) != 1) return text::CompareNoCase(a, b) == 0;
        if (cp932::AsciiUpper(a[i]) != cp932::AsciiUpper(b[i])) return false;
    }
    return true;
}

bool HasOwnFiles(const std::vector<std::string>& names, int index) {
    PetEntry entry{index, true, names[static_cast<size_t>(index)], true};
    for (size_t i = 0; i < names.size(); ++i) Disown(entry, static_cast<int>(i), names[i]);
    return entry.ownFiles;
}

SwitchEntries ReadSwitchEntries(const Profile& profile,
                                const std::function<bool(int index, std::string_view name)>& wanted) {
    const int current = ReadCurrentPetIndex(profile);
    SwitchEntries entries;
    PetEntry &in = entries.incoming, &out = entries.current;
    out.index = current;
    const std::vector<std::string_view> names = PetNames(profile);
    auto entry = [&](size_t i) { return PetEntry{static_cast<int>(i), true, std::string(names[i]), true}; };
    for (size_t i = 0; i < names.size() && in.index < 0; ++i)
        if (wanted(static_cast<int>(i), names[i])) in = entry(i);
    if (current >= 0 && static_cast<size_t>(current) < names.size()) out = entry(static_cast<size_t>(current));
    for (size_t i = 0; i < names.size(); ++i)
        for (PetEntry* e : {&in, &out}) Disown(*e, static_cast<int>(i), names[i]);
    return entries;
}

SwitchEntries ReadSwitchEntries(const Profile& profile, int index) {
    SwitchEntries entries = ReadSwitchEntries(profile, [index](int i, std::string_view) { return i == index; });
    entries.incoming.index = index;
    return entries;
}

Failure MovePetFiles(Platform& platform, const std::string& from, const std::string& to) {
    bool fileMoved = platform.RenameFile(PetFile(from), PetFile(to));
    if (!fileMoved && platform.StatFile(PetFile(from)).MayExist())
        return {Failure::Rename, PetFile(from), PetFile(to)};
    if (!platform.RenameFile(BackupFile(from), BackupFile(to)) && platform.StatFile(BackupFile(from)).MayExist()) {
        if (fileMoved) platform.RenameFile(PetFile(to), PetFile(from));
        return {Failure::Rename, BackupFile(from), BackupFile(to)};
    }
    return {};
}
