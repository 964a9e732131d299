// What stood in the way of something the user asked for: the file that could not be read,
// written, renamed or started, or the host program that runs. Pet files go by their bare
// names, the settings file and the host program by their full paths.
#pragma once
#include <string>

struct Failure {
    enum Kind { None, Read, Write, Rename, Start, HostRunning } kind = None;
    std::string file;
    std::string to;  // a rename's new name

    Failure() = default;
    Failure(Kind k, std::string f, std::string t = "") : kind(k), file(std::move(f)), to(std::move(t)) {}

    explicit operator bool() const { return kind != None; }
};
