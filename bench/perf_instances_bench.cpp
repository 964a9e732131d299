// MatchPerfInstances over a process object of 10,000 instances in the published layout
// (PERF_DATA_BLOCK, PERF_OBJECT_TYPE with three counter definitions, then per instance a
// PERF_INSTANCE_DEFINITION, its UTF-16 name and a PERF_COUNTER_BLOCK), with the host's
// instance last or absent, so that every instance is converted and compared. The names go
// through the POSIX layer's conversion to code page 932.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host_detection.h"
#include "platform/perf_data_layout.h"
#include "platform/platform.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Put32(Bytes& b, size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// A performance data block whose first object holds the named instances, each with a
// 40-byte counter block, as a provider lays them out.
Bytes ProcessBlock(const std::vector<std::u16string>& names) {
    const std::uint32_t header = 88, definition = 64 + 3 * 40, counterBlock = 40;
    Bytes b(header + definition, 0);
    const char signature[] = "PERF";
    for (int i = 0; i < 4; ++i) b[2 * i] = static_cast<unsigned char>(signature[i]);
    using namespace perf_layout;
    Put32(b, kHeaderLength, header);
    Put32(b, 28, 1);
    Put32(b, header + kDefinitionLength, definition);
    Put32(b, header + 8, 64);
    Put32(b, header + 12, 230);
    Put32(b, header + 32, 3);
    Put32(b, header + kNumInstances, static_cast<std::uint32_t>(names.size()));
    for (const std::u16string& name : names) {
        const size_t at = b.size();
        const std::uint32_t length = static_cast<std::uint32_t>((24 + 2 * (name.size() + 1) + 7) / 8 * 8);
        b.resize(at + length + counterBlock, 0);
        Put32(b, at + kInstanceByteLength, length);
        Put32(b, at + 12, 0xFFFFFFFF);  // PERF_NO_UNIQUE_ID
        Put32(b, at + kNameOffset, 24);
        Put32(b, at + 20, static_cast<std::uint32_t>(2 * (name.size() + 1)));
        for (size_t i = 0; i < name.size(); ++i) {
            b[at + 24 + 2 * i] = static_cast<unsigned char>(name[i] & 0xFF);
            b[at + 24 + 2 * i + 1] = static_cast<unsigned char>(name[i] >> 8);
        }
        Put32(b, at + length + kCounterBlockByteLength, counterBlock);
    }
    Put32(b, 20, static_cast<std::uint32_t>(b.size()));
    Put32(b, header, static_cast<std::uint32_t>(b.size() - header));
    return b;
}

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Names like a busy machine's: numbered copies of a few programs.
std::vector<std::u16string> Names(int count, bool japanese) {
    static const char* programs[] = {"svchost", "explorer", "chrome", "conhost", "RuntimeBroker"};
    std::vector<std::u16string> names;
    for (int i = 0; i < count; ++i) {
        std::u16string name = japanese ? u"\u30da\u30c3\u30c8\u5c0f\u5c4b"  // ペット小屋
                                       : Ascii(programs[i % 5]);
        names.push_back(name + u"#" + Ascii(std::to_string(i)));
    }
    return names;
}

void Walk(benchmark::State& state, const Bytes& block, int expected) {
    HostQueries& system = SystemPlatform().Host();
    for (auto _ : state) {
        int found = MatchPerfInstances(block.data(), block.size(), "Kirimo.exe", system);
        if (found != expected) state.SkipWithError("wrong answer");
        benchmark::DoNotOptimize(found);
    }
    state.counters["bytes"] = static_cast<double>(block.size());
}

void MatchPerfInstancesHostLast(benchmark::State& state) {
    std::vector<std::u16string> names = Names(static_cast<int>(state.range(0)) - 1, false);
    names.push_back(u"Kirimo");
    Walk(state, ProcessBlock(names), 1);
}
BENCHMARK(MatchPerfInstancesHostLast)->Arg(10000)->Unit(benchmark::kMillisecond);

void MatchPerfInstancesHostAbsent(benchmark::State& state) {
    Walk(state, ProcessBlock(Names(static_cast<int>(state.range(0)), false)), 0);
}
BENCHMARK(MatchPerfInstancesHostAbsent)->Arg(10000)->Unit(benchmark::kMillisecond);

// Every name double-byte in code page 932: the conversion's slow path for each unit.
void MatchPerfInstancesJapaneseNamesHostAbsent(benchmark::State& state) {
    Walk(state, ProcessBlock(Names(static_cast<int>(state.range(0)), true)), 0);
}
BENCHMARK(MatchPerfInstancesJapaneseNamesHostAbsent)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
