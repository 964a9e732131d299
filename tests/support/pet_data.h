// Whose data each file of a folder holds, checked as the next start of the program would
// find the folder: no pet's data is gone, the live file holds the data of the pet at the
// stored index, NAME.kmc and NAME.bak hold NAME's (any letter case naming the same file), or
// the renamed pet's while an unfinished rename's record names NAME as its old name, and no
// listed pet's data lies under a name that is not its own.
#pragma once
#include <map>
#include <string>

#include "roster/pet_files.h"
#include "roster/rename_record.h"
#include "roster/roster.h"
#include "tests/support/folder_names.h"

// `owners` maps each datum that must still be there (a file's whole bytes) to its pet.
// The failure found, or "" when none.
inline std::string CheckPetData(const std::map<std::string, std::string>& files,
                                const std::map<std::string, std::string>& owners, const Roster& roster,
                                const RenameRecord& pending = {}) {
    auto listed = [&](const std::string& pet) {
        for (const std::string& name : roster.names)
            if (name == pet) return true;
        return false;
    };
    auto quoted = [](const std::string& s) { return "\"" + s + "\""; };
    for (const auto& [datum, owner] : owners) {
        bool found = false;
        for (const auto& [file, bytes] : files) found = found || bytes == datum;
        if (!found) return "the data " + quoted(datum) + " of pet " + quoted(owner) + " is lost";
    }
    const bool currentListed = roster.current >= 0 && roster.current < static_cast<int>(roster.names.size());
    for (const auto& [file, bytes] : files) {
        auto datum = owners.find(bytes);
        if (datum == owners.end() || !listed(datum->second)) continue;
        const std::string& owner = datum->second;
        std::string where = "the data " + quoted(bytes) + " of pet " + quoted(owner) + " lies in " + quoted(file);
        if (file == kLive) {
            if (!currentListed || roster.names[roster.current] != owner)
                return where + ", while the stored index " + std::to_string(roster.current) + " names another";
            continue;
        }
        std::string title = file.size() > 4 ? file.substr(0, file.size() - 4) : "";
        std::string extension = file.size() > 4 ? file.substr(file.size() - 4) : file;
        bool ofAListedName = false;
        for (const std::string& name : roster.names) ofAListedName = ofAListedName || SameFileName(name, title);
        const bool renamedFrom = !pending.from.empty() && SameFileName(pending.from, title);
        if ((extension == ".kmc" || extension == ".bak") && (ofAListedName || renamedFrom)) {
            if (!SameFileName(owner, title) && !(renamedFrom && owner == pending.to))
                return where + ", another pet's file";
        } else {
            return where + ", under no listed name";
        }
    }
    return "";
}
