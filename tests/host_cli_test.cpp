// The real native program beside a stand-in host that is still running: it must do nothing
// at all. Once the host has ended, the same command launches.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/support/folder_names.h"
#include "tests/support/posix/child_process.h"
#include "tests/support/settings_file.h"
#include "tests/support/test_folder.h"

namespace {

const std::string kSettings = Settings{{"A", "B"}, 0}.Bytes();

TEST(RunningHost, StopsTheLaunchAndTouchesNothing) {
    TestFolder folder;
    ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, kHostExe));
    folder.Write(kIni, kSettings);
    folder.Write(kLive, "A data");
    folder.Write("B.kmc", "B data");

    ChildProcess host("./" + kHostExe, {"--stay", "60"});
    ASSERT_EQ(WaitForFile(folder, kHostLog), "started to stay: live file holds \"A data\"\n");
    std::set<std::string> names = folder.Names();

    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {"B"}), 0);
    EXPECT_EQ(folder.Names(), names);
    EXPECT_EQ(folder.Read(kIni), kSettings);
    EXPECT_EQ(folder.Read(kLive), "A data");
    EXPECT_EQ(folder.Read("B.kmc"), "B data");
    EXPECT_EQ(folder.Read(kHostLog), "started to stay: live file holds \"A data\"\n");

    host.Stop(SIGTERM);
    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {"B"}), 0);
    EXPECT_NE(folder.Read(kIni), kSettings) << "with the host gone the launch goes on";
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
}

}  // namespace
