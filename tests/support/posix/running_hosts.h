// Stand-in hosts still running from the current directory, found as the launcher finds
// them: by the executable of each process.
#pragma once
#include <signal.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "tests/support/folder_names.h"

inline std::vector<pid_t> HostsRunningHere() {
    const std::filesystem::path host = std::filesystem::current_path() / kHostExe;
    std::vector<pid_t> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path() / "exe", error) == host)
            found.push_back(std::stoi(entry.path().filename().string()));
    }
    return found;
}

// A launch right after another would find the first one's host and rightly do nothing.
inline void WaitForHostsToEnd() {
    for (int i = 0; i < 500 && !HostsRunningHere().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

inline void EndHostsHere() {
    for (pid_t pid : HostsRunningHere()) kill(pid, SIGTERM);
}
