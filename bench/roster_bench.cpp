// ReadRoster of 10, 1,000 and 10,000 names through the profile store: one read of the file,
// one parse, then each name is a lookup, so the cost stays near that of one read.
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

}  // namespace
