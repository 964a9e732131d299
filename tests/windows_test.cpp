// The three windows driven through our dialog manager by scripted user actions, inside a
// whole run of the program on a real folder.
#include <gtest/gtest.h>

#include "app/zandry_app.h"
#include "res/resource.h"
#include "roster/roster.h"
#include "tests/support/failure_cases.h"
#include "tests/support/folder_names.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/stored.h"
#include "tests/support/test_folder.h"

namespace {

const std::string kManageCaption = "\x92\xc7\x89\xc1\xa5\x8d\xed\x8f\x9c";  // 追加･削除
const std::string kDiscardCaption = "\x83\x79\x83\x62\x83\x67\x82\xf0\x8e\xcc\x82\xc4\x82\xe9";

class Windows : public ::testing::Test {
protected:
    TestFolder folder;
    void SetUp() override { ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, kHostExe)); }

    // Runs the program without arguments, acting on its windows with these lines.
    std::string Run(const std::string& script) {
        ScriptedDialogs dialogs(script);
        EXPECT_EQ(CZandryApp(SystemPlatform(), {}).Run(), 0);
        return dialogs.Shown();
    }
    std::string HostSaw() { return WaitForFile(folder, kHostLog).value_or("<not started>"); }
};

TEST_F(Windows, FirstRunBuildsTheRosterThenLaunchesFromTheChooser) {
    for (const std::string& name : {std::string("Alpha.kmc"), kLive, std::string("moko.kmc"), kOld, kPrevious})
        folder.Write(name, name + " data");
    // Enter on the setup window's confirm button, then pick moko in the chooser and launch.
    std::string shown = Run("\n3\n\n");
    EXPECT_EQ(StoredSettings(), (Settings{{"Alpha", "default", "moko"}, 2}));
    EXPECT_EQ(folder.Read("default.kmc"), kLive + " data");
    EXPECT_EQ(HostSaw(), "started: live file holds \"moko.kmc data\"\n");
    EXPECT_NE(shown.find("  * 2. default"), std::string::npos) << "the live pet is preselected";
}

TEST_F(Windows, SetupCancelEndsTheRunWithNothingWritten) {
    folder.Write("Alpha.kmc", "A");
    Run("b\n");
    EXPECT_FALSE(folder.Exists(kIni));
    EXPECT_FALSE(folder.Exists(kHostLog));
}

TEST_F(Windows, SetupConfirmWaitsForAnExistingExecutable) {
    ASSERT_TRUE(SystemPlatform().RenameFile(kHostExe, "Host.bin"));
    folder.Write("Alpha.kmc", "A");
    // Nothing proposed: Enter is refused; a missing name too; then the right one.
    std::string shown = Run("\ntype Nope.exe\n\ntype Host.bin\n\nesc\n");
    EXPECT_EQ(Count(shown, "== \x8f\x89\x8a\xfa\x90\xdd\x92\xe8 =="), 5);  // 初期設定, each time it is shown
    EXPECT_EQ(StoredSettings(), (Settings{{"Alpha"}, -1, "Host.bin"}));
}

TEST_F(Windows, SetupConfirmRefusesWildcards) {
    folder.Write("Alpha.kmc", "A");
    // Each pattern matches a file of the folder; only the name itself is taken.
    Run("type *\n\ntype Kirimo*.exe\n\ntype Kirimo.ex?\n\ntype Kirimo.exe\n\nesc\n");
    EXPECT_EQ(GetHostExecutableName(StoredProfile()), kHostExe);
}

TEST_F(Windows, ChooserWithEmptyRosterLaunchesNothing) {
    StoreRoster({}, 0);
    std::string shown = Run("\n\nc\n");
    EXPECT_NE(shown.find("(empty)"), std::string::npos);
    EXPECT_FALSE(folder.Exists(kHostLog));
}

TEST_F(Windows, ClosingTheChooserNeverLaunches) {
    StoreRoster({"A", "B"}, 0);
    Run("2\nesc\n");
    Run("2\n");  // then the end of input: the close box
    EXPECT_FALSE(folder.Exists(kHostLog));
    EXPECT_EQ(StoredRoster().current, 0);
}

TEST_F(Windows, ChooserSelectsTheSecondOfTwoEqualNames) {
    StoreRoster({"Momo", "Momo"}, -1);
    folder.Write("Momo.kmc", "one of them");
    Run("2\n\n");
    EXPECT_EQ(StoredRoster().current, 1);
}

TEST_F(Windows, SettingsRefillsTheChooserFromTheFile) {
    StoreRoster({"A", "B", "C"}, 0);
    folder.Write(kLive, "A data");
    folder.Write("C.kmc", "C data");
    // Pick C, open the management window, go back: the stored pet A is selected again.
    Run("3\nb\nd\n\n");
    EXPECT_EQ(HostSaw(), "started: live file holds \"A data\"\n");
}

TEST_F(Windows, AdoptedPetIsLaunchedWithoutALiveFile) {
    StoreRoster({"A", "B"}, 0);
    folder.Write(kLive, "A data");
    std::string shown = Run("b\ntype New\na\nd\n\n");
    EXPECT_EQ(StoredSettings(), (Settings{{"A", "B", "New"}, 2}));
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
    EXPECT_EQ(HostSaw(), "started: no live file\n");
    EXPECT_NE(shown.find("  * 3. New"), std::string::npos) << "the chooser selects the new pet";
}

TEST_F(Windows, EnterAndEscapeDoNothingInTheManagementWindow) {
    StoreRoster({"A"}, 0);
    std::string shown = Run("b\ntype X\nenter\nesc\n1\nenter\nd\nc\n");
    EXPECT_EQ(Count(shown, "== " + kManageCaption + " =="), 6);
    EXPECT_EQ(StoredRoster().names, std::vector<std::string>{"A"});
}

TEST_F(Windows, DiscardAsksAndOnlyYesDiscards) {
    StoreRoster({"A", "B"}, 1);
    folder.Write("A.kmc", "A data");
    folder.Write(kLive, "B data");
    std::string shown = Run("b\n1\nc\nn\n2\nc\ny\nd\nc\n");
    EXPECT_EQ(Count(shown, kDiscardCaption), 2);
    EXPECT_EQ(StoredSettings(), (Settings{{"A"}, -1}));
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
    EXPECT_FALSE(folder.Exists(kLive));
}

TEST_F(Windows, RenameMovesTheFilesUnderTheNewName) {
    StoreRoster({"Pochi", "A"}, 1);
    folder.Write("Pochi.kmc", "P data");
    Run("b\n1\ntype pochi\nb\nd\nc\n");
    EXPECT_EQ(StoredRoster().names, (std::vector<std::string>{"pochi", "A"}));
    EXPECT_EQ(folder.Read("pochi.kmc"), "P data");
}

TEST_F(Windows, TypingStopsAtSixteenBytes) {
    StoreRoster({"A"}, 0);
    // 9 double-byte characters: only 8 fit.
    std::string nine;
    for (int i = 0; i < 9; ++i) nine += "\x83\x5c";
    Run("b\ntype " + nine + "\na\nd\nc\n");
    EXPECT_EQ(StoredRoster().names, (std::vector<std::string>{"A", nine.substr(0, 16)}));
}

// Each failure is said once, in the table's words, owned by the window the user acted in or
// by none, and nothing is started.
TEST(FailureMessages, EachIsSaidOnceAndStartsNothing) {
    ForEachFailureCase([](const FailureCase& c, const TestFolder& folder) {
        FaultyPlatform platform(SystemPlatform());
        if (c.fault) c.fault(platform);
        ScriptedDialogs dialogs(c.script);
        EXPECT_EQ(CZandryApp(platform, c.arguments).Run(), 0) << c.what;
        EXPECT_EQ(Count(dialogs.Shown(), "-- zandry --\n" + c.message + "\n [Enter] OK"), 1)
            << c.what << "\n" << dialogs.Shown();
        // Only where no host is left to start may the start be tried.
        for (const std::string& call : platform.FileCalls())
            EXPECT_FALSE(call.rfind("start", 0) == 0 && folder.Exists(kHostExe)) << c.what;
    });
}

}  // namespace
