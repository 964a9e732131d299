// Host detection's calls on Linux: the family that lists processes with their executable
// paths, the process list read from /proc, no registry, and the code page 932 conversion.
#include "platform/host_queries.h"

#include <dirent.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <vector>

#include "platform/cp932.h"
#include "platform/platform.h"
#include "platform/posix/encoding.h"

namespace {

// Every process's executable, as the core names paths; processes of other users, whose
// executables cannot be read, are left out.
std::vector<std::string> RunningExecutables() {
    std::vector<std::string> paths;
    DIR* proc = opendir("/proc");
    if (!proc) return paths;
    while (dirent* entry = readdir(proc)) {
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9') continue;
        std::string link = std::string("/proc/") + entry->d_name + "/exe";
        char target[PATH_MAX];
        ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
        if (n <= 0) continue;
        paths.push_back(encoding::FromHostPath(std::string(target, static_cast<size_t>(n))));
    }
    closedir(proc);
    return paths;
}

struct Snapshot {
    std::vector<std::string> paths;
    size_t next = 0;
};

// The "\" characters of a core path, trail bytes aside.
std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts(1);
    for (size_t i = 0, length; i < path.size(); i += length) {
        length = cp932::CharLength(path, i);
        if (length == 1 && path[i] == '\\')
            parts.emplace_back();
        else
            parts.back() += path.substr(i, length);
    }
    return parts;
}

class PosixHostQueries final : public HostQueries {
public:
    bool GetVersion(VersionInfo& info) override {
        if (info.size != 148) return false;
        info.platformId = 1;  // like the family whose process list names whole paths
        return true;
    }

    SnapshotHandle CreateSnapshot(std::uint32_t, std::uint32_t) override {
        return new Snapshot{RunningExecutables()};
    }
    bool FirstProcess(SnapshotHandle snapshot, ProcessEntry& entry) override {
        static_cast<Snapshot*>(snapshot)->next = 0;
        return NextProcess(snapshot, entry);
    }
    bool NextProcess(SnapshotHandle snapshot, ProcessEntry& entry) override {
        auto* s = static_cast<Snapshot*>(snapshot);
        if (entry.size != 296 || s->next >= s->paths.size()) return false;
        entry.exeFile = s->paths[s->next++];
        return true;
    }
    void CloseSnapshot(SnapshotHandle snapshot) override { delete static_cast<Snapshot*>(snapshot); }

    long OpenMachineKey(const std::string&, std::uint32_t, std::uint32_t, RegistryKey&) override {
        return kErrorFileNotFound;
    }
    long QueryValue(RegistryKey, const std::string&, std::uint32_t*, unsigned char*,
                    std::uint32_t*) override {
        return kErrorFileNotFound;
    }
    long CloseKey(RegistryKey) override { return kErrorSuccess; }
    long QueryPerformanceData(const std::string&, unsigned char*, std::uint32_t*) override {
        return kErrorFileNotFound;
    }
    long ClosePerformanceData() override { return kErrorSuccess; }

    std::uint32_t FullPathName(const std::string& path, std::uint32_t size, char* buffer,
                               char** filePart) override {
        std::string whole = !path.empty() && path[0] == '\\'
                                ? path
                                : SystemPlatform().CurrentDirectory() + "\\" + path;
        std::vector<std::string> parts = Components(whole), kept;
        for (size_t i = 1; i < parts.size(); ++i) {
            if (parts[i] == "..") {
                if (!kept.empty()) kept.pop_back();
            } else if (!parts[i].empty() && parts[i] != ".") {
                kept.push_back(parts[i]);
            }
        }
        const bool folderOnly = parts.back().empty();
        std::string full;
        for (const std::string& part : kept) full += "\\" + part;
        if (full.empty() || folderOnly) full += "\\";
        if (full.size() + 1 > size) return static_cast<std::uint32_t>(full.size() + 1);
        std::memcpy(buffer, full.c_str(), full.size() + 1);
        if (!folderOnly && !kept.empty()) *filePart = buffer + full.size() - kept.back().size();
        return static_cast<std::uint32_t>(full.size());
    }

    int WideToAnsi(const unsigned char* utf16, int units, char* out, int outSize) override {
        std::string text = encoding::ToCodePage(
            std::string(reinterpret_cast<const char*>(utf16), 2 * static_cast<size_t>(units)), "UTF-16LE");
        if (text.size() > static_cast<size_t>(outSize)) return 0;
        std::memcpy(out, text.data(), text.size());
        return static_cast<int>(text.size());
    }
};

}  // namespace

HostQueries& Platform::Host() {
    static PosixHostQueries queries;
    return queries;
}
