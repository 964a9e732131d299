// The platform interface on Windows: exactly the kernel32, msvcrt and profile calls that
// the program has always made, with the ANSI (code page 932) entry points.
#include <windows.h>

#include <cstdio>
#include <optional>

#include "platform/platform.h"

namespace {

// The directory entry of that name, as the folder search reports it; none when missing.
std::optional<WIN32_FIND_DATAA> FindEntry(const std::string& name) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(name.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(find);
    return data;
}

class Win32Platform final : public Platform {
public:
    LockHandle CreateInstanceLock(const std::string& name, bool& alreadyExists) override {
        HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
        alreadyExists = GetLastError() == ERROR_ALREADY_EXISTS;
        return mutex;
    }

    void ReleaseInstanceLock(LockHandle lock) override { ReleaseMutex(lock); }
    void CloseInstanceLock(LockHandle lock) override { CloseHandle(lock); }

    std::string CurrentDirectory() override {
        // A folder of 130 double-byte characters is already longer than MAX_PATH bytes.
        std::string buffer(MAX_PATH, '\0');
        for (;;) {
            DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
            if (length == 0) return {};
            if (length < buffer.size()) return buffer.substr(0, length);
            // Too small: the size asked for counts the NUL, and the directory may have
            // changed meanwhile, so ask again.
            buffer.resize(length);
        }
    }

    bool RenameFile(const std::string& from, const std::string& to) override {
        return std::rename(from.c_str(), to.c_str()) == 0;
    }

    bool RemoveFile(const std::string& name) override { return std::remove(name.c_str()) == 0; }

    bool CopyFileReplacing(const std::string& from, const std::string& to) override {
        return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
    }

    FileStatus StatFile(const std::string& name) override {
        FileStatus status;
        if (auto entry = FindEntry(name)) {
            status.exists = true;
            status.size = (static_cast<std::uint64_t>(entry->nFileSizeHigh) << 32) | entry->nFileSizeLow;
        }
        return status;
    }

    ProbeResult CreateProbe(const std::string& name) override {
        HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return ProbeResult::Created;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return ProbeResult::Refused;
        // A folder is no pet file: adopted, its name would be moved into the live file's.
        auto entry = FindEntry(name);
        return entry && !(entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? ProbeResult::AlreadyExists
                                                                              : ProbeResult::Refused;
    }

    std::vector<std::string> FindFiles(const std::string& pattern) override {
        std::vector<std::string> found;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return found;
        do {
            found.push_back(data.cFileName);
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return found;
    }

    bool StartProgram(const std::string& path) override {
        // The path is the application name, so a blank in it can never start another program.
        std::string commandLine = "\"" + path + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process))
            return false;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }

    int ProfileReadInt(const std::string& section, const std::string& key, int fallback,
                       const std::string& file) override {
        return static_cast<int>(
            GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, file.c_str()));
    }

    std::string ProfileReadText(const std::string& section, const std::string& key,
                                const std::string& fallback, const std::string& file) override {
        char buffer[4096] = {};
        GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer,
                                 sizeof buffer, file.c_str());
        return buffer;
    }

    bool ProfileWriteText(const std::string& section, const std::string& key,
                          const std::optional<std::string>& value,
                          const std::string& file) override {
        return WritePrivateProfileStringA(section.c_str(), key.c_str(),
                                          value ? value->c_str() : nullptr, file.c_str()) != 0;
    }

    // The profile functions keep their own copy of the file.
    void HoldProfileSnapshot(const std::string&, bool) override {}
    // The system's profile functions write each value as it comes.
    void HoldProfileWrites(const std::string&) override {}
    bool ReleaseProfileWrites(const std::string&) override { return true; }
};

}  // namespace

Platform& SystemPlatform() {
    static Win32Platform platform;
    return platform;
}
