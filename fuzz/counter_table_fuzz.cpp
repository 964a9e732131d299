// Any bytes as a counter-name table: the walk stays inside them and gives digits or nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/host_detection.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (char c : FindCounterIndex(data, size))
        if (c < '0' || c > '9') std::abort();
    return 0;
}
