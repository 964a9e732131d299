// The platform interface on Windows: kernel32's and msvcrt's own calls, with the ANSI (code
// page 932) entry points.
#include <windows.h>

#include <cstdio>
#include <optional>

#include "platform/host_queries.h"
#include "platform/platform.h"

namespace {

bool IsNotFound(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

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
            status.name = entry->cFileName;
            status.size = (static_cast<std::uint64_t>(entry->nFileSizeHigh) << 32) | entry->nFileSizeLow;
        } else {
            status.certain = IsNotFound(GetLastError());
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
        auto entry = FindEntry(name);
        if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT || error == ERROR_DISK_FULL ||
            error == ERROR_HANDLE_DISK_FULL)
            return entry ? ProbeResult::Refused : ProbeResult::Failed;
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return ProbeResult::Refused;
        // A folder is no pet file: adopted, its name would be moved into the live file's.
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

    FileContents ReadWholeFile(const std::string& name) override {
        HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return {IsNotFound(GetLastError()) ? FileContents::Absent : FileContents::Unreadable, {}};
        FileContents contents;
        char buffer[16384];
        DWORD got = 0;
        BOOL ok;
        while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0) contents.bytes.append(buffer, got);
        CloseHandle(file);
        contents.state = ok ? FileContents::Read : FileContents::Unreadable;
        return contents;
    }

    bool WriteWholeFile(const std::string& name, const std::string& bytes) override {
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size() && FlushFileBuffers(file);
        return CloseHandle(file) && ok;
    }

    ReplaceResult ReplaceFile(const std::string& from, const std::string& to) override {
        DWORD attributes = GetFileAttributesA(to.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return ReplaceResult::Failed;
            SetFileAttributesA(from.c_str(), attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                           FILE_ATTRIBUTE_ARCHIVE));
        }
        // 95, 98 and Me export MoveFileExA but cannot replace with it; NT 4.0 can.
        VersionInfo version{sizeof(OSVERSIONINFOA)};
        if (!Host().GetVersion(version) || version.platformId != VER_PLATFORM_WIN32_NT)
            return ReplaceResult::Unsupported;
        using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
        auto moveFileEx = reinterpret_cast<MoveFileExFunction>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "MoveFileExA")));
        if (!moveFileEx) return ReplaceResult::Unsupported;
        return moveFileEx(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? ReplaceResult::Replaced
                   : ReplaceResult::Failed;
    }
};

}  // namespace

Platform& SystemPlatform() {
    static Win32Platform platform;
    return platform;
}
