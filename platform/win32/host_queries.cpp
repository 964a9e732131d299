// Host detection's calls on Windows: version, Toolhelp, registry and performance data,
// GetFullPathNameA and WideCharToMultiByte themselves.
#include <windows.h>

#include <tlhelp32.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/win32/win32_host_queries.h"

namespace {

// Toolhelp is missing from NT 4.0's kernel32: importing it would keep the program from
// loading there, so it is looked up when the check runs.
using CreateSnapshotFunction = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessStepFunction = BOOL(WINAPI*)(HANDLE, LPPROCESSENTRY32);

template <typename Function>
Function Find(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

class Win32HostQueries final : public HostQueries {
public:
    explicit Win32HostQueries(HMODULE toolhelpModule)
        : createSnapshot_(Find<CreateSnapshotFunction>(toolhelpModule, "CreateToolhelp32Snapshot")),
          processFirst_(Find<ProcessStepFunction>(toolhelpModule, "Process32First")),
          processNext_(Find<ProcessStepFunction>(toolhelpModule, "Process32Next")) {}

    bool GetVersion(VersionInfo& info) override {
        OSVERSIONINFOA record = {};
        record.dwOSVersionInfoSize = info.size;
        if (!GetVersionExA(&record)) return false;
        info.platformId = record.dwPlatformId;
        return true;
    }

    // Without all three functions no snapshot is taken, so no walk can start.
    SnapshotHandle CreateSnapshot(std::uint32_t flags, std::uint32_t processId) override {
        if (!createSnapshot_ || !processFirst_ || !processNext_) return nullptr;
        HANDLE snapshot = createSnapshot_(flags, processId);
        return snapshot == INVALID_HANDLE_VALUE ? nullptr : snapshot;
    }
    bool FirstProcess(SnapshotHandle snapshot, ProcessEntry& entry) override {
        return Fetch(snapshot, entry, processFirst_);
    }
    bool NextProcess(SnapshotHandle snapshot, ProcessEntry& entry) override {
        return Fetch(snapshot, entry, processNext_);
    }
    void CloseSnapshot(SnapshotHandle snapshot) override { CloseHandle(snapshot); }

    long OpenMachineKey(const std::string& path, std::uint32_t options, std::uint32_t access,
                        RegistryKey& key) override {
        HKEY opened = nullptr;
        LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), options, access, &opened);
        key = opened;
        return result;
    }
    long QueryValue(RegistryKey key, const std::string& name, std::uint32_t* type,
                    unsigned char* data, std::uint32_t* size) override {
        DWORD t = 0, n = size ? *size : 0;
        LONG result = RegQueryValueExA(static_cast<HKEY>(key), name.c_str(), nullptr,
                                       type ? &t : nullptr, data, size ? &n : nullptr);
        if (type) *type = t;
        if (size) *size = n;
        return result;
    }
    long CloseKey(RegistryKey key) override { return RegCloseKey(static_cast<HKEY>(key)); }
    long QueryPerformanceData(const std::string& name, unsigned char* data,
                              std::uint32_t* size) override {
        return QueryValue(HKEY_PERFORMANCE_DATA, name, nullptr, data, size);
    }
    long ClosePerformanceData() override { return RegCloseKey(HKEY_PERFORMANCE_DATA); }

    std::uint32_t FullPathName(const std::string& path, std::uint32_t size, char* buffer,
                               char** filePart) override {
        return GetFullPathNameA(path.c_str(), size, buffer, filePart);
    }

    int WideToAnsi(const unsigned char* utf16, int units, char* out, int outSize) override {
        if (reinterpret_cast<std::uintptr_t>(utf16) % alignof(WCHAR) == 0)
            return WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWCH>(utf16), units, out,
                                       outSize, nullptr, nullptr);
        std::wstring aligned(static_cast<size_t>(units), L'\0');
        std::memcpy(&aligned[0], utf16, aligned.size() * sizeof(WCHAR));
        return WideCharToMultiByte(CP_ACP, 0, aligned.data(), units, out, outSize, nullptr, nullptr);
    }

private:
    static bool Fetch(SnapshotHandle snapshot, ProcessEntry& entry, ProcessStepFunction step) {
        if (!step) return false;
        PROCESSENTRY32 record = {};
#ifdef _WIN64
        record.dwSize = sizeof record;  // the 64-bit test build's record is longer than 296
#else
        record.dwSize = entry.size;
#endif
        if (!step(snapshot, &record)) return false;
        record.szExeFile[sizeof record.szExeFile - 1] = '\0';
        entry.exeFile = record.szExeFile;
        return true;
    }

    CreateSnapshotFunction createSnapshot_;
    ProcessStepFunction processFirst_;
    ProcessStepFunction processNext_;
};

}  // namespace

std::unique_ptr<HostQueries> MakeHostQueries(HMODULE toolhelpModule) {
    return std::make_unique<Win32HostQueries>(toolhelpModule);
}

HostQueries& Platform::Host() {
    static std::unique_ptr<HostQueries> queries = MakeHostQueries(GetModuleHandleA("kernel32.dll"));
    return *queries;
}
