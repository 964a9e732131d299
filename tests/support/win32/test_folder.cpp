// Test folders on Windows: the ANSI calls take code page 932 names as they are.
#include <windows.h>

#include <mbstring.h>

#include <cstdio>
#include <stdexcept>

#include "tests/support/patience.h"
#include "tests/support/test_folder.h"

namespace {
void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}
}  // namespace

TestFolder::TestFolder(const std::string& suffix, Placement placement) {
    char buffer[MAX_PATH];
    GetCurrentDirectoryA(sizeof buffer, buffer);
    previous_ = buffer;
    std::string base = previous_ + "\\";
    if (placement == kInTemp) {
        GetTempPathA(sizeof buffer, buffer);
        base = buffer;
    }
    for (unsigned n = GetTickCount();; ++n) {
        std::string candidate = base + "zandry-test" + suffix + "-" + std::to_string(n);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            hostPath_ = candidate;
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("CreateDirectory failed");
    }
    SetCurrentDirectoryA(hostPath_.c_str());
}

TestFolder::~TestFolder() {
    SetCurrentDirectoryA(previous_.c_str());
    RemoveTree(hostPath_);
}

void TestFolder::Write(const std::string& name, const std::string& bytes) const {
    std::FILE* file = std::fopen((hostPath_ + "\\" + name).c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write " + name);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::optional<std::string> TestFolder::Read(const std::string& name) const {
    std::FILE* file = std::fopen((hostPath_ + "\\" + name).c_str(), "rb");
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, file)) bytes.append(buffer, n);
    std::fclose(file);
    return bytes;
}

std::set<std::string> TestFolder::Names() const {
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((hostPath_ + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

void TestFolder::MakeFolder(const std::string& name) const { CreateDirectoryA((hostPath_ + "\\" + name).c_str(), nullptr); }

void TestFolder::MakeReadOnly(const std::string& name) const {
    SetFileAttributesA((hostPath_ + "\\" + name).c_str(), FILE_ATTRIBUTE_READONLY);
}

std::string TestFolder::ShortName(const std::string& name) const {
    unsigned char alias[MAX_PATH] = {};
    DWORD n = GetShortPathNameA((hostPath_ + "\\" + name).c_str(), reinterpret_cast<char*>(alias), sizeof alias);
    const unsigned char* last = n > 0 && n < sizeof alias ? _mbsrchr(alias, '\\') : nullptr;
    return last ? reinterpret_cast<const char*>(last + 1) : name;
}

int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               const std::string&) {
    std::string commandLine = "\"" + program + "\"";
    for (const auto& argument : arguments) commandLine += " \"" + argument + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    // A window left open (there is no input for it here) must not hang the suite.
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000 * PatienceFactor()) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, code);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
