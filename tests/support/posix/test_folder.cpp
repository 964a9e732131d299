// Test folders on Linux: names cross the same encoding edge as the POSIX layer's.
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/posix/encoding.h"
#include "tests/support/posix/child_process.h"
#include "tests/support/test_folder.h"

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
    std::vector<std::string> utf8;
    for (const auto& argument : arguments) utf8.push_back(Utf8(argument));
    return ChildProcess(program, utf8, input).Finish();
}
