// Fifty copies of the real zandry.exe let go at the same moment in one folder under Wine:
// each is created suspended, and all are resumed together. Every copy ends with 0 and the
// folder ends as one switch leaves it. Copies that overlap the one holding the lock end at
// once; but Wine starts fifty processes over seconds and, out of the box, answers the
// running-process query with nothing, so a copy it starts after the first has ended finds
// no host running and makes the same switch again - while that host may be reading the
// live file, which it then finds missing for a moment. On Windows the host check stops
// such a copy; natively the load test shows it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "platform/platform.h"
#include "tests/support/test_folder.h"

namespace {

const std::string kLive = "Kirimo\x90\xdd\x92\xe8.kmc";
constexpr int kCopies = 50;

TEST(Load, FiftyCopiesAtOnceMakeOneSwitch) {
    TestFolder folder;
    ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, "Kirimo.exe"));
    folder.Write("Zandry.ini",
                 "[PetList]\r\nentry=2\r\nPetname0=A\r\nPetname1=B\r\n[NowPet]\r\nnumber=0\r\n[Kirimo]\r\nVer=Kirimo.exe\r\n");
    folder.Write(kLive, "A data");
    folder.Write("B.kmc", "B data");

    std::vector<PROCESS_INFORMATION> copies;
    for (int i = 0; i < kCopies; ++i) {
        std::string commandLine = "\"" ZANDRY_PROGRAM "\" B";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(CreateProcessA(ZANDRY_PROGRAM, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                   nullptr, nullptr, &startup, &process));
        copies.push_back(process);
    }
    for (const PROCESS_INFORMATION& process : copies) ResumeThread(process.hThread);

    int endedWithZero = 0;
    for (const PROCESS_INFORMATION& process : copies) {
        DWORD code = 1;
        if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
        if (GetExitCodeProcess(process.hProcess, &code) && code == 0) ++endedWithZero;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    EXPECT_EQ(endedWithZero, kCopies);
    std::string log = WaitForFile(folder, "standin-host.log").value_or("");
    EXPECT_NE(log.find("started: live file holds \"B data\"\n"), std::string::npos) << log;
    size_t starts = 0;
    for (size_t at = 0; (at = log.find("started", at)) != std::string::npos; ++at) ++starts;
    std::printf("%d copies, %zu of them switched\n", kCopies, starts);
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
    EXPECT_EQ(folder.Read(kLive), "B data");
    EXPECT_EQ(folder.Read("B.bak"), "B data");
    EXPECT_EQ(folder.Names(),
              (std::set<std::string>{"A.kmc", "B.bak", "Kirimo.exe", kLive, "Zandry.ini", "standin-host.log"}));
    EXPECT_NE(folder.Read("Zandry.ini")->find("number=1\r\n"), std::string::npos);
}

}  // namespace
