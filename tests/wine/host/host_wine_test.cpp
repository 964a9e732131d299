// zandry.exe's host check under Wine, through the real program beside a stand-in host that
// stays running.
//
// What Wine 8.0 answers, probed in a fresh prefix and checked again by the tests below:
// - GetVersionExA: platform id 2 (NT), version 6.1, so the check takes the performance data.
// - HKLM\software\microsoft\windows nt\currentversion\perflib\011 does not exist
//   (ERROR_FILE_NOT_FOUND); only 009 does, its "Counters" being "1 1847 1846 End Marker".
//   The check ends there with 0, before any performance data is asked for.
// - HKEY_PERFORMANCE_DATA, asked for "230", "Global" or "": ERROR_SUCCESS and a 96-byte
//   block of its own making ("PERF", the computer name, no object). Wine appends what the
//   providers registered under HKLM\System\CurrentControlSet\Services\*\Performance
//   (Library, Open, Collect, Close) collect, each called with the query text as given and
//   its ERROR_MORE_DATA passed back to the caller; a fresh prefix registers none.
// - It hands a provider the place sizeof(PERF_DATA_BLOCK) (88) bytes past where the block's
//   HeaderLength says the first object begins, and TotalByteLength, counted from
//   HeaderLength, falls 88 bytes short of the object's end (kernelbase's query_perf_data
//   advances its pointer from the end of the fixed header by HeaderLength). A reader of the
//   published layout, zandry.exe included, finds zeros where the object should be, so even
//   with a provider the check answers 0. Our provider puts its object where HeaderLength
//   points instead (see process_perf_provider.cpp), which makes the block Windows' own.
// - The Toolhelp process list names every process by its file name alone ("Kirimo.exe"),
//   from the kernel's process information, whatever Windows version is set.
//
// OutOfTheBox runs in the prefix the other suites share. WithProvider and Windows98 run in
// this suite's own, which has a table 011 naming "Process" 2230 and our zandryperf.dll, a
// provider of the process object that lists the running programs by file title. There the
// check is real: a running host stops the launch, over a block of 84,000 bytes too.
//
// Windows98 sets that version for zandry.exe alone (AppDefaults). GetVersionExA then gives
// platform id 1 and the check takes the process list. Wine gives it bare file names, as a
// Windows 98 compatibility mode on NT does, and those are compared with the host's file name
// (Windows 98 itself names whole paths): the running host stops the launch, and the provider
// is never asked.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/win32_host_queries.h"
#include "tests/support/folder_names.h"
#include "tests/support/settings_file.h"
#include "tests/support/test_folder.h"
#include "tests/support/win32/windows98.h"

namespace {

const std::string kPerflib011 = "software\\microsoft\\windows nt\\currentversion\\perflib\\011";
const std::string kAppDefaults = "Software\\Wine\\AppDefaults\\zandry.exe";
const std::string kStayLine = "started to stay: live file holds \"A data\"\n";
const std::string kLaunchLine = "started: live file holds \"B data\"\n";
constexpr DWORD kProcessIndex = ZANDRY_PERF_PROCESS_INDEX;
constexpr long kMoreData = ERROR_MORE_DATA;

// The two pets' settings file, the given one current.
std::string TwoPets(int current) { return Settings{{"A", "B"}, current}.Bytes(); }

// Two pets, A live; the stand-in host copied in as the settings name it.
bool MakePetFolder(const TestFolder& folder) {
    folder.Write(kIni, TwoPets(0));
    folder.Write(kLive, "A data");
    folder.Write("B.kmc", "B data");
    return SystemPlatform().CopyFileReplacing(STANDIN_HOST, kHostExe);
}

std::uint32_t Read32(const std::vector<unsigned char>& b, size_t at) {
    std::uint32_t v = 0;
    if (at + 4 <= b.size()) std::memcpy(&v, b.data() + at, 4);
    return v;
}

// The performance data for `name`, the buffer grown until it fits.
long QueryPerformanceData(const std::string& name, std::vector<unsigned char>& block) {
    long result = kMoreData;
    for (DWORD size = 51200; result == kMoreData && size <= 16u << 20; size *= 2) {
        block.assign(size, 0);
        DWORD filled = size;
        result = RegQueryValueExA(HKEY_PERFORMANCE_DATA, name.c_str(), nullptr, nullptr, block.data(), &filled);
        if (result == ERROR_SUCCESS) block.resize(filled);
    }
    RegCloseKey(HKEY_PERFORMANCE_DATA);
    return result;
}

// The file names of the running processes, as the Toolhelp list gives them.
std::vector<std::string> ProcessList() {
    std::vector<std::string> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return names;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        names.push_back(entry.szExeFile);
    CloseHandle(snapshot);
    return names;
}

int CountProcesses(const std::string& exeFile) {
    int n = 0;
    for (const std::string& name : ProcessList()) n += _stricmp(name.c_str(), exeFile.c_str()) == 0;
    return n;
}

// The stand-in host started from the current folder with --stay, ended with the test.
class StayingHost {
public:
    explicit StayingHost(const TestFolder& folder) {
        std::string commandLine = "\"Kirimo.exe\" --stay 60";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(kHostExe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process_))
            return;
        CloseHandle(process_.hThread);
        started_ = WaitForFile(folder, kHostLog) == kStayLine;
    }
    ~StayingHost() { Stop(); }
    StayingHost(const StayingHost&) = delete;
    StayingHost& operator=(const StayingHost&) = delete;

    bool Started() const { return started_; }
    void Stop() {
        if (!process_.hProcess) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hProcess);
        process_.hProcess = nullptr;
    }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};

// The pet folder, fresh, beside the stand-in host started in it to stay.
struct BesideRunningHost {
    TestFolder folder;
    bool made = MakePetFolder(folder);
    StayingHost host{folder};
    bool Ready() const { return made && host.Started(); }
};

// Waits for a launched host's line after the ones already there; the launch itself is not
// waited for by zandry.
std::string WaitForLines(const TestFolder& folder, const std::string& name, size_t lines) {
    std::string bytes;
    for (int i = 0; i < 200; ++i) {
        bytes = folder.Read(name).value_or("");
        if (static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) >= lines) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return bytes;
}

// An environment variable of this process, and so of the zandry.exe it starts and of the
// provider loaded there, for one test.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedEnvironment() { SetEnvironmentVariableA(name_, nullptr); }

private:
    const char* name_;
};

// The provider's record of its Collect calls, kept outside the pet folder.
class ProviderLog {
public:
    struct Call {
        std::string query;
        unsigned long offered = 0, result = 0, written = 0;
    };

    ProviderLog() : path_(TempPath()), env_("ZANDRY_TEST_PERF_LOG", path_) { DeleteFileA(path_.c_str()); }
    ~ProviderLog() { DeleteFileA(path_.c_str()); }

    bool Exists() const { return GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::vector<Call> Calls() const {
        std::vector<Call> calls;
        std::FILE* file = std::fopen(path_.c_str(), "rb");
        if (!file) return calls;
        char line[256];
        while (std::fgets(line, sizeof line, file)) {
            std::istringstream in(line);
            Call call;
            in >> call.query >> call.offered >> call.result >> call.written;
            calls.push_back(call);
        }
        std::fclose(file);
        return calls;
    }

private:
    static std::string TempPath() {
        char folder[MAX_PATH] = {};
        GetTempPathA(sizeof folder, folder);
        return std::string(folder) + "zandry-perf-" + std::to_string(GetCurrentProcessId()) + ".log";
    }
    std::string path_;
    ScopedEnvironment env_;
};

int Zandry(const std::string& pet) { return RunProgram(ZANDRY_PROGRAM, {pet}); }

// `zandry B` beside the running host, which must do nothing: no host more among the
// processes than before it, then none that has already written its line (a launched host is
// listed until it has), and the folder as it was.
void ExpectTheLaunchToDoNothing(const TestFolder& folder) {
    const std::set<std::string> names = folder.Names();
    const int hostsBefore = CountProcesses(kHostExe);
    EXPECT_EQ(Zandry("B"), 0);
    EXPECT_LE(CountProcesses(kHostExe), hostsBefore);
    EXPECT_EQ(folder.Read(kHostLog), kStayLine);
    EXPECT_EQ(folder.Names(), names);
    EXPECT_EQ(folder.Read(kIni), TwoPets(0));
    EXPECT_EQ(folder.Read(kLive), "A data");
    EXPECT_EQ(folder.Read("B.kmc"), "B data");
}

// `zandry B` after the host it stays beside has been started, which must switch to B and
// start the host once more.
void ExpectTheLaunchToSwitch(const TestFolder& folder) {
    EXPECT_EQ(Zandry("B"), 0);
    EXPECT_EQ(WaitForLines(folder, kHostLog, 2), kStayLine + kLaunchLine);
    EXPECT_EQ(folder.Read(kIni), TwoPets(1));
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
    EXPECT_EQ(folder.Read(kLive), "B data");
    EXPECT_EQ(folder.Read("B.bak"), "B data");
    EXPECT_FALSE(folder.Exists("B.kmc"));
}

TEST(OutOfTheBox, WineHasNoTable011AndAnEmptyProcessQuery) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    EXPECT_EQ(version.dwPlatformId, DWORD(VER_PLATFORM_WIN32_NT));

    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPerflib011.c_str(), 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);

    for (const char* name : {"230", "Global", ""}) {
        std::vector<unsigned char> block;
        ASSERT_EQ(QueryPerformanceData(name, block), ERROR_SUCCESS) << name;
        ASSERT_GE(block.size(), 88u) << name;
        EXPECT_EQ(std::memcmp(block.data(), L"PERF", 8), 0) << name;
        EXPECT_EQ(Read32(block, 28), 0u) << name << ": no object";
        EXPECT_EQ(Read32(block, 20), block.size()) << name;
        EXPECT_EQ(Read32(block, 24), block.size()) << name << ": the header is all there is";
    }
}

TEST(OutOfTheBox, RunningHostDoesNotStopTheLaunch) {
    BesideRunningHost pets;
    ASSERT_TRUE(pets.Ready());
    ExpectTheLaunchToSwitch(pets.folder);
}

class WithProvider : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults.c_str());  // a Windows98 run cut short
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPerflib011.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS)
            << "this suite's prefix has the table 011 (prepare-provider-prefix)";
        RegCloseKey(key);
        std::vector<unsigned char> block;
        ASSERT_EQ(QueryPerformanceData(std::to_string(kProcessIndex), block), ERROR_SUCCESS);
        ASSERT_EQ(Read32(block, 28), 1u) << "the provider's process object";
        ASSERT_EQ(Read32(block, Read32(block, 24) + 12), kProcessIndex);
    }
};

TEST_F(WithProvider, WineHandsTheObjectAPlacePastItsHeaderLength) {
    ScopedEnvironment asHanded("ZANDRY_TEST_PERF_AS_HANDED", "1");
    std::vector<unsigned char> block;
    ASSERT_EQ(QueryPerformanceData(std::to_string(kProcessIndex), block), ERROR_SUCCESS);
    const std::uint32_t header = Read32(block, 24), shift = 88;
    ASSERT_EQ(Read32(block, 28), 1u);
    EXPECT_EQ(Read32(block, header + 12), 0u) << "nothing where HeaderLength points";
    EXPECT_EQ(Read32(block, header + shift + 12), kProcessIndex) << "the object, 88 bytes on";
    EXPECT_EQ(Read32(block, 20), header + Read32(block, header + shift)) << "the total, 88 short";

    // As Wine hands it over, the block shows zandry.exe no process: the launch goes on.
    BesideRunningHost pets;
    ASSERT_TRUE(pets.Ready());
    ProviderLog log;
    ExpectTheLaunchToSwitch(pets.folder);
    ASSERT_EQ(log.Calls().size(), 2u) << "the start-up's check and the switch's";
    EXPECT_EQ(log.Calls()[0].result, 0u) << "the provider answered";
}

TEST_F(WithProvider, RunningHostStopsTheLaunchUntilItEnds) {
    BesideRunningHost pets;
    ASSERT_TRUE(pets.Ready());
    ProviderLog log;

    ExpectTheLaunchToDoNothing(pets.folder);
    std::vector<ProviderLog::Call> calls = log.Calls();
    ASSERT_EQ(calls.size(), 1u) << "one query, answered at the first size";
    EXPECT_EQ(calls[0].query, std::to_string(kProcessIndex)) << "the index from the table";
    EXPECT_EQ(calls[0].result, 0u);
    EXPECT_GT(calls[0].written, 0u);

    pets.host.Stop();
    ExpectTheLaunchToSwitch(pets.folder);
    calls = log.Calls();
    ASSERT_EQ(calls.size(), 3u) << "the start-up's check and the switch's";
    EXPECT_EQ(calls[1].result, 0u) << "asked again, without the host this time";
}

TEST_F(WithProvider, BlockBeyondTheFirstBufferIsFetchedAndWalkedWhole) {
    // 1,300 instances of 64 bytes before the real processes: some 84,000 bytes.
    ScopedEnvironment extra("ZANDRY_TEST_PERF_EXTRA", "1300");
    BesideRunningHost pets;
    ASSERT_TRUE(pets.Ready());
    ProviderLog log;

    ExpectTheLaunchToDoNothing(pets.folder);
    std::vector<ProviderLog::Call> calls = log.Calls();
    ASSERT_EQ(calls.size(), 3u) << "51,200 and 76,800 bytes are too few, 102,400 fit";
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].result, i + 1 < calls.size() ? unsigned(kMoreData) : 0u) << i;
        if (i > 0) {
            EXPECT_EQ(calls[i].offered - calls[i - 1].offered, 25600u) << "grown by one step";
        }
    }
    EXPECT_LE(calls[0].offered, 51200u);
    EXPECT_GT(calls.back().written, 76800u);

    pets.host.Stop();
    ExpectTheLaunchToSwitch(pets.folder);
    EXPECT_EQ(log.Calls().size(), 9u) << "the same growth, then at start-up and before the switch a whole walk "
                                         "without a match";
}

// The platform id and version a program named zandry.exe is told.
std::string VersionSeenByZandry() {
    TestFolder probe;
    if (!SystemPlatform().CopyFileReplacing(VERSION_REPORT, "zandry.exe")) return "no copy";
    if (RunProgram("zandry.exe", {"version.txt"}) != 0) return "no report";
    return probe.Read("version.txt").value_or("");
}

TEST(Windows98, ProcessListIsTakenAndItsBareNamesFindTheHost) {
    Windows98For windows98("zandry.exe");
    ASSERT_TRUE(windows98.Set());
    ASSERT_EQ(VersionSeenByZandry().substr(0, 2), "1 ") << "platform id 1: the process list";

    BesideRunningHost pets;
    ASSERT_TRUE(pets.Ready());
    const std::vector<std::string> list = ProcessList();
    EXPECT_NE(std::find(list.begin(), list.end(), kHostExe), list.end()) << "by its file name alone";
    ProviderLog log;

    ExpectTheLaunchToDoNothing(pets.folder);
    EXPECT_FALSE(log.Exists()) << "no performance data was asked for";
}

// The process list is looked up in kernel32 when the check runs, so that NT 4.0, which
// lacks it, can load the program; a module without it gives no snapshot and no entry.
TEST(Toolhelp, FoundInKernel32AndAbsentElsewhere) {
    std::unique_ptr<HostQueries> kernel = MakeHostQueries(GetModuleHandleA("kernel32.dll"));
    SnapshotHandle snapshot = kernel->CreateSnapshot(TH32CS_SNAPPROCESS, 0);
    ASSERT_NE(snapshot, nullptr);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    ProcessEntry entry;
    entry.size = sizeof(PROCESSENTRY32);
    bool foundSelf = false;
    for (bool more = kernel->FirstProcess(snapshot, entry); more; more = kernel->NextProcess(snapshot, entry))
        foundSelf |= _stricmp(entry.exeFile.c_str(), std::strrchr(self, '\\') + 1) == 0;
    kernel->CloseSnapshot(snapshot);
    EXPECT_TRUE(foundSelf);

    std::unique_ptr<HostQueries> nt4 = MakeHostQueries(GetModuleHandleA("user32.dll"));
    EXPECT_EQ(nt4->CreateSnapshot(TH32CS_SNAPPROCESS, 0), nullptr);
    EXPECT_FALSE(nt4->FirstProcess(nullptr, entry));
}

}  // namespace
