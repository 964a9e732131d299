// Fifty copies of the real program let go at the same moment in one folder: every copy ends
// with 0 and the folder ends as one switch leaves it. The copies that overlap the one
// holding the lock end at once.
//
// Where the host check sees the host, it stays running a while, as a real one would, so a
// copy that comes late finds it there: exactly one copy switches. So it is natively, and
// under Wine with our performance-data provider (ZANDRY_LOAD_HOST_SEEN set). Under Wine each
// copy is created suspended and all are resumed together; but Wine starts fifty processes
// over seconds and, out of the box, answers the running-process query with nothing, so
// there a copy it starts after the first has ended finds no host and makes the same switch
// again - while that host may be reading the live file, which it then finds missing for a
// moment.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/platform.h"
#include "tests/support/folder_names.h"
#include "tests/support/settings_file.h"
#include "tests/support/test_folder.h"

#ifdef _WIN32
#include <windows.h>

#include <tlhelp32.h>

#include <cstdlib>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/posix/running_hosts.h"

extern char** environ;
#endif

namespace {

const std::string kHostSawB = "live file holds \"B data\"\n";
constexpr int kCopies = 50;

#ifdef _WIN32
bool HostCheckSeesTheHost() { return std::getenv("ZANDRY_LOAD_HOST_SEEN") != nullptr; }

// Ends every stand-in host; Wine names processes by file name alone.
void EndHostsHere() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, kHostExe.c_str()) != 0) continue;
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 10000);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
}
#else
bool HostCheckSeesTheHost() { return true; }
#endif

// Starts `zandry B` that many times so that all begin together; how many ended with 0.
int RunTogether(int copies) {
    int endedWithZero = 0;
#ifdef _WIN32
    std::vector<PROCESS_INFORMATION> started;
    for (int i = 0; i < copies; ++i) {
        std::string commandLine = "\"" ZANDRY_PROGRAM "\" B";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(ZANDRY_PROGRAM, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                           nullptr, &startup, &process))
            started.push_back(process);
        else
            std::printf("copy %d could not be started: error %lu\n", i, GetLastError());
    }
    for (const PROCESS_INFORMATION& process : started) ResumeThread(process.hThread);
    for (const PROCESS_INFORMATION& process : started) {
        DWORD code = 1;
        if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
        if (GetExitCodeProcess(process.hProcess, &code) && code == 0)
            ++endedWithZero;
        else
            std::printf("a copy ended with %#lx\n", code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
#else
    // Each copy waits for the end of one pipe, so that all start when it closes.
    int gate[2];
    if (pipe(gate) != 0) return 0;
    std::vector<pid_t> started;
    for (int i = 0; i < copies; ++i) {
        pid_t pid = fork();
        if (pid == 0) {
            close(gate[1]);
            char byte;
            while (read(gate[0], &byte, 1) > 0) {
            }
            int none = open("/dev/null", O_RDWR);
            dup2(none, 0);
            dup2(none, 1);
            char* argv[] = {const_cast<char*>(ZANDRY_PROGRAM), const_cast<char*>("B"), nullptr};
            execve(ZANDRY_PROGRAM, argv, environ);
            _exit(127);
        }
        if (pid > 0) started.push_back(pid);
    }
    close(gate[0]);
    close(gate[1]);
    for (pid_t pid : started) {
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) ++endedWithZero;
    }
#endif
    return endedWithZero;
}

TEST(Load, FiftyCopiesAtOnceMakeOneSwitch) {
    TestFolder folder;
    ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, kHostExe));
    folder.Write(kIni, Settings{{"A", "B"}, 0}.Bytes());
    folder.Write(kLive, "A data");
    folder.Write("B.kmc", "B data");
    std::set<std::string> names{"A.kmc", "B.bak", kHostExe, kLive, kIni, kHostLog};
    const bool seen = HostCheckSeesTheHost();
    if (seen) {
        folder.Write(kHostStay, "30");
        names.insert(kHostStay);
    }

    EXPECT_EQ(RunTogether(kCopies), kCopies);
    std::string log = WaitForFile(folder, kHostLog).value_or("");
    // Out of the box, a host that a later copy's switch caught reading found no live file;
    // the host that the last switch started finds B's, once it has written its line.
    for (int i = 0; !seen && log.find("started: " + kHostSawB) == std::string::npos && i < 200; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        log = folder.Read(kHostLog).value_or("");
    }
    EndHostsHere();
    if (seen) {
        EXPECT_EQ(log, "started to stay: " + kHostSawB);
    } else {
        EXPECT_NE(log.find("started: " + kHostSawB), std::string::npos) << log;
        size_t starts = 0;
        for (size_t at = 0; (at = log.find("started", at)) != std::string::npos; ++at) ++starts;
        std::printf("%d copies, %zu of them switched\n", kCopies, starts);
    }
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
    EXPECT_EQ(folder.Read(kLive), "B data");
    EXPECT_EQ(folder.Read("B.bak"), "B data");
    EXPECT_EQ(folder.Names(), names);
    EXPECT_NE(folder.Read(kIni)->find("number=1\r\n"), std::string::npos);
}

}  // namespace
