// The section-and-key store over the settings file, bound once at start-up. It keeps no
// cache of its own: every read and every write goes through the platform at once.
#pragma once
#include <optional>
#include <string>

#include "platform/platform.h"

class ProfileStore {
public:
    explicit ProfileStore(Platform& platform) : platform_(platform) {}

    void Bind(const std::string& settingsPath) { file_ = settingsPath; }

    int ProfileReadInt(const std::string& section, const std::string& key, int fallback);
    std::string ProfileReadText(const std::string& section, const std::string& key,
                                const std::string& fallback = {});
    bool ProfileWriteInt(const std::string& section, const std::string& key, int value);
    // No value deletes the key; an empty one leaves the key with an empty value.
    bool ProfileWriteText(const std::string& section, const std::string& key,
                          const std::optional<std::string>& value);

private:
    friend class ProfileSnapshot;
    friend class ProfileWriteBatch;
    Platform& platform_;
    std::string file_;
};

// Writes made while one of these lives reach the settings file together, at Commit or when
// it goes: a crash in between leaves all of them or none.
class ProfileWriteBatch {
public:
    explicit ProfileWriteBatch(ProfileStore& store) : store_(store) {
        store_.platform_.HoldProfileWrites(store_.file_);
    }
    ~ProfileWriteBatch() { Commit(); }
    ProfileWriteBatch(const ProfileWriteBatch&) = delete;
    ProfileWriteBatch& operator=(const ProfileWriteBatch&) = delete;

    // Whether every write of the batch arrived.
    bool Commit() {
        if (!committed_) {
            committed_ = true;
            arrived_ = store_.platform_.ReleaseProfileWrites(store_.file_);
        }
        return arrived_;
    }

private:
    ProfileStore& store_;
    bool committed_ = false;
    bool arrived_ = false;
};

// Reads made while one of these lives see the settings file as it was at the first of them.
class ProfileSnapshot {
public:
    explicit ProfileSnapshot(ProfileStore& store) : store_(store) {
        store_.platform_.HoldProfileSnapshot(store_.file_, true);
    }
    ~ProfileSnapshot() { store_.platform_.HoldProfileSnapshot(store_.file_, false); }
    ProfileSnapshot(const ProfileSnapshot&) = delete;
    ProfileSnapshot& operator=(const ProfileSnapshot&) = delete;

private:
    ProfileStore& store_;
};
