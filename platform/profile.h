// One look at an initialisation file, read and edited as Windows' profile functions read
// and write one (GetPrivateProfileIntA, GetPrivateProfileStringA with a 4096-byte buffer,
// WritePrivateProfileStringA); the profile store saves it whole.
#pragma once
#include <optional>
#include <string>

#include "platform/ini_document.h"

class Profile {
public:
    explicit Profile(std::string bytes = {}) : document_(std::move(bytes)) {}

    // A missing section or key, or an empty value, reads as the fallback. The rest is read
    // as GetPrivateProfileIntA reads it: blanks skipped, a sign, an optional 0x/0o/0b
    // prefix, digits up to the first that does not belong, wrapping in 32 bits, at most 29
    // characters looked at.
    int ProfileReadInt(const std::string& section, const std::string& key, int fallback) const;
    // Cut to 4095 bytes; a missing section or key reads as the fallback.
    std::string ProfileReadText(const std::string& section, const std::string& key,
                                const std::string& fallback = {}) const;
    // Each key of the section in file order, with the text ProfileReadText would give for it
    // (cut, and empty for a line without "="), were that line the first of its name.
    template <typename Visit>  // (std::string_view key, std::string_view text)
    void ProfileReadKeys(const std::string& section, Visit visit) const {
        document_.ForEachKey(section, [&](std::string_view key, std::optional<std::string_view> value) {
            visit(key, Cut(value.value_or(std::string_view())));
        });
    }
    // No value deletes the key; an empty one leaves the key with an empty value.
    void ProfileWriteText(const std::string& section, const std::string& key,
                          const std::optional<std::string>& value);

    // Whether a write changed the file since it was read.
    bool Changed() const { return changed_; }
    std::string Bytes() const { return document_.Bytes(); }

private:
    // What a C caller with a 4096-byte buffer receives.
    static std::string_view Cut(std::string_view text);

    IniDocument document_;
    bool changed_ = false;
};
