// ReadRoster of 10, 1,000 and 10,000 names through the profile store: one read of the file,
// one parse, then each name is a lookup, so the cost stays near that of one read. Then the
// edits of rosters that size.
#include <benchmark/benchmark.h>

#include "bench/bench_roster.h"
#include "platform/profile_store.h"
#include "roster/roster.h"

namespace {

void ReadRosterCold(benchmark::State& state) {
    int count = static_cast<int>(state.range(0));
    std::filesystem::path folder = MakeRosterFolder(count);
    std::filesystem::path file = folder / "Zandry.ini";
    ProfileStore store(SystemPlatform());
    store.Bind(CorePath(file));
    for (auto _ : state) {
        Roster roster = ReadRoster(store.Load().value());
        if (roster.names.size() != static_cast<size_t>(count)) state.SkipWithError("short roster");
        benchmark::DoNotOptimize(roster);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(ReadRosterCold)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The settings file's edits at that size: a discard of the first pet, which moves every name
// down one key and removes the last, and the first run's write of as many titles.
void DiscardFirstPet(benchmark::State& state) {
    std::filesystem::path folder = MakeRosterFolder(static_cast<int>(state.range(0)));
    ProfileStore store(SystemPlatform());
    store.Bind(CorePath(folder / "Zandry.ini"));
    const Profile read = store.Load().value();
    const std::vector<std::string> names = ReadRoster(read).names;
    const std::vector<std::string> kept(names.begin() + 1, names.end());
    for (auto _ : state) {
        Profile profile = read;
        SaveRoster(profile, kept, 0);
        benchmark::DoNotOptimize(profile.Bytes());
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(DiscardFirstPet)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void FirstRunWrite(benchmark::State& state) {
    std::vector<std::string> titles;
    for (int i = 0; i < state.range(0); ++i) titles.push_back("pet" + std::to_string(i));
    for (auto _ : state) {
        Profile profile;
        SaveInitialRoster(profile, titles, "Kirimo.exe");
        benchmark::DoNotOptimize(profile.Bytes());
    }
}
BENCHMARK(FirstRunWrite)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
