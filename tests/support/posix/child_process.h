// A program a native test starts: its standard input a pipe, its output thrown away, read
// through a pipe, or sent into a pipe nobody reads.
#pragma once
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

class ChildProcess {
public:
    enum Output { kDiscarded, kRead, kUnread };

    // Starts `program` with these arguments, byte for byte, and `input` already waiting on its
    // standard input, which stays open for Send. The input is written before the start, so it
    // must fit in a pipe.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& input = "", Output output = kDiscarded) {
        int in[2], out[2] = {-1, -1};
        // Close on exec: a program started beside this one must not hold the ends open.
        if (pipe2(in, O_CLOEXEC) != 0) return;
        input_ = in[1];
        if (output != kDiscarded && pipe2(out, O_CLOEXEC) != 0) out[1] = -1;
        output_ = out[0];
        // With its reading end closed first, every line the program writes finds nobody.
        if (output == kUnread) CloseOutput();
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_adddup2(&files, in[0], 0);
        if (output == kDiscarded)
            posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
        else
            posix_spawn_file_actions_adddup2(&files, out[1], 1);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        const bool ready = Send(input) && (output == kDiscarded || out[1] >= 0);
        if (!ready || posix_spawn(&pid_, program.c_str(), &files, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&files);
        close(in[0]);
        if (out[1] >= 0) close(out[1]);
    }
    // A program its test did not finish is killed, so that a failed test hangs on nothing.
    ~ChildProcess() { Stop(SIGKILL); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    bool Send(const std::string& lines) {
        return input_ >= 0 && write(input_, lines.data(), lines.size()) == static_cast<ssize_t>(lines.size());
    }
    // Reads its output until `text` has come or the output has ended; whether it came.
    bool ReadUntil(const std::string& text) {
        while (shown_.find(text) == std::string::npos && ReadSome()) {}
        return shown_.find(text) != std::string::npos;
    }
    // Everything read from its output so far.
    const std::string& Shown() const { return shown_; }

    // Closes its input (a window's close box), reads its output to the end and waits for it:
    // its exit code, 128 + the number of a signal that ended it, or -1.
    int Finish() {
        if (input_ >= 0) close(input_);
        input_ = -1;
        while (ReadSome()) {}
        CloseOutput();
        int status = 0;
        const bool ended = pid_ > 0 && waitpid(pid_, &status, 0) == pid_;
        pid_ = -1;
        if (!ended) return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    // Sends it `signal` and waits for its end, as Finish does.
    int Stop(int signal) {
        if (pid_ > 0) kill(pid_, signal);
        return Finish();
    }

private:
    bool ReadSome() {
        char buffer[4096];
        ssize_t n = output_ >= 0 ? read(output_, buffer, sizeof buffer) : 0;
        if (n > 0) shown_.append(buffer, static_cast<size_t>(n));
        return n > 0;
    }
    void CloseOutput() {
        if (output_ >= 0) close(output_);
        output_ = -1;
    }

    pid_t pid_ = -1;
    int input_ = -1, output_ = -1;
    std::string shown_;
};
