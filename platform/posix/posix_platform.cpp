// The platform interface over Linux: Windows file semantics on POSIX calls, with every name
// crossing the encoding edge on the way in and out.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/cp932.h"
#include "platform/platform.h"
#include "platform/posix/encoding.h"

extern char** environ;

namespace {

// Windows matching for the folder searches: "*" and "?" over whole characters, ASCII
// letters without regard to case.
bool MatchesPattern(const char* name, const char* pattern) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') {
        for (const char* rest = name;; rest += cp932::CharLength(rest)) {
            if (MatchesPattern(rest, pattern + 1)) return true;
            if (*rest == '\0') return false;
        }
    }
    if (*name == '\0') return false;
    int n = cp932::CharLength(name), p = cp932::CharLength(pattern);
    if (*pattern == '?') return MatchesPattern(name + n, pattern + 1);
    bool same = n == 1 ? cp932::AsciiUpper(*name) == cp932::AsciiUpper(*pattern)
                       : name[0] == pattern[0] && name[1] == pattern[1];
    return n == p && same && MatchesPattern(name + n, pattern + p);
}

// The current directory as Linux names it, however deep; empty when it cannot be read.
std::string HostCurrentDirectory() {
    std::string buffer(PATH_MAX, '\0');
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) return {};
        buffer.resize(buffer.size() * 2);
    }
    return buffer.c_str();
}

// Linux takes no whole path of PATH_MAX bytes or more, yet a folder may lie deeper than
// that: a path inside the current directory, which stays the working folder for the whole
// run, is then handed over relative to it.
std::optional<std::string> SystemPath(const std::string& corePath) {
    auto path = encoding::ToHostPath(corePath);
    if (!path || path->size() < PATH_MAX) return path;
    std::string here = HostCurrentDirectory();
    if (!here.empty() && path->size() > here.size() + 1 && path->compare(0, here.size(), here) == 0 &&
        (*path)[here.size()] == '/')
        return path->substr(here.size() + 1);
    return path;
}

// Writes the file at a Linux path (with `mode` when new), flushed when asked. Written over and
// cut to length after, not emptied first: that would cost ext4 a discard of the old blocks and a
// write-out at close, and a backup is written over with the same bytes at every switch.
bool WriteHostFile(const std::string& path, const std::string& bytes, unsigned mode, bool flush) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, mode);
    if (fd < 0) return false;
    size_t done = 0;
    ssize_t n;
    while (done < bytes.size() && (n = write(fd, bytes.data() + done, bytes.size() - done)) > 0)
        done += static_cast<size_t>(n);
    const bool ok = done == bytes.size() && ftruncate(fd, static_cast<off_t>(done)) == 0 && (!flush || fsync(fd) == 0);
    return close(fd) == 0 && ok;
}

// The whole file at a Linux path, telling a missing file from one that cannot be read.
FileContents ReadHostFile(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {errno == ENOENT || errno == ENOTDIR ? FileContents::Absent : FileContents::Unreadable, {}};
    FileContents contents;
    std::string& bytes = contents.bytes;
    // Read in place, sized once, one byte over to see the end: a buffer would cost a large
    // roster's pages twice. Mapped in one call, each fresh page costs about half a fault.
    struct stat st;
    bytes.reserve(fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 4096);
    const auto data = reinterpret_cast<std::uintptr_t>(bytes.data()), first = data & -std::uintptr_t{4096};
    madvise(reinterpret_cast<void*>(first), data - first + bytes.capacity(), MADV_POPULATE_WRITE);
    bytes.resize(bytes.capacity());
    size_t done = 0;
    ssize_t n;
    while ((n = read(fd, bytes.data() + done, bytes.size() - done)) > 0)
        if ((done += static_cast<size_t>(n)) == bytes.size()) bytes.resize(2 * done);
    bytes.resize(done);
    close(fd);
    contents.state = n == 0 ? FileContents::Read : FileContents::Unreadable;
    return contents;
}

// Flushes the folder that holds `path`, so that a rename in it lasts.
void SyncFolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    int fd = open(slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash).c_str(),
                  O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

std::string LockPath(const std::string& name) {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/" + name + ".lock";
    return "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
}

class PosixPlatform final : public Platform {
public:
    LockHandle CreateInstanceLock(const std::string& name, bool& alreadyExists) override {
        alreadyExists = false;
        // Close-on-exec: the host program started later must not inherit the lock.
        int fd = open(LockPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) return nullptr;
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) alreadyExists = errno == EWOULDBLOCK;
        return reinterpret_cast<LockHandle>(static_cast<intptr_t>(fd) + 1);
    }

    // Never owned, as a mutex created not owned is not: nothing to release.
    void ReleaseInstanceLock(LockHandle) override {}

    void CloseInstanceLock(LockHandle lock) override {
        if (lock) close(static_cast<int>(reinterpret_cast<intptr_t>(lock) - 1));
    }

    std::string CurrentDirectory() override { return encoding::FromHostPath(HostCurrentDirectory()); }

    bool RenameFile(const std::string& from, const std::string& to) override {
        auto source = SystemPath(from), target = SystemPath(to);
        if (!source || !target) return false;
        if (renameat2(AT_FDCWD, source->c_str(), AT_FDCWD, target->c_str(), RENAME_NOREPLACE) == 0)
            return true;
        if (errno != EINVAL && errno != ENOSYS) return false;
        // File systems without the flag: a hard link cannot replace either.
        if (link(source->c_str(), target->c_str()) != 0) return false;
        if (unlink(source->c_str()) == 0) return true;
        unlink(target->c_str());
        return false;
    }

    bool RemoveFile(const std::string& name) override {
        auto path = SystemPath(name);
        struct stat st;
        if (!path || lstat(path->c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
        // DeleteFile refuses read-only files; unlink would not.
        if (!S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR)) return false;
        return unlink(path->c_str()) == 0;
    }

    bool CopyFileReplacing(const std::string& from, const std::string& to) override {
        auto source = SystemPath(from), target = SystemPath(to);
        struct stat st, existing;
        // CopyFile replaces neither a folder nor a read-only file.
        if (!source || !target || stat(source->c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
            (stat(target->c_str(), &existing) == 0 && (S_ISDIR(existing.st_mode) || !(existing.st_mode & S_IWUSR))))
            return false;
        // Pet files are small; written straight into the target and not flushed, as CopyFile
        // writes: a backup copies what stays in its source.
        FileContents bytes = ReadHostFile(*source);
        return bytes.state == FileContents::Read && WriteHostFile(*target, bytes.bytes, st.st_mode & 07777, false);
    }

    FileStatus StatFile(const std::string& name) override {
        FileStatus status;
        auto path = SystemPath(name);
        struct stat st;
        if (path && stat(path->c_str(), &st) == 0) {
            status.exists = true;
            status.name = name;  // no aliases here
            status.size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
        } else {
            status.certain = !path || errno == ENOENT || errno == ENOTDIR;
        }
        return status;
    }

    ProbeResult CreateProbe(const std::string& name) override {
        auto path = SystemPath(name);
        if (!path) return ProbeResult::Refused;
        int fd = open(path->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            return ProbeResult::Created;
        }
        if (errno == EACCES || errno == EPERM || errno == EROFS || errno == ENOSPC || errno == EDQUOT)
            return ProbeResult::Failed;
        if (errno != EEXIST) return ProbeResult::Refused;
        // A folder is no pet file: adopted, its name would be moved into the live file's.
        struct stat st;
        return stat(path->c_str(), &st) == 0 && !S_ISDIR(st.st_mode) ? ProbeResult::AlreadyExists
                                                                     : ProbeResult::Refused;
    }

    std::vector<std::string> FindFiles(const std::string& pattern) override {
        std::vector<std::string> found;
        DIR* dir = opendir(".");
        if (!dir) return found;
        while (dirent* entry = readdir(dir)) {
            std::string hostName = entry->d_name;
            if (hostName == "." || hostName == "..") continue;
            // Only names that lead back to this very entry: one with no code page 932
            // spelling, or holding what no Windows file name can (a control code such as a
            // line break, one of < > " | ? *, "\\" as a character), the core could not name.
            auto name = encoding::FromHostName(hostName);
            if (name && encoding::ToHostPath(*name) == hostName &&
                MatchesPattern(name->c_str(), pattern.c_str()))
                found.push_back(*name);
        }
        closedir(dir);
        return found;
    }

    bool StartProgram(const std::string& path) override {
        auto hostPath = SystemPath(path);
        if (!hostPath) return false;
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        // A session of its own: the host outlives us and ignores our terminal's signals.
        // SIGPIPE, which we ignore, is the host's to have as usual.
        sigset_t ours;
        sigemptyset(&ours);
        sigaddset(&ours, SIGPIPE);
        posix_spawnattr_setsigdefault(&attributes, &ours);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF);
        char* argv[] = {hostPath->data(), nullptr};
        pid_t pid;
        int rc = posix_spawn(&pid, hostPath->c_str(), nullptr, &attributes, argv, environ);
        posix_spawnattr_destroy(&attributes);
        return rc == 0;
    }

    FileContents ReadWholeFile(const std::string& name) override {
        auto path = SystemPath(name);
        return path ? ReadHostFile(*path) : FileContents{};
    }

    bool WriteWholeFile(const std::string& name, const std::string& bytes) override {
        auto path = SystemPath(name);
        return path && WriteHostFile(*path, bytes, 0666, true);
    }

    ReplaceResult ReplaceFile(const std::string& from, const std::string& to) override {
        auto source = SystemPath(from), target = SystemPath(to);
        if (!source || !target) return ReplaceResult::Failed;
        struct stat st;
        // Windows refuses to replace a read-only file; rename would not.
        if (stat(target->c_str(), &st) == 0 &&
            (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR) || chmod(source->c_str(), st.st_mode & 07777) != 0))
            return ReplaceResult::Failed;
        if (rename(source->c_str(), target->c_str()) != 0) return ReplaceResult::Failed;
        SyncFolderOf(*target);
        return ReplaceResult::Replaced;
    }
};

}  // namespace

Platform& SystemPlatform() {
    static PosixPlatform platform;
    return platform;
}
