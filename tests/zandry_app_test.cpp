// The start-up sequence run in-process on a real folder, with the platform wrapped.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/zandry_app.h"
#include "roster/roster.h"
#include "tests/support/faulty_platform.h"
#include "tests/support/folder_names.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/settings_file.h"
#include "tests/support/stored.h"
#include "tests/support/test_folder.h"

namespace {

class StartUp : public ::testing::Test {
protected:
    TestFolder folder;
    ScriptedDialogs windows{""};  // any window that opens is closed at once
    FaultyPlatform platform{SystemPlatform()};

    void SetUp() override {
        ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, kHostExe));
        // A host still running from one launch would stop the next one in the same folder.
        platform.Fail(Call::Start);
    }
    void Roster(const std::string& names, int count, int current = 0) {
        folder.Write(kIni, "[PetList]\r\nentry=" + std::to_string(count) + "\r\n" + names +
                                       "[NowPet]\r\nnumber=" + std::to_string(current) +
                                       "\r\n[Kirimo]\r\nVer=Kirimo.exe\r\n");
    }
    // Runs the program with these arguments; the index it launched, or -99 for none.
    int Launch(std::vector<std::string> arguments) {
        size_t before = platform.FileCalls().size();
        EXPECT_EQ(CZandryApp(platform, std::move(arguments)).Run(), 0);
        for (size_t i = before; i < platform.FileCalls().size(); ++i)
            if (platform.FileCalls()[i].rfind("start ", 0) == 0) return StoredRoster().current;
        return -99;
    }
    bool TouchedFiles() {
        for (const std::string& call : platform.FileCalls())
            if (call.rfind("write", 0) == 0 || call.rfind("replace", 0) == 0 || call.rfind("rename", 0) == 0 ||
                call.rfind("start", 0) == 0 || call.rfind("remove", 0) == 0)
                return true;
        return false;
    }
};

TEST_F(StartUp, ArgumentSelectsThePetItNamesWithinTheStoredCount) {
    const std::string four = "Petname0=A\r\nPetname1=B\r\nPetname2=b\r\nPetname3=\r\n";
    struct Case {
        std::string names;
        int count;
        std::vector<std::string> arguments;
        int expected;
    } cases[] = {
        {four, 4, {"B"}, 1},      {four, 4, {"-b"}, 1},  {four, 4, {"/B"}, 1},  {four, 4, {"--B"}, -99},
        {four, 4, {"-/B"}, -99},  {four, 4, {"a", "B"}, 0}, {four, 4, {"-"}, 3}, {four, 4, {""}, 3},
        {four, 4, {"Z"}, -99},    {four, 4, {}, -99},
        // A name beyond the count is not matched; a missing one within it is empty.
        {"Petname0=A\r\nPetname1=B\r\n", 1, {"B"}, -99}, {"Petname0=A\r\n", 3, {"-"}, 1},
        {"Petname0=A\r\n", -5, {"A"}, -99},
        // The first in roster order, whatever the file's order; a name key's first line only.
        {"Petname2=b\r\nPetname1=B\r\nPetname0=A\r\n", 3, {"B"}, 1},
        {"Petname0=Z\r\nPetname0=B\r\n", 1, {"B"}, -99},
    };
    for (const Case& c : cases) {
        Roster(c.names, c.count, 0);
        EXPECT_EQ(Launch(c.arguments), c.expected)
            << (c.arguments.empty() ? "(none)" : c.arguments[0]) << " of " << c.count;
    }
}

TEST_F(StartUp, MissingOrEmptySettingsShowTheSetupWindowWhoseCloseEndsTheRun) {
    EXPECT_EQ(CZandryApp(platform, {"A"}).Run(), 0);
    folder.Write(kIni, "");
    EXPECT_EQ(CZandryApp(platform, {"A"}).Run(), 0);
    EXPECT_FALSE(TouchedFiles());
    EXPECT_EQ(folder.Read(kIni), "");
    EXPECT_EQ(Count(windows.Shown(), "== \x8f\x89\x8a\xfa\x90\xdd\x92\xe8 =="), 2);  // 初期設定
}

TEST_F(StartUp, SettingsOfOneLineBreakAreUsed) {
    folder.Write(kIni, "\r\n");
    folder.Write(kLive, "live");
    EXPECT_EQ(CZandryApp(platform, {"-"}).Run(), 0);
    EXPECT_FALSE(TouchedFiles()) << "the roster is empty, so no pet matches";
    EXPECT_EQ(Count(windows.Shown(), "== \x8f\x89\x8a\xfa\x90\xdd\x92\xe8 =="), 0);
    EXPECT_EQ(Count(windows.Shown(), "Ver1.11 =="), 1) << "the chooser, not the setup window";
}

TEST_F(StartUp, SecondCopyEndsAtOnceAndTouchesNothing) {
    Roster("Petname0=A\r\nPetname1=B\r\n", 2);
    bool exists = false;
    LockHandle held = SystemPlatform().CreateInstanceLock("CZandryApp", exists);
    ASSERT_FALSE(exists);
    CZandryApp second(platform, {"B"});
    EXPECT_FALSE(second.InitInstance());
    EXPECT_EQ(second.ExitInstance(), 0);
    EXPECT_FALSE(TouchedFiles());
    SystemPlatform().CloseInstanceLock(held);
    EXPECT_EQ(Launch({"B"}), 1) << "the lock is free again";
}

TEST_F(StartUp, ExitReleasesTheLock) {
    Roster("Petname0=A\r\n", 1);
    EXPECT_EQ(Launch({"A"}), 0);
    bool exists = true;
    LockHandle again = SystemPlatform().CreateInstanceLock("CZandryApp", exists);
    EXPECT_FALSE(exists);
    SystemPlatform().CloseInstanceLock(again);
}

TEST_F(StartUp, HostPathIsTheWorkingFolderAndVer) {
    Roster("Petname0=A\r\nPetname1=B\r\n", 2);
    folder.Write(kLive, "A data");
    folder.Write("B.kmc", "B data");
    platform.Heal(Call::Start);
    EXPECT_EQ(Launch({"B"}), 1);
    EXPECT_EQ(platform.FileCalls().back(),
              "start " + SystemPlatform().CurrentDirectory() + "\\" + kHostExe);
    EXPECT_EQ(WaitForFile(folder, kHostLog), "started: live file holds \"B data\"\n");
}

TEST_F(StartUp, FailingLockDoesNotStopTheRun) {
    Roster("Petname0=A\r\nPetname1=B\r\n", 2);
    platform.Fail(Call::Lock);
    EXPECT_EQ(Launch({"B"}), 1);
}

TEST_F(StartUp, UnreadableWorkingFolderEndsTheRunTouchingNothing) {
    Roster("Petname0=A\r\nPetname1=B\r\n", 2);
    platform.Fail(Call::Directory);
    EXPECT_EQ(Launch({"B"}), -99);
    platform.Heal(Call::Directory);
#ifndef _WIN32
    // Linux lets a process stand in a folder that has been removed.
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::create_directory("gone");
    std::filesystem::current_path("gone");
    std::filesystem::remove("../gone");
    EXPECT_EQ(SystemPlatform().CurrentDirectory(), "");
    EXPECT_EQ(Launch({"B"}), -99);
    std::filesystem::current_path(here);
#endif
    EXPECT_FALSE(TouchedFiles());
    EXPECT_EQ(windows.Shown(), "") << "neither the setup window nor the chooser";
    EXPECT_EQ(Launch({"B"}), 1) << "the lock was released";
}

#ifndef _WIN32
// A folder deeper than the longest whole path Linux takes (4096 bytes), made and left one
// level at a time.
class DeepFolder {
public:
    DeepFolder() {
        for (int i = 0; i < kLevels; ++i) {
            std::filesystem::create_directory(kLevel);
            std::filesystem::current_path(kLevel);
        }
    }
    ~DeepFolder() {
        for (int i = 0; i < kLevels; ++i) {
            std::filesystem::current_path("..");
            std::filesystem::remove_all(kLevel);
        }
    }
    static void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& name) {
        std::ostringstream bytes;
        bytes << std::ifstream(name, std::ios::binary).rdbuf();
        return bytes.str();
    }

private:
    static constexpr int kLevels = 24;
    inline static const std::string kLevel = std::string(200, 'd');
};

TEST_F(StartUp, FolderDeeperThanAnyWholePathSwitchesAndLaunches) {
    DeepFolder deep;
    ASSERT_GT(SystemPlatform().CurrentDirectory().size(), 4096u);
    ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, kHostExe));
    deep.Write(kIni, Settings{{"A", "B"}, 0}.Bytes());
    deep.Write("B.kmc", "B data");
    platform.Heal(Call::Start);
    EXPECT_EQ(Launch({"B"}), 1);
    EXPECT_NE(deep.Read(kIni).find("number=1"), std::string::npos) << deep.Read(kIni);
    EXPECT_EQ(deep.Read("B.bak"), "B data");
    std::string log;
    for (int i = 0; i < 200 && log.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        log = deep.Read(kHostLog);
    }
    EXPECT_EQ(log, "started: live file holds \"B data\"\n");
}
#endif

}  // namespace
