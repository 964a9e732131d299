// ReadRoster of 10, 1,000 and 10,000 names through the POSIX profile store: the file is
// parsed once, then each name is a lookup, so the cost stays near that of one read.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "roster/roster.h"

namespace {

std::filesystem::path MakeRoster(int count) {
    std::string folder = (std::filesystem::temp_directory_path() / "zandry-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) std::abort();
    std::ofstream ini(std::filesystem::path(folder) / "Zandry.ini", std::ios::binary);
    ini << "[PetList]\r\nentry=" << count << "\r\n";
    for (int i = 0; i < count; ++i) ini << "Petname" << i << "=pet" << i << "\r\n";
    ini << "[NowPet]\r\nnumber=0\r\n[Kirimo]\r\nVer=Kirimo.exe\r\n";
    return folder;
}

// A new store each time, and the file touched, so that every read parses the file afresh.
void ReadRosterCold(benchmark::State& state) {
    int count = static_cast<int>(state.range(0));
    std::filesystem::path folder = MakeRoster(count);
    std::filesystem::path file = folder / "Zandry.ini";
    std::string core = file.string();
    for (char& c : core)
        if (c == '/') c = '\\';
    ProfileStore store(SystemPlatform());
    store.Bind(core);
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now());
        state.ResumeTiming();
        Roster roster = ReadRoster(store);
        if (roster.names.size() != static_cast<size_t>(count)) state.SkipWithError("short roster");
        benchmark::DoNotOptimize(roster);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(ReadRosterCold)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
