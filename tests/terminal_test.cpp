// The native program's windows driven as a person at a terminal drives them: the real
// binary, its lines of input in the terminal's encoding (UTF-8), and the folder it leaves.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "platform/platform.h"
#include "platform/posix/encoding.h"
#include "roster/roster.h"
#include "tests/support/failure_cases.h"
#include "tests/support/posix/running_hosts.h"
#include "tests/support/stored.h"
#include "tests/support/test_folder.h"

extern char** environ;

namespace {

const std::string kLive = "Kirimo\x90\xdd\x92\xe8.kmc";
const std::string kSora = "\x83\x5c\x83\x89";  // "ソラ": the first trail byte is 0x5C

std::string Typed(const std::string& cp932) {
    return encoding::Convert(cp932, "CP932", "UTF-8").value_or("<not code page 932>");
}

// A copy of the program that waits in its window: it has shown the chooser and reads its
// next line, which it gets only from Finish.
class OpenSession {
public:
    OpenSession() {
        int input[2], output[2];
        // Close on exec: a program started beside this one must not hold the ends open.
        if (pipe2(input, O_CLOEXEC) != 0) return;
        if (pipe2(output, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_adddup2(&files, input[0], 0);
        posix_spawn_file_actions_adddup2(&files, output[1], 1);
        posix_spawn_file_actions_addclose(&files, input[1]);
        posix_spawn_file_actions_addclose(&files, output[0]);
        char* argv[] = {const_cast<char*>(ZANDRY_PROGRAM), nullptr};
        if (posix_spawn(&pid_, ZANDRY_PROGRAM, &files, nullptr, argv, environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&files);
        close(input[0]);
        close(output[1]);
        input_ = input[1];
        output_ = output[0];
        // The prompt comes after the lock is taken and the chooser is drawn.
        std::string shown;
        char buffer[256];
        for (ssize_t n; shown.find("> ") == std::string::npos && (n = read(output_, buffer, sizeof buffer)) > 0;)
            shown.append(buffer, n);
        waiting_ = shown.find("> ") != std::string::npos;
    }
    ~OpenSession() { Finish(""); }
    bool Waiting() const { return waiting_; }

    // Sends the last lines, closes the input (the close box) and waits; the exit code. `shown`
    // gets what the windows wrote from then on.
    int Finish(const std::string& lines, std::string* shown = nullptr) {
        if (input_ < 0) return -1;
        bool sent = write(input_, lines.data(), lines.size()) == static_cast<ssize_t>(lines.size());
        close(input_);
        input_ = -1;
        char buffer[4096];
        for (ssize_t n; shown && (n = read(output_, buffer, sizeof buffer)) > 0;) shown->append(buffer, n);
        int status = 0;
        bool ended = pid_ >= 0 && waitpid(pid_, &status, 0) == pid_;
        close(output_);
        return sent && ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int input_ = -1, output_ = -1;
    bool waiting_ = false;
};

// Runs the program with these arguments and lines of input, its standard output a pipe; with
// `shown` null the pipe's reading end is closed, so every line its windows write finds
// nobody to read it. The exit code, or -1.
int RunPiped(const std::vector<std::string>& arguments, const std::string& input, std::string* shown) {
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return -1;
    if (!shown) close(out[0]);
    bool written = write(in[1], input.data(), input.size()) == static_cast<ssize_t>(input.size());
    close(in[1]);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, in[0], 0);
    posix_spawn_file_actions_adddup2(&files, out[1], 1);
    std::vector<char*> argv{const_cast<char*>(ZANDRY_PROGRAM)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    bool spawned = written && posix_spawn(&pid, ZANDRY_PROGRAM, &files, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&files);
    close(in[0]);
    close(out[1]);
    char buffer[4096];
    for (ssize_t n; shown && spawned && (n = read(out[0], buffer, sizeof buffer)) > 0;) shown->append(buffer, n);
    if (shown) close(out[0]);
    int status = 0;
    if (!spawned || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class Terminal : public ::testing::Test {
protected:
    TestFolder folder;
    void SetUp() override { ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, "Kirimo.exe")); }

    int Zandry(const std::string& input) { return RunProgram(ZANDRY_PROGRAM, {}, input); }
    Roster Stored() { return StoredRoster(); }
    std::string HostSaw() { return WaitForFile(folder, "standin-host.log").value_or("<not started>"); }
};

TEST_F(Terminal, FirstRunSetsUpThenLaunchesThePickedPet) {
    folder.Write(kLive, "live data");
    folder.Write(kSora + ".kmc", "sora data");
    // Enter confirms the setup; then the second entry of the chooser, and Enter launches.
    EXPECT_EQ(Zandry("\n2\n\n"), 0);
    EXPECT_EQ(HostSaw(), "started: live file holds \"sora data\"\n");
    Roster roster = Stored();
    EXPECT_EQ(roster.names, (std::vector<std::string>{"default", kSora}));
    EXPECT_EQ(roster.current, 1);
    EXPECT_EQ(folder.Read("default.kmc"), "live data");
    EXPECT_EQ(folder.Read(kSora + ".bak"), "sora data");
}

TEST_F(Terminal, SetupCancelledOrClosedLeavesTheFolderAsItWas) {
    folder.Write(kLive, "live data");
    for (const char* input : {"b\n", ""}) {
        EXPECT_EQ(Zandry(input), 0);
        EXPECT_EQ(folder.Names(), (std::set<std::string>{"Kirimo.exe", kLive})) << input;
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
    Roster roster = Stored();
    EXPECT_EQ(roster.names, (std::vector<std::string>{"\x95\x5c", kSora}));
    EXPECT_EQ(roster.current, 1);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"Kirimo.exe", "Zandry.ini", "\x95\x5c.kmc"}));
    EXPECT_EQ(folder.Read("\x95\x5c.kmc"), "A data");
}

// The failures a whole program can meet, each said in the terminal's encoding.
TEST(TerminalFailures, EachIsSaidInTheTerminalsEncoding) {
    for (size_t i = 0; i < FailureCases().size(); ++i) {
        TestFolder folder;
        const FailureCase c = FailureCases()[i];
        if (c.fault) continue;
        WriteTwoPets(folder);
        if (c.prepare) c.prepare(folder);
        std::string shown;
        EXPECT_EQ(RunPiped(c.arguments, c.script, &shown), 0) << c.what;
        EXPECT_NE(shown.find("-- zandry --\n" + Typed(c.message) + "\n [Enter] OK"), std::string::npos)
            << c.what << "\n" << shown;
    }
}

TEST_F(Terminal, OutputNobodyReadsStillLaunchesAndEndsWithZero) {
    WriteTwoPets(folder);
    folder.Write("standin-host.stay", "30");
    EXPECT_EQ(RunPiped({}, "2\n\n", nullptr), 0);
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
    OpenSession chooser;
    ASSERT_TRUE(chooser.Waiting());
    char program[] = "./Kirimo.exe", stay[] = "--stay", seconds[] = "60";
    char* argv[] = {program, stay, seconds, nullptr};
    pid_t host;
    ASSERT_EQ(posix_spawn(&host, program, nullptr, nullptr, argv, environ), 0);
    ASSERT_EQ(HostSaw(), "started to stay: live file holds \"A data\"\n");
    const auto before = folder.Contents();
    std::string shown;
    EXPECT_EQ(chooser.Finish("2\n\n", &shown), 0);
    EXPECT_EQ(folder.Contents(), before);
    EXPECT_NE(shown.find(Typed(SystemPlatform().CurrentDirectory() +
                               Ansi(u"\\Kirimo.exe が動いています。終了してから、やり直してください。\n"
                                    u"ペットを切り替えられないため、何も起動しませんでした。"))),
              std::string::npos)
        << shown;
    EndHostsHere();
}

TEST_F(Terminal, SecondCopyEndsAtOnceWhileTheChooserIsOpen) {
    WriteTwoPets(folder);
    OpenSession first;
    ASSERT_TRUE(first.Waiting());
    std::set<std::string> before = folder.Names();
    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {"B"}), 0);
    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {}, "\n"), 0);
    EXPECT_EQ(folder.Names(), before);
    EXPECT_EQ(folder.Read(kLive), "A data");
    EXPECT_EQ(first.Finish("2\n\n"), 0);
    EXPECT_EQ(HostSaw(), "started: live file holds \"B data\"\n");
}

}  // namespace
