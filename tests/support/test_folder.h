// A fresh folder that is the current directory for one test, and its files by their code
// page 932 names, reached the host's own way (UTF-8 names on Linux, ANSI calls on Windows).
#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class TestFolder {
public:
    enum Placement { kInTemp, kInsideCurrent };
    // `suffix` goes into the folder's name, to try paths with blanks or double-byte names.
    explicit TestFolder(const std::string& suffix = "", Placement placement = kInTemp);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    void Write(const std::string& name, const std::string& bytes) const;
    std::optional<std::string> Read(const std::string& name) const;
    bool Exists(const std::string& name) const { return Read(name).has_value(); }
    // Every entry's name, sorted by bytes.
    std::set<std::string> Names() const;
    // Every entry with what it holds (a folder holds "").
    std::map<std::string, std::string> Contents() const {
        std::map<std::string, std::string> contents;
        for (const std::string& name : Names()) contents[name] = Read(name).value_or("");
        return contents;
    }
    void MakeFolder(const std::string& name) const;
    void MakeReadOnly(const std::string& name) const;
    // The short (8.3) alias Windows gives the file, where it gives one; else its name.
    std::string ShortName(const std::string& name) const;

private:
    std::string hostPath_;
    std::string previous_;
};

// Runs a program in the current directory and waits for it; its exit code (on Linux, 128 + a
// signal that ended it), or -1. `input` is its standard input (the lines its windows read off
// Windows).
int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& input = "");

// Waits up to a few seconds for a file to appear (the host starts without being waited for).
std::optional<std::string> WaitForFile(const TestFolder& folder, const std::string& name);
