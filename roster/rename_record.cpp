// The rename's record in the settings file, and the move it asks for.
#include "roster/rename_record.h"

#include "roster/pet_files.h"

constexpr char kRename[] = "Rename";

void WriteRenameRecord(Profile& profile, const RenameRecord& record) {
    bool none = record.from.empty() && record.to.empty();
    profile.ProfileWriteText(kRename, "from", none ? std::nullopt : std::optional(record.from));
    profile.ProfileWriteText(kRename, "to", none ? std::nullopt : std::optional(record.to));
}

RenameRecord ReadRenameRecord(const Profile& profile) {
    return {profile.ProfileReadText(kRename, "from"), profile.ProfileReadText(kRename, "to")};
}

Failure FinishRename(Platform& platform, ProfileStore& store, Profile& profile) {
    RenameRecord record = ReadRenameRecord(profile);
    if (record.from.empty()) return {};
    // Only while the roster still says what the record does: the new name is an entry's
    // own, the old one no entry's. Otherwise the record is stale and goes.
    auto entryNamed = [&](const std::string& wanted) {
        return ReadSwitchEntries(profile, [&](int, std::string_view name) { return name == wanted; }).incoming;
    };
    if (!entryNamed(record.from).listed && entryNamed(record.to).ownFiles && IsBarePetName(record.from))
        if (Failure moved = MovePetFiles(platform, record.from, record.to)) return moved;
    // A record that could not be dropped is finished again, with nothing left to move.
    WriteRenameRecord(profile, {});
    store.Save(profile);
    return {};
}
