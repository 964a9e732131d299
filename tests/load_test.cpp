// Fifty copies of the real native program let go at the same moment in one folder: one
// switches and starts the host, every other ends at once with 0, and the folder ends as one
// switch leaves it. The host stays running a while, as a real one would, so that a copy
// that comes late finds it there instead of switching again.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/platform.h"
#include "tests/support/posix/running_hosts.h"
#include "tests/support/test_folder.h"

extern char** environ;

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
    folder.Write("standin-host.stay", "30");

    // Each copy waits for the end of one pipe, so that all start when it closes.
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::vector<pid_t> copies;
    for (int i = 0; i < kCopies; ++i) {
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
        ASSERT_GT(pid, 0);
        copies.push_back(pid);
    }
    close(gate[0]);
    close(gate[1]);

    int endedWithZero = 0;
    for (pid_t pid : copies) {
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) ++endedWithZero;
    }
    auto log = WaitForFile(folder, "standin-host.log");
    EndHostsHere();
    EXPECT_EQ(endedWithZero, kCopies);
    EXPECT_EQ(log, "started to stay: live file holds \"B data\"\n");
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
    EXPECT_EQ(folder.Read(kLive), "B data");
    EXPECT_EQ(folder.Read("B.bak"), "B data");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"A.kmc", "B.bak", "Kirimo.exe", kLive, "Zandry.ini",
                                                     "standin-host.log", "standin-host.stay"}));
    EXPECT_NE(folder.Read("Zandry.ini")->find("number=1\r\n"), std::string::npos);
}

}  // namespace
