// ReadRoster of 10, 1,000 and 10,000 names through the POSIX profile store: the file is
// parsed once, then each name is a lookup, so the cost stays near that of one read.
#include <benchmark/benchmark.h>

#include "bench/bench_roster.h"
#include "roster/roster.h"

namespace {

// The file is touched before each read, so that every read parses it afresh.
void ReadRosterCold(benchmark::State& state) {
    int count = static_cast<int>(state.range(0));
    std::filesystem::path folder = MakeRosterFolder(count);
    std::filesystem::path file = folder / "Zandry.ini";
    ProfileStore store(SystemPlatform());
    store.Bind(CorePath(file));
    for (auto _ : state) {
        state.PauseTiming();
        Touch(file);
        state.ResumeTiming();
        Roster roster = ReadRoster(store);
        if (roster.names.size() != static_cast<size_t>(count)) state.SkipWithError("short roster");
        benchmark::DoNotOptimize(roster);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(ReadRosterCold)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
