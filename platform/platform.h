// The one door from the core to the operating system. Names and paths are code page 932
// bytes with "\" separators, relative names resolve against the current directory, and every
// result is reported so that each caller can decide to ignore it. Tests wrap or replace this
// interface to make any single call fail.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class HostQueries;

// Opaque handle of a named single-instance lock; its meaning belongs to each platform.
using LockHandle = void*;

struct FileStatus {
    bool exists = false;     // any directory entry of that name, folders too
    std::uint64_t size = 0;  // in bytes
};

enum class ProbeResult {
    Created,        // a new empty file of that name now exists; the caller removes it
    AlreadyExists,  // a file of that name, left exactly as it was
    Refused,        // the platform does not accept the name as a file name, or a folder has it
};

class Platform {
public:
    virtual ~Platform() = default;

    // Creates the named lock, not owned. alreadyExists tells that another process holds it;
    // the handle is returned all the same and must be closed. Null when creation failed.
    virtual LockHandle CreateInstanceLock(const std::string& name, bool& alreadyExists) = 0;
    virtual void ReleaseInstanceLock(LockHandle lock) = 0;
    virtual void CloseInstanceLock(LockHandle lock) = 0;

    // The process's current directory, absolute, as the platform gives it, however long.
    // Empty when it cannot be read (removed, say): the run then ends touching nothing, as
    // any path built on it would lead to the drive root.
    virtual std::string CurrentDirectory() = 0;

    // Never replaces: fails, changing nothing, when `to` exists or `from` does not.
    virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
    // Fails, changing nothing, when the file is missing or read-only.
    virtual bool RemoveFile(const std::string& name) = 0;
    // `to` becomes a copy of `from`, replacing an existing `to` unless it is read-only.
    virtual bool CopyFileReplacing(const std::string& from, const std::string& to) = 0;
    virtual FileStatus StatFile(const std::string& name) = 0;
    // Creates `name` only when no file of that name exists.
    virtual ProbeResult CreateProbe(const std::string& name) = 0;
    // Names (with extension) of every entry of the current directory matching a pattern
    // such as "*.kmc", in the platform's listing order.
    virtual std::vector<std::string> FindFiles(const std::string& pattern) = 0;
    // Starts exactly the program at `path`, hidden, without waiting for it.
    virtual bool StartProgram(const std::string& path) = 0;

    // The profile store over an initialisation file at `file`. A missing file, section or
    // key reads as the default; text values are cut to 4095 bytes; integers are parsed as
    // GetPrivateProfileIntA parses them.
    virtual int ProfileReadInt(const std::string& section, const std::string& key, int fallback,
                               const std::string& file) = 0;
    virtual std::string ProfileReadText(const std::string& section, const std::string& key,
                                        const std::string& fallback, const std::string& file) = 0;
    // No value deletes the key.
    virtual bool ProfileWriteText(const std::string& section, const std::string& key,
                                  const std::optional<std::string>& value,
                                  const std::string& file) = 0;
    // While held, reads of `file` may all come from one look at it: a roster read is then
    // one consistent snapshot, and costs one look rather than one per name. Writes still go
    // to the file at once.
    virtual void HoldProfileSnapshot(const std::string& file, bool hold) = 0;
    // While held, writes to `file` may be gathered and reach it together when the hold ends,
    // so that a crash leaves all of them or none; the end tells whether they arrived.
    virtual void HoldProfileWrites(const std::string& file) = 0;
    virtual bool ReleaseProfileWrites(const std::string& file) = 0;

    // The calls that host detection makes (platform/host_queries.h); the system's own
    // unless a platform replaces them.
    virtual HostQueries& Host();
};

// The platform this process runs on.
Platform& SystemPlatform();
