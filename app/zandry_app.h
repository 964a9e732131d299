// The application object: one run picks at most one pet and launches it, then ends.
#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/profile_store.h"
#include "platform/failure.h"

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
    // Tells the user what a launch could not do, if anything; true, as InitInstance returns.
    bool Said(const Failure& failure);

    Platform& platform_;
    std::vector<std::string> arguments_;
    ProfileStore profile_;
    LockHandle lock_ = nullptr;
};
