// The published layout of what the host check reads of the system's performance data: the
// byte offsets of the fields it walks, little-endian, whatever the build's own structures.
// Blocks built for tests and benchmarks are laid out by the same names.
#pragma once
#include <cstddef>

namespace perf_layout {
// PERF_DATA_BLOCK, after "PERF" in four UTF-16 units: where its first object begins.
constexpr std::size_t kHeaderLength = 24;
// PERF_OBJECT_TYPE: where its first instance begins, and how many instances there are.
constexpr std::size_t kDefinitionLength = 4;
constexpr std::size_t kNumInstances = 40;
constexpr std::size_t kObjectFieldsEnd = kNumInstances + 4;
// PERF_INSTANCE_DEFINITION: where its counter block and its UTF-16 name begin.
constexpr std::size_t kInstanceByteLength = 0;
constexpr std::size_t kNameOffset = 16;
constexpr std::size_t kInstanceFieldsEnd = kNameOffset + 4;
// PERF_COUNTER_BLOCK: where the next instance begins.
constexpr std::size_t kCounterBlockByteLength = 0;
}  // namespace perf_layout
