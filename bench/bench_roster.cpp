#include "bench/bench_roster.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

std::filesystem::path MakeRosterFolder(int count) {
    std::string folder = (std::filesystem::temp_directory_path() / "zandry-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) std::abort();
    std::ofstream ini(std::filesystem::path(folder) / "Zandry.ini", std::ios::binary);
    ini << "[PetList]\r\nentry=" << count << "\r\n";
    for (int i = 0; i < count; ++i) ini << "Petname" << i << "=pet" << i << "\r\n";
    ini << "[NowPet]\r\nnumber=0\r\n[Kirimo]\r\nVer=Kirimo.exe\r\n";
    return folder;
}

std::string CorePath(const std::filesystem::path& path) {
    std::string core = path.string();
    for (char& c : core)
        if (c == '/') c = '\\';
    return core;
}
