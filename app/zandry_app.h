// The application object: one run picks at most one pet and launches it, then ends.
#pragma once
#include <string>
#include <vector>

#include "roster/pet_files.h"

class CZandryApp {
public:
    // `arguments` are the command-line arguments after the program name, in code page 932.
    CZandryApp(Platform& platform, std::vector<std::string> arguments);

    // Start-up: false only when another copy holds the single-instance lock.
    bool InitInstance();
    // Exit: releases the lock; the process's exit code, always 0.
    int ExitInstance();
    // Start-up then exit, as the framework runs them.
    int Run();

private:
    // Makes the incoming pet live and starts the host, or tells the user why not; true, as
    // InitInstance returns.
    bool Launch(Profile& profile, const SwitchEntries& entries, const std::string& hostPath);
    // Ends the run, telling the user what stood in the way, if anything, then `notDoneId`'s
    // line; true, as InitInstance returns.
    bool EndWith(const Failure& failure, int notDoneId);

    Platform& platform_;
    std::vector<std::string> arguments_;
    ProfileStore store_;
    LockHandle lock_ = nullptr;
};

// Whether the first command-line argument names a roster pet: 1 when it, less one leading
// "-" or "/", equals the name by the user locale's case-insensitive comparison; else 0.
int MatchPetArgument(const std::string& argument, const std::string& petName);
