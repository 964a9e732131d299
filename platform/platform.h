// The one door from the core to the operating system. Names and paths are code page 932
// bytes with "\" separators, relative names resolve against the current directory, and every
// result is reported so that each caller can decide to ignore it. Tests wrap or replace this
// interface to make any single call fail.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class HostQueries;

// Opaque handle of a named single-instance lock; its meaning belongs to each platform.
using LockHandle = void*;

struct FileStatus {
    bool exists = false;     // any directory entry of that name, folders too
    bool certain = true;     // false when the system could not tell; `exists` is then false
    std::uint64_t size = 0;  // in bytes
    // The entry's own name as the folder lists it: a short (8.3) alias asked for finds its
    // long name.
    std::string name = {};
    // What a step that must not overlook a file goes by.
    bool MayExist() const { return exists || !certain; }
};

struct FileContents {
    enum State { Absent, Unreadable, Read } state = Absent;
    std::string bytes;  // when Read
};

enum class ReplaceResult {
    Replaced,     // the target now holds what the source held, and the source is gone
    Failed,       // nothing moved
    Unsupported,  // this system cannot replace in one step (95, 98, Me); nothing moved
};

enum class ProbeResult {
    Created,        // a new empty file of that name now exists; the caller removes it
    AlreadyExists,  // a file of that name, left exactly as it was
    Refused,        // the platform does not accept the name as a file name, or a folder has it
    Failed,         // the name would do, but the folder takes no new file (write-protected, full)
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

    // The whole file. Absent only when no entry of that name exists; any other failure,
    // a folder of that name among them, is Unreadable.
    virtual FileContents ReadWholeFile(const std::string& name) = 0;
    // `name` becomes a file holding exactly `bytes`, created or emptied first, and flushed
    // to the disk before this returns.
    virtual bool WriteWholeFile(const std::string& name, const std::string& bytes) = 0;
    // Puts `from` in the place of `to` in one step, flushed, with `to`'s attributes (hidden,
    // say) when it existed. Fails, changing nothing, when `to` is read-only or a folder, as
    // Windows' own profile functions refuse to write a read-only file.
    virtual ReplaceResult ReplaceFile(const std::string& from, const std::string& to) = 0;

    // The calls that host detection makes (platform/host_queries.h); the system's own
    // unless a platform replaces them.
    virtual HostQueries& Host();
};

// The platform this process runs on.
Platform& SystemPlatform();
