// The real native program beside a stand-in host that is still running: it must do nothing
// at all. Once the host has ended, the same command launches.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/platform.h"
#include "tests/support/test_folder.h"

extern char** environ;

namespace {

const std::string kLive = "Kirimo\x90\xdd\x92\xe8.kmc";
const std::string kIni =
    "[PetList]\r\nentry=2\r\nPetname0=A\r\nPetname1=B\r\n[NowPet]\r\nnumber=0\r\n[Kirimo]\r\nVer=Kirimo.exe\r\n";

TEST(RunningHost, StopsTheLaunchAndTouchesNothing) {
    TestFolder folder;
    ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, "Kirimo.exe"));
    folder.Write("Zandry.ini", kIni);
    folder.Write(kLive, "A data");
    folder.Write("B.kmc", "B data");

    char program[] = "./Kirimo.exe", stay[] = "--stay", seconds[] = "60";
    char* argv[] = {program, stay, seconds, nullptr};
    pid_t host;
    ASSERT_EQ(posix_spawn(&host, program, nullptr, nullptr, argv, environ), 0);
    ASSERT_EQ(WaitForFile(folder, "standin-host.log"), "started to stay: live file holds \"A data\"\n");
    std::set<std::string> names = folder.Names();

    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {"B"}), 0);
    EXPECT_EQ(folder.Names(), names);
    EXPECT_EQ(folder.Read("Zandry.ini"), kIni);
    EXPECT_EQ(folder.Read(kLive), "A data");
    EXPECT_EQ(folder.Read("B.kmc"), "B data");
    EXPECT_EQ(folder.Read("standin-host.log"), "started to stay: live file holds \"A data\"\n");

    kill(host, SIGTERM);
    waitpid(host, nullptr, 0);
    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {"B"}), 0);
    EXPECT_NE(folder.Read("Zandry.ini"), kIni) << "with the host gone the launch goes on";
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
}

}  // namespace
