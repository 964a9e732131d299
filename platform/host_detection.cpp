// Host detection: the strategy by platform family, the two scans over the system's answers,
// and the pure walks of the counter-name table and the performance data block.
#include "platform/host_detection.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "platform/perf_data_layout.h"
#include "platform/text.h"

namespace {

constexpr std::uint32_t kWindowsFamily = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr std::uint32_t kNtFamily = 2;       // VER_PLATFORM_WIN32_NT
constexpr std::uint32_t kVersionInfoSize = 148;
constexpr std::uint32_t kProcessEntrySize = 296;
constexpr std::uint32_t kSnapProcess = 2;
constexpr std::uint32_t kKeyRead = 0x20019;
// The counter names of language 0x011, Japanese.
constexpr char kCounterNamesKey[] = "software\\microsoft\\windows nt\\currentversion\\perflib\\011";
constexpr std::uint32_t kFirstDataSize = 51200;
constexpr std::uint32_t kDataSizeStep = 25600;
// The process object of some 13,000 processes; without a bound, a source that always wants
// more would hold the launch for ever.
constexpr std::uint32_t kMaxDataSize = 4 * 1024 * 1024;
constexpr int kNameBytes = 260;
// Every UTF-16 unit becomes at least half a byte, so a longer name cannot fit in 260.
constexpr std::uint64_t kMaxNameUnits = 2 * kNameBytes;

std::uint32_t Read32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

// The host executable's file name: the file part of the full path, empty without one.
std::string ComparisonTarget(HostQueries& system, const std::string& hostPath) {
    char full[kNameBytes] = {};
    char* filePart = nullptr;
    std::uint32_t length = system.FullPathName(hostPath, sizeof full, full, &filePart);
    if (length == 0 || length >= sizeof full || !filePart || filePart < full ||
        filePart >= full + sizeof full)
        return {};
    full[sizeof full - 1] = '\0';
    return filePart;
}

// The performance data's scan once the counter names' key is open.
int ScanWithCounterNames(HostQueries& system, RegistryKey key, const std::string& hostPath) {
    std::uint32_t type = 0, tableSize = 0;
    if (system.QueryValue(key, "Counters", &type, nullptr, &tableSize) != kErrorSuccess) return 0;
    std::unique_ptr<unsigned char[]> table(new (std::nothrow) unsigned char[tableSize]());
    std::uint32_t read = tableSize;
    if (!table || system.QueryValue(key, "Counters", &type, table.get(), &read) != kErrorSuccess) return 0;
    const std::string index = FindCounterIndex(table.get(), std::min(read, tableSize));
    table.reset();

    std::unique_ptr<unsigned char[]> data;
    std::uint32_t size = kFirstDataSize, filled = 0;
    for (;;) {
        data.reset(new (std::nothrow) unsigned char[size]());
        if (!data) return 0;
        filled = size;
        long result = system.QueryPerformanceData(index, data.get(), &filled);
        if (result == kErrorSuccess) break;
        if (result != kErrorMoreData) return 0;
        data.reset();
        if (size > kMaxDataSize - kDataSizeStep) return 0;
        size += kDataSizeStep;
    }
    filled = std::min(filled, size);
    static const unsigned char kSignature[] = {'P', 0, 'E', 0, 'R', 0, 'F', 0};
    if (filled < sizeof kSignature || std::memcmp(data.get(), kSignature, sizeof kSignature) != 0) return 0;
    return MatchPerfInstances(data.get(), filled, ComparisonTarget(system, hostPath), system);
}

}  // namespace

int IsHostRunning(HostQueries& system, const std::string& hostPath) {
    VersionInfo version{kVersionInfoSize};
    if (!system.GetVersion(version)) return 0;
    if (version.platformId == kWindowsFamily) return ScanProcessSnapshot(system, hostPath);
    if (version.platformId == kNtFamily) return ScanPerformanceData(system, hostPath);
    return 0;
}

int ScanProcessSnapshot(HostQueries& system, const std::string& hostPath) {
    SnapshotHandle snapshot = system.CreateSnapshot(kSnapProcess, 0);
    if (!snapshot) return 0;
    // A compatibility mode of the 95 family on NT lists bare file names: those go by the
    // host's file name.
    const std::string hostFile = hostPath.substr(text::FileNameAt(hostPath));
    auto isHost = [&](const std::string& exe) {
        return text::FileNameAt(exe) == 0 ? !hostFile.empty() && text::LocaleEqual(exe, hostFile)
                                    : text::LocaleEqual(exe, hostPath);
    };
    ProcessEntry entry{kProcessEntrySize, {}};
    bool more = system.FirstProcess(snapshot, entry);
    while (more && !isHost(entry.exeFile)) more = system.NextProcess(snapshot, entry);
    system.CloseSnapshot(snapshot);
    return more ? 1 : 0;
}

int ScanPerformanceData(HostQueries& system, const std::string& hostPath) {
    RegistryKey key = nullptr;
    const bool keyOpen = system.OpenMachineKey(kCounterNamesKey, 0, kKeyRead, key) == kErrorSuccess;
    const int answer = keyOpen ? ScanWithCounterNames(system, key, hostPath) : 0;
    if (keyOpen) system.CloseKey(key);
    system.ClosePerformanceData();
    return answer;
}

std::string FindCounterIndex(const unsigned char* table, std::size_t size) {
    std::string index;
    std::size_t at = 0;
    while (at < size && table[at] != 0) {
        const void* nul = std::memchr(table + at, 0, size - at);
        if (!nul) break;
        std::size_t end = static_cast<const unsigned char*>(nul) - table;
        std::string element(reinterpret_cast<const char*>(table + at), end - at);
        if (text::LocaleEqual(element, "process")) {
            std::size_t digitsEnd = at > 0 ? at - 1 : 0, begin = digitsEnd;
            while (begin > 0 && table[begin - 1] >= '0' && table[begin - 1] <= '9') --begin;
            index.assign(reinterpret_cast<const char*>(table + begin), digitsEnd - begin);
        }
        at = end + 1;
    }
    return index;
}

int MatchPerfInstances(const unsigned char* block, std::size_t size, const std::string& target,
                       HostQueries& system) {
    // Offsets are summed in 64 bits, so no field can wrap around to a place inside the block.
    using namespace perf_layout;
    const std::uint64_t end = size;
    if (end < kHeaderLength + 4) return 0;
    const std::uint64_t object = Read32(block + kHeaderLength);
    if (object + kObjectFieldsEnd > end) return 0;
    std::uint64_t instance = object + Read32(block + object + kDefinitionLength);
    const std::int32_t count = static_cast<std::int32_t>(Read32(block + object + kNumInstances));
    char name[kNameBytes];
    for (std::int32_t i = 0; i < count; ++i) {
        if (instance + kInstanceFieldsEnd > end) return 0;
        const std::uint64_t nameAt = instance + Read32(block + instance + kNameOffset);
        std::uint64_t units = 0;  // with the NUL; 0 when too long to convert
        for (std::uint64_t at = nameAt; units == 0 && at < nameAt + 2 * kMaxNameUnits; at += 2) {
            if (at + 2 > end) return 0;
            if (block[at] == 0 && block[at + 1] == 0) units = (at - nameAt) / 2 + 1;
        }
        if (units != 0 &&
            system.WideToAnsi(block + nameAt, static_cast<int>(units), name, sizeof name) > 0) {
            name[sizeof name - 1] = '\0';
            if (text::CompareNoCase(std::string(name) + ".exe", target) == 0) return 1;
        }
        if (i + 1 == count) break;
        const std::uint64_t counterBlock = instance + Read32(block + instance + kInstanceByteLength);
        if (counterBlock + 4 > end) return 0;
        const std::uint64_t next = counterBlock + Read32(block + counterBlock + kCounterBlockByteLength);
        // A step that does not move on would walk the same instance until the count runs out.
        if (next <= instance) return 0;
        instance = next;
    }
    return 0;
}
