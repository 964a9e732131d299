// The native program's windows driven as a person at a terminal drives them: the real
// binary, its lines of input in the terminal's encoding (UTF-8), and the folder it leaves.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/platform.h"
#include "platform/posix/encoding.h"
#include "roster/roster.h"
#include "tests/support/failure_cases.h"
#include "tests/support/folder_names.h"
#include "tests/support/posix/child_process.h"
#include "tests/support/posix/running_hosts.h"
#include "tests/support/stored.h"
#include "tests/support/test_folder.h"

namespace {

const std::string kSora = "\x83\x5c\x83\x89";  // "ソラ": the first trail byte is 0x5C

// The chooser's prompt: the lock is taken, the chooser drawn, and its next line awaited.
const std::string kPrompt = "> ";

std::string Typed(const std::string& cp932) {
    return encoding::Convert(cp932, "CP932", "UTF-8").value_or("<not code page 932>");
}

class Terminal : public ::testing::Test {
protected:
    TestFolder folder;
    void SetUp() override { ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, kHostExe)); }

    int Zandry(const std::string& input) { return RunProgram(ZANDRY_PROGRAM, {}, input); }
    std::string HostSaw() { return WaitForFile(folder, kHostLog).value_or("<not started>"); }
};

TEST_F(Terminal, FirstRunSetsUpThenLaunchesThePickedPet) {
    folder.Write(kLive, "live data");
    folder.Write(kSora + ".kmc", "sora data");
    // Enter confirms the setup; then the second entry of the chooser, and Enter launches.
    EXPECT_EQ(Zandry("\n2\n\n"), 0);
    EXPECT_EQ(HostSaw(), "started: live file holds \"sora data\"\n");
    EXPECT_EQ(StoredSettings(), (Settings{{"default", kSora}, 1}));
    EXPECT_EQ(folder.Read("default.kmc"), "live data");
    EXPECT_EQ(folder.Read(kSora + ".bak"), "sora data");
}

TEST_F(Terminal, SetupCancelledOrClosedLeavesTheFolderAsItWas) {
    folder.Write(kLive, "live data");
    for (const char* input : {"b\n", ""}) {
        EXPECT_EQ(Zandry(input), 0);
        EXPECT_EQ(folder.Names(), (std::set<std::string>{kHostExe, kLive})) << input;
    }
}

TEST_F(Terminal, AdoptRenameAndDiscardTypedInTheTerminalsEncoding) {
    WriteTwoPets(folder);
    folder.Write("B.bak", "older B");
    std::string input = "b\n"                                 // 設定
                        "type " + Typed(kSora) + "\na\n"      // adopt ソラ: A's live file goes home
                        "1\ntype " + Typed("\x95\x5c") + "\nb\n"  // A renamed 表
                        "2\nc\nn\nc\ny\n"                     // B: No, then Yes
                        "d\nc\n";                             // back, and 終了
    EXPECT_EQ(Zandry(input), 0);
    EXPECT_EQ(StoredSettings(), (Settings{{"\x95\x5c", kSora}, 1}));
    EXPECT_EQ(folder.Names(), (std::set<std::string>{kHostExe, kIni, "\x95\x5c.kmc"}));
    EXPECT_EQ(folder.Read("\x95\x5c.kmc"), "A data");
}

// The failures a whole program can meet, each said in the terminal's encoding.
TEST(TerminalFailures, EachIsSaidInTheTerminalsEncoding) {
    ForEachFailureCase([](const FailureCase& c, const TestFolder&) {
        if (c.fault) return;  // a call failed on purpose, which only a run in-process can have
        ChildProcess run(ZANDRY_PROGRAM, c.arguments, c.script, ChildProcess::kRead);
        EXPECT_EQ(run.Finish(), 0) << c.what;
        EXPECT_NE(run.Shown().find("-- zandry --\n" + Typed(c.message) + "\n [Enter] OK"), std::string::npos)
            << c.what << "\n" << run.Shown();
    });
}

TEST_F(Terminal, OutputNobodyReadsStillLaunchesAndEndsWithZero) {
    WriteTwoPets(folder);
    folder.Write(kHostStay, "30");
    EXPECT_EQ(ChildProcess(ZANDRY_PROGRAM, {}, "2\n\n", ChildProcess::kUnread).Finish(), 0);
    EXPECT_EQ(HostSaw(), "started to stay: live file holds \"B data\"\n");
    // The launcher ignores SIGPIPE; the host it started does not.
    std::vector<pid_t> hosts = HostsRunningHere();
    ASSERT_EQ(hosts.size(), 1u);
    std::ifstream status("/proc/" + std::to_string(hosts[0]) + "/status");
    std::string line;
    while (std::getline(status, line) && line.rfind("SigIgn:", 0) != 0) {}
    EXPECT_EQ(std::stoull(line.substr(7), nullptr, 16) & (1ull << (SIGPIPE - 1)), 0u) << line;
    EndHostsHere();
}

// The host started from its own shortcut while the chooser is open, after the start-up found
// none: 起動 switches nothing, and says why.
TEST_F(Terminal, HostStartedWhileTheChooserIsOpenStopsTheLaunch) {
    WriteTwoPets(folder);
    ChildProcess chooser(ZANDRY_PROGRAM, {}, "", ChildProcess::kRead);
    ASSERT_TRUE(chooser.ReadUntil(kPrompt));
    ChildProcess host("./" + kHostExe, {"--stay", "60"});
    ASSERT_EQ(HostSaw(), "started to stay: live file holds \"A data\"\n");
    const auto before = folder.Contents();
    EXPECT_TRUE(chooser.Send("2\n\n"));
    EXPECT_EQ(chooser.Finish(), 0);
    EXPECT_EQ(folder.Contents(), before);
    EXPECT_NE(chooser.Shown().find(Typed(SystemPlatform().CurrentDirectory() +
                               Ansi(u"\\Kirimo.exe が動いています。終了してから、やり直してください。\n"
                                    u"ペットを切り替えられないため、何も起動しませんでした。"))),
              std::string::npos)
        << chooser.Shown();
}

TEST_F(Terminal, SecondCopyEndsAtOnceWhileTheChooserIsOpen) {
    WriteTwoPets(folder);
    ChildProcess first(ZANDRY_PROGRAM, {}, "", ChildProcess::kRead);
    ASSERT_TRUE(first.ReadUntil(kPrompt));
    const auto before = folder.Contents();
    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {"B"}), 0);
    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {}, "\n"), 0);
    EXPECT_EQ(folder.Contents(), before);  // the settings file too, and no host's log
    EXPECT_EQ(folder.Read(kLive), "A data");
    EXPECT_TRUE(first.Send("2\n\n"));
    EXPECT_EQ(first.Finish(), 0);
    EXPECT_EQ(HostSaw(), "started: live file holds \"B data\"\n");
}

}  // namespace
