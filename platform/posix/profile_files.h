// Initialisation files read and written off Windows. A parsed copy of each file is kept
// while the file's identity, size, modification time and mode stay the same, as Wine's profile
// functions do; every write, or every batch of writes while they are held, replaces the
// file atomically, so a crash leaves the old file or the new one, never half of it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/ini_document.h"

class ProfileFiles {
public:
    // The raw value of the key (quotes stripped, no cut), or nullopt when absent.
    std::optional<std::string> Read(const std::string& hostPath, const std::string& section,
                                    const std::string& key);
    // No value deletes the key. False when the file could not be replaced.
    bool Write(const std::string& hostPath, const std::string& section, const std::string& key,
               const std::optional<std::string>& value);

    // While held, a parsed copy is used without looking at the file again.
    void Hold(const std::string& hostPath, bool hold);
    // While held, writes change a copy in memory, which replaces the file once at the last
    // release; false when that replacement, or a write before it, failed.
    void HoldWrites(const std::string& hostPath);
    bool ReleaseWrites(const std::string& hostPath);

private:
    struct Stamp {
        std::uint64_t device = 0, inode = 0, size = 0;
        std::int64_t modifiedNs = 0;
        unsigned mode = 0;
        bool operator==(const Stamp& o) const {
            // chmod leaves the modification time alone; a file made read-only must be seen.
            return device == o.device && inode == o.inode && size == o.size &&
                   modifiedNs == o.modifiedNs && mode == o.mode;
        }
    };
    struct Cached {
        Stamp stamp;
        IniDocument document;
    };

    // The current document of the file, or null when the file is missing or unreadable.
    Cached* Load(const std::string& hostPath);
    static std::optional<Stamp> StampOf(const std::string& hostPath);

    std::unordered_map<std::string, Cached> cache_;
    struct HoldState {
        int count = 0;
        bool looked = false;  // the file was looked at since the hold began
    };
    std::unordered_map<std::string, HoldState> holds_;
    struct PendingWrites {
        int count = 0;
        std::optional<Cached> edited;  // the document as the writes so far leave it
        bool failed = false;
    };
    std::unordered_map<std::string, PendingWrites> pending_;
    // Replaces the file with its cached copy, edited in place, and keeps that copy under the
    // file's new stamp; when the file could not be replaced, the copy is dropped and the file
    // is read afresh next time.
    bool Flush(const std::string& hostPath);
};

// The whole file, or nullopt when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);
// Writes beside the file, then renames over it: readers see the old file or the new one,
// and a failed write leaves the old one.
bool ReplaceFile(const std::string& path, const std::string& bytes, unsigned mode);

// The integer that GetPrivateProfileIntA makes of a value: blanks skipped, a sign, an
// optional 0x/0o/0b prefix, digits up to the first that does not belong, wrapping in 32
// bits; at most 29 characters are looked at.
int ParseProfileInt(const std::string& value);
