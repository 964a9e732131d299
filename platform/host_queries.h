// The system calls that host detection makes: version, process list, registry and
// performance data, full path and name conversion. Kept apart from Platform so that tests
// can feed any answer, failures included. Return codes are the Win32 ones.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

using SnapshotHandle = void*;
using RegistryKey = void*;

constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorMoreData = 234;

struct VersionInfo {
    std::uint32_t size = 0;  // dwOSVersionInfoSize, set by the caller
    std::uint32_t platformId = 0;
};

struct ProcessEntry {
    std::uint32_t size = 0;  // dwSize, set by the caller
    std::string exeFile;     // szExeFile
};

class HostQueries {
public:
    virtual ~HostQueries() = default;

    // GetVersionExA; false when the record was refused.
    virtual bool GetVersion(VersionInfo& info) = 0;

    // CreateToolhelp32Snapshot; null when none was taken.
    virtual SnapshotHandle CreateSnapshot(std::uint32_t flags, std::uint32_t processId) = 0;
    // Process32First and Process32Next; false when there is no such entry.
    virtual bool FirstProcess(SnapshotHandle snapshot, ProcessEntry& entry) = 0;
    virtual bool NextProcess(SnapshotHandle snapshot, ProcessEntry& entry) = 0;
    virtual void CloseSnapshot(SnapshotHandle snapshot) = 0;

    // RegOpenKeyExA under HKEY_LOCAL_MACHINE.
    virtual long OpenMachineKey(const std::string& path, std::uint32_t options,
                                std::uint32_t access, RegistryKey& key) = 0;
    // RegQueryValueExA on an opened key; type and data may be null, size is in and out.
    virtual long QueryValue(RegistryKey key, const std::string& name, std::uint32_t* type,
                            unsigned char* data, std::uint32_t* size) = 0;
    virtual long CloseKey(RegistryKey key) = 0;
    // RegQueryValueExA and RegCloseKey on HKEY_PERFORMANCE_DATA.
    virtual long QueryPerformanceData(const std::string& name, unsigned char* data,
                                      std::uint32_t* size) = 0;
    virtual long ClosePerformanceData() = 0;

    // GetFullPathNameA: the length written, or the size needed when it does not fit.
    // filePart is left alone when the path has no file name or nothing was written.
    virtual std::uint32_t FullPathName(const std::string& path, std::uint32_t size, char* buffer,
                                       char** filePart) = 0;
    // WideCharToMultiByte(CP_ACP, 0) over `units` UTF-16LE code units at `utf16`, which may be
    // unaligned; characters without a mapping become the default character. The bytes
    // written, or 0 when they do not fit in outSize.
    virtual int WideToAnsi(const unsigned char* utf16, int units, char* out, int outSize) = 0;
};
