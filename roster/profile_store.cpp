// Profile store: the bound settings file in front of the platform's profile calls.
#include "roster/profile_store.h"

int ProfileStore::ProfileReadInt(const std::string& section, const std::string& key, int fallback) {
    return platform_.ProfileReadInt(section, key, fallback, file_);
}

std::string ProfileStore::ProfileReadText(const std::string& section, const std::string& key,
                                          const std::string& fallback) {
    return platform_.ProfileReadText(section, key, fallback, file_);
}

bool ProfileStore::ProfileWriteInt(const std::string& section, const std::string& key, int value) {
    return ProfileWriteText(section, key, std::to_string(value));
}

bool ProfileStore::ProfileWriteText(const std::string& section, const std::string& key,
                                    const std::optional<std::string>& value) {
    return platform_.ProfileWriteText(section, key, value, file_);
}
