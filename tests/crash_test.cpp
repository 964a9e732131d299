// The native program killed (SIGKILL) before each of its system calls in turn, in a switch,
// a first run and each management action: whatever point it dies at, the next start finds
// every pet's data under its own name, and the settings file holding the roster from before
// the action or from after it, never a mixture.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/stop_scenarios.h"

extern char** environ;

namespace {

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

class CrashSafety : public ::testing::TestWithParam<StopScenario> {};

TEST_P(CrashSafety, EveryPointLeavesEachPetsDataWithItsName) {
    ExpectEveryStopLeavesEachPetsDataWithItsName(
        GetParam(), [](const std::vector<std::string>& arguments, const std::string& input, long killAt) {
            Outcome outcome = RunKilledAt(arguments, input, static_cast<int>(killAt));
            return outcome.traced ? static_cast<long>(outcome.calls) : -1L;
        });
}

INSTANTIATE_TEST_SUITE_P(Actions, CrashSafety, ::testing::ValuesIn(StopScenarios()),
                         [](const ::testing::TestParamInfo<StopScenario>& info) { return std::string(info.param.what); });

}  // namespace
