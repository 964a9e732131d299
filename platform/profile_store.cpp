// The profile store: one read per operation, one whole replacement per save.
#include "platform/profile_store.h"

void ProfileStore::Bind(const std::string& settingsPath) {
    file_ = settingsPath;
    beside_ = settingsPath + ".new";
}

Failure ProfileStore::Recover() {
    if (!platform_.StatFile(beside_).MayExist()) return {};
    if (platform_.StatFile(file_).exists) return platform_.RemoveFile(beside_) ? Failure{} : WriteFailure();
    return platform_.RenameFile(beside_, file_) ? Failure{} : Failure{Failure::Rename, beside_, file_};
}

std::optional<Profile> ProfileStore::Load() {
    FileContents contents = platform_.ReadWholeFile(file_);
    if (contents.state == FileContents::Absent) contents = platform_.ReadWholeFile(beside_);
    if (contents.state == FileContents::Unreadable) return std::nullopt;
    return Profile(std::move(contents.bytes));
}

bool ProfileStore::Save(const Profile& profile) {
    if (!profile.Changed()) return true;
    // A file left beside may be the settings file itself: it must take its place first.
    if (Recover()) return false;
    const ReplaceResult replaced = platform_.WriteWholeFile(beside_, profile.Bytes())
                                       ? platform_.ReplaceFile(beside_, file_)
                                       : ReplaceResult::Failed;
    if (replaced == ReplaceResult::Replaced) return true;
    if (replaced == ReplaceResult::Failed || (!platform_.RemoveFile(file_) && platform_.StatFile(file_).MayExist())) {
        platform_.RemoveFile(beside_);
        return false;
    }
    // Should the rename fail, the new file beside is the settings file until Recover.
    platform_.RenameFile(beside_, file_);
    return true;
}
