// The native program killed (SIGKILL) before each of its system calls in turn, in a switch,
// a first run and each management action: whatever point it dies at, every pet's data is
// still in the folder and the settings file holds the roster from before the action or from
// after it, never a mixture.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <set>

#include "platform/platform.h"
#include "roster/roster.h"
#include "tests/support/settings_file.h"
#include "tests/support/test_folder.h"

extern char** environ;

namespace {

const std::string kLive = "Kirimo\x90\xdd\x92\xe8.kmc";
const std::string kSora = "\x83\x5c\x83\x89";  // "ソラ": the first trail byte is 0x5C

struct Outcome {
    bool traced = false;  // false when this machine refuses to trace
    bool killed = false;
    int calls = 0;        // system calls entered before it ended or was killed
};

// Runs the program in the current directory with `input` as its standard input, and kills
// it as it enters its `killAt`-th system call (counted from 1; 0 lets it run to the end).
Outcome RunKilledAt(const std::vector<std::string>& arguments, const std::string& input, int killAt) {
    Outcome outcome;
    std::string inputFile = "../" + std::to_string(getpid()) + "-crash-input";
    {
        int fd = open(inputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0 || write(fd, input.data(), input.size()) != static_cast<ssize_t>(input.size())) return outcome;
        close(fd);
    }
    std::vector<char*> argv{const_cast<char*>(ZANDRY_PROGRAM)};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    pid_t child = fork();
    if (child == 0) {
        int in = open(inputFile.c_str(), O_RDONLY);
        int out = open("/dev/null", O_WRONLY);
        dup2(in, 0);
        dup2(out, 1);
        if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(126);
        raise(SIGSTOP);
        execve(ZANDRY_PROGRAM, argv.data(), environ);
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFSTOPPED(status)) {
        unlink(inputFile.c_str());
        return outcome;
    }
    outcome.traced = true;
    ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    bool entering = true;
    int signal = 0;
    for (;;) {
        ptrace(PTRACE_SYSCALL, child, nullptr, reinterpret_cast<void*>(static_cast<long>(signal)));
        signal = 0;
        if (waitpid(child, &status, 0) != child || WIFEXITED(status) || WIFSIGNALED(status)) break;
        if (WSTOPSIG(status) == (SIGTRAP | 0x80)) {
            if (entering && ++outcome.calls == killAt) {
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
                outcome.killed = true;
                break;
            }
            entering = !entering;
        } else if (WSTOPSIG(status) != SIGTRAP) {
            signal = WSTOPSIG(status);  // the program's own signals go on to it
        }
    }
    unlink(inputFile.c_str());
    return outcome;
}

struct StoredRoster {
    std::vector<std::string> names;
    int current = 0;
    std::string host;
    bool operator==(const StoredRoster& o) const { return names == o.names && current == o.current && host == o.host; }
};

void PrintTo(const StoredRoster& r, std::ostream* os) {
    *os << "{";
    for (const auto& name : r.names) *os << "[" << name << "]";
    *os << " current " << r.current << " host " << r.host << "}";
}

StoredRoster Stored() {
    ProfileStore store(SystemPlatform());
    store.Bind(SystemPlatform().CurrentDirectory() + "\\Zandry.ini");
    Roster roster = ReadRoster(store);
    return {roster.names, roster.current, GetHostExecutableName(store)};
}

// One action of a user, from a folder that `prepare` fills.
struct Scenario {
    const char* what;
    std::vector<std::string> arguments;
    std::string input;
    std::map<std::string, std::string> files;  // the folder before, Zandry.ini among them
    std::set<std::string> mayVanish;           // data the action is meant to delete
};

void PrintTo(const Scenario& s, std::ostream* os) { *os << s.what; }

class CrashSafety : public ::testing::TestWithParam<Scenario> {
protected:
    void Prepare(const TestFolder& folder) {
        for (const auto& [name, bytes] : GetParam().files) folder.Write(name, bytes);
    }
    void SetUp() override {
        TestFolder probe;
        if (!RunKilledAt({}, "", 1).traced) GTEST_SKIP() << "this machine does not let a test trace its child";
    }
};

// Three pets, A live; the host is absent, so that no host left running from one attempt
// can stop the next.
const std::map<std::string, std::string> kThreePets = {
    {"Zandry.ini", Settings{{"A", "B", kSora}, 0}.Bytes()},
    {kLive, "A data"},
    {"B.kmc", "B data"},
    {"B.bak", "older B"},
    {kSora + ".kmc", "Sora data"},
};

TEST_P(CrashSafety, EveryPointLeavesTheDataAndARosterFromBeforeOrAfter) {
    const Scenario& scenario = GetParam();
    StoredRoster before, after;
    int calls = 0;
    {
        TestFolder folder;
        Prepare(folder);
        if (folder.Exists("Zandry.ini")) before = Stored();
        Outcome run = RunKilledAt(scenario.arguments, scenario.input, 0);
        ASSERT_FALSE(run.killed);
        calls = run.calls;
        after = Stored();
        ASSERT_FALSE(after == before) << "the action changed nothing";
    }
    std::set<std::string> data;
    for (const auto& [name, bytes] : scenario.files)
        if (name != "Zandry.ini" && !scenario.mayVanish.count(bytes)) data.insert(bytes);

    for (int killAt = 1; killAt <= calls; ++killAt) {
        TestFolder folder;
        Prepare(folder);
        // The count can differ by a call or two from run to run; a run that ends first is
        // checked all the same.
        RunKilledAt(scenario.arguments, scenario.input, killAt);
        auto contents = folder.Contents();
        std::set<std::string> held;
        for (const auto& [name, bytes] : contents) held.insert(bytes);
        for (const std::string& bytes : data)
            EXPECT_TRUE(held.count(bytes)) << "\"" << bytes << "\" is lost when killed at call " << killAt;
        if (!contents.count("Zandry.ini")) {
            EXPECT_TRUE(before.names.empty()) << "the settings file is gone when killed at call " << killAt;
            continue;
        }
        StoredRoster now = Stored();
        EXPECT_TRUE(now == before || now == after)
            << "killed at call " << killAt << " of " << calls << ": " << ::testing::PrintToString(now)
            << "\nbefore: " << ::testing::PrintToString(before) << "\nafter:  " << ::testing::PrintToString(after);
        if (HasFailure()) break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Actions, CrashSafety,
    ::testing::Values(
        // The outgoing backup is the one data a switch replaces on purpose.
        Scenario{"switch", {"B"}, "", kThreePets, {"older B"}},
        Scenario{"adopt", {}, "b\ntype C\na\nd\nc\n", kThreePets, {}},
        Scenario{"rename", {}, "b\n2\ntype D\nb\nd\nc\n", kThreePets, {}},
        Scenario{"discard", {}, "b\n2\nc\ny\nd\nc\n", kThreePets, {"B data", "older B"}},
        Scenario{"first_run", {}, "\n", {{kLive, "live data"}, {"B.kmc", "B data"}, {"Kirimo.exe", "host"}}, {}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.what); });

}  // namespace
