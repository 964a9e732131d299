// Test folders on Linux: names cross the same encoding edge as the POSIX layer's.
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/posix/encoding.h"
#include "tests/support/test_folder.h"

extern char** environ;

namespace {
std::string HostName(const std::string& name) {
    auto host = encoding::ToHostPath(name);
    if (!host) throw std::runtime_error("name has no host spelling");
    return *host;
}
std::string Utf8(const std::string& cp932) {
    auto converted = encoding::Convert(cp932, "CP932", "UTF-8");
    if (!converted) throw std::runtime_error("not code page 932");
    return *converted;
}
}  // namespace

TestFolder::TestFolder(const std::string& suffix, Placement placement) {
    previous_ = std::filesystem::current_path().string();
    std::filesystem::path base =
        placement == kInTemp ? std::filesystem::temp_directory_path() : std::filesystem::current_path();
    std::string pattern = (base / ("zandry-test" + Utf8(suffix) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    hostPath_ = pattern;
    std::filesystem::current_path(hostPath_);
}

TestFolder::~TestFolder() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::permissions(hostPath_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(hostPath_, ignored);
}

void TestFolder::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(hostPath_ + "/" + HostName(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::optional<std::string> TestFolder::Read(const std::string& name) const {
    auto host = encoding::ToHostPath(name);
    if (!host) return std::nullopt;
    std::ifstream in(hostPath_ + "/" + *host, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::set<std::string> TestFolder::Names() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(hostPath_)) {
        std::string host = entry.path().filename().string();
        auto name = encoding::FromHostName(host);
        names.insert(name ? *name : host);
    }
    return names;
}

void TestFolder::MakeFolder(const std::string& name) const {
    std::filesystem::create_directory(hostPath_ + "/" + HostName(name));
}

void TestFolder::MakeReadOnly(const std::string& name) const {
    chmod((hostPath_ + "/" + HostName(name)).c_str(), 0444);
}

std::string TestFolder::ShortName(const std::string& name) const { return name; }

int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& input) {
    std::vector<std::string> utf8{program};
    for (const auto& argument : arguments) utf8.push_back(Utf8(argument));
    std::vector<char*> argv;
    for (auto& a : utf8) argv.push_back(a.data());
    argv.push_back(nullptr);
    // The input goes through a file beside the test folders, so the folder itself holds
    // only what the program made.
    std::string inputPath = (std::filesystem::temp_directory_path() / "zandry-input-XXXXXX").string();
    int fd = mkstemp(inputPath.data());
    if (fd < 0) return -1;
    bool written = write(fd, input.data(), input.size()) == static_cast<ssize_t>(input.size());
    close(fd);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, inputPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    int spawned = written ? posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), environ) : -1;
    posix_spawn_file_actions_destroy(&files);
    unlink(inputPath.c_str());
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
