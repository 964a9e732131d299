// A performance-data provider of the process object, made as Windows' extensible counter
// DLLs are: the system loads it through the Performance key of a service
// (HKLM\System\CurrentControlSet\Services\NAME\Performance) for an HKEY_PERFORMANCE_DATA
// query and hands it the query text. Its instances are the running processes named by
// file title, as Windows names them, between "Idle" and "_Total".
//
// It is made for Wine, whose RegQueryValueEx hands a provider the place
// sizeof(PERF_DATA_BLOCK) bytes past where the block's HeaderLength says the first object
// begins, and counts TotalByteLength from HeaderLength. So that the block reads as Windows
// lays it out, the object is written where HeaderLength points, that many bytes before the
// place handed over (still inside the caller's buffer), and in no more than the bytes
// offered.
//
// For the tests, environment variables of the querying process:
//   ZANDRY_TEST_PERF_LOG        a file that gets one line per Collect call:
//                               "QUERY OFFERED RESULT WRITTEN" (bytes, decimal)
//   ZANDRY_TEST_PERF_EXTRA      that many "Worker#N" instances before the real processes,
//                               so that the block outgrows a first buffer
//   ZANDRY_TEST_PERF_AS_HANDED  when set, the object goes where Wine hands it, in the
//                               offered bytes less that shift (Wine offers that many more
//                               than the caller's buffer holds)
#include <windows.h>

#include <tlhelp32.h>
#include <winperf.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static_assert(sizeof(PERF_DATA_BLOCK) == 88, "the published layout");
static_assert(sizeof(PERF_OBJECT_TYPE) == 64, "the published layout");
static_assert(sizeof(PERF_COUNTER_DEFINITION) == 40, "the published layout");
static_assert(sizeof(PERF_INSTANCE_DEFINITION) == 24, "the published layout");

namespace {

constexpr DWORD kProcessIndex = ZANDRY_PERF_PROCESS_INDEX;
constexpr DWORD kIdProcessIndex = kProcessIndex + 2;
constexpr DWORD kThreadCountIndex = kProcessIndex + 4;
constexpr DWORD kWineShift = sizeof(PERF_DATA_BLOCK);

struct Counters {
    PERF_COUNTER_BLOCK block;
    DWORD idProcess;
    DWORD threadCount;
    DWORD pad;  // blocks stay 8-byte aligned
};

struct Process {
    std::wstring name;
    DWORD id;
    DWORD threads;
};

std::string Environment(const char* name) {
    char value[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

// The file title: the name without its folder or extension.
std::wstring Title(const wchar_t* exeFile) {
    std::wstring name = exeFile;
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) name.erase(dot);
    return name;
}

std::vector<Process> Processes() {
    std::vector<Process> list{{L"Idle", 0, 1}};
    long extra = std::strtol(Environment("ZANDRY_TEST_PERF_EXTRA").c_str(), nullptr, 10);
    for (long i = 0; i < extra && i < 100000; ++i)
        list.push_back({L"Worker#" + std::to_wstring(i), static_cast<DWORD>(100000 + i), 1});
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
            list.push_back({Title(entry.szExeFile), entry.th32ProcessID, entry.cntThreads});
        CloseHandle(snapshot);
    }
    list.push_back({L"_Total", 0, 0});
    return list;
}

DWORD Align8(DWORD n) { return (n + 7) & ~DWORD(7); }

// The process object in the published layout: object header, two counter definitions, then
// per instance its definition, UTF-16 name and counter block.
std::vector<unsigned char> ProcessObject() {
    std::vector<Process> processes = Processes();
    PERF_OBJECT_TYPE object = {};
    object.HeaderLength = sizeof object;
    object.DefinitionLength = sizeof object + 2 * sizeof(PERF_COUNTER_DEFINITION);
    object.ObjectNameTitleIndex = kProcessIndex;
    object.ObjectHelpTitleIndex = kProcessIndex + 1;
    object.DetailLevel = PERF_DETAIL_NOVICE;
    object.NumCounters = 2;
    object.DefaultCounter = -1;
    object.NumInstances = static_cast<LONG>(processes.size());
    object.CodePage = 0;  // the names are UTF-16
    QueryPerformanceCounter(&object.PerfTime);
    QueryPerformanceFrequency(&object.PerfFreq);

    PERF_COUNTER_DEFINITION counters[2] = {};
    for (int i = 0; i < 2; ++i) {
        counters[i].ByteLength = sizeof counters[i];
        counters[i].CounterNameTitleIndex = i == 0 ? kIdProcessIndex : kThreadCountIndex;
        counters[i].CounterHelpTitleIndex = counters[i].CounterNameTitleIndex + 1;
        counters[i].DetailLevel = PERF_DETAIL_NOVICE;
        counters[i].CounterType = PERF_COUNTER_RAWCOUNT;
        counters[i].CounterSize = sizeof(DWORD);
        counters[i].CounterOffset = i == 0 ? offsetof(Counters, idProcess) : offsetof(Counters, threadCount);
    }

    std::vector<unsigned char> bytes(object.DefinitionLength);
    std::memcpy(bytes.data() + sizeof object, counters, sizeof counters);
    for (const Process& p : processes) {
        PERF_INSTANCE_DEFINITION instance = {};
        instance.NameOffset = sizeof instance;
        instance.NameLength = static_cast<DWORD>((p.name.size() + 1) * sizeof(WCHAR));
        instance.ByteLength = Align8(instance.NameOffset + instance.NameLength);
        instance.UniqueID = PERF_NO_UNIQUE_ID;
        size_t at = bytes.size();
        bytes.resize(at + instance.ByteLength + sizeof(Counters), 0);
        std::memcpy(bytes.data() + at, &instance, sizeof instance);
        std::memcpy(bytes.data() + at + instance.NameOffset, p.name.c_str(), instance.NameLength);
        Counters values = {};
        values.block.ByteLength = sizeof values;
        values.idProcess = p.id;
        values.threadCount = p.threads;
        std::memcpy(bytes.data() + at + instance.ByteLength, &values, sizeof values);
    }
    object.TotalByteLength = static_cast<DWORD>(bytes.size());
    std::memcpy(bytes.data(), &object, sizeof object);
    return bytes;
}

// "Global", or a blank-separated list of indices that names the process object.
bool Asked(const wchar_t* query) {
    if (!query || !*query || _wcsicmp(query, L"Global") == 0) return true;
    const wchar_t* p = query;
    while (*p) {
        wchar_t* end = nullptr;
        unsigned long index = std::wcstoul(p, &end, 10);
        if (end == p) return false;  // "Costly", "Foreign" and the like
        if (index == kProcessIndex) return true;
        p = end;
        while (*p == L' ') ++p;
    }
    return false;
}

void Log(const wchar_t* query, DWORD offered, DWORD result, DWORD written) {
    std::string path = Environment("ZANDRY_TEST_PERF_LOG");
    if (path.empty()) return;
    char text[64] = {};
    if (query) WideCharToMultiByte(CP_ACP, 0, query, -1, text, sizeof text - 1, nullptr, nullptr);
    if (std::FILE* log = std::fopen(path.c_str(), "ab")) {
        std::fprintf(log, "%s %lu %lu %lu\n", text, offered, result, written);
        std::fclose(log);
    }
}

}  // namespace

extern "C" {

__declspec(dllexport) DWORD APIENTRY OpenProcessData(LPWSTR) { return ERROR_SUCCESS; }

__declspec(dllexport) DWORD APIENTRY CollectProcessData(LPWSTR query, LPVOID* data,
                                                        LPDWORD totalBytes, LPDWORD objectTypes) {
    const DWORD offered = *totalBytes;
    if (!Asked(query)) {
        *totalBytes = 0;
        *objectTypes = 0;
        Log(query, offered, ERROR_SUCCESS, 0);
        return ERROR_SUCCESS;
    }
    std::vector<unsigned char> object = ProcessObject();
    const bool asHanded = !Environment("ZANDRY_TEST_PERF_AS_HANDED").empty();
    const DWORD room = asHanded ? (offered > kWineShift ? offered - kWineShift : 0) : offered;
    if (object.size() > room) {
        *totalBytes = 0;
        *objectTypes = 0;
        Log(query, offered, ERROR_MORE_DATA, 0);
        return ERROR_MORE_DATA;
    }
    unsigned char* handed = static_cast<unsigned char*>(*data);
    std::memcpy(asHanded ? handed : handed - kWineShift, object.data(), object.size());
    *data = handed + object.size();
    *totalBytes = static_cast<DWORD>(object.size());
    *objectTypes = 1;
    Log(query, offered, ERROR_SUCCESS, *totalBytes);
    return ERROR_SUCCESS;
}

__declspec(dllexport) DWORD APIENTRY CloseProcessData() { return ERROR_SUCCESS; }

}  // extern "C"
