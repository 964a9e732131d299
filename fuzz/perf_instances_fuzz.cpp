// Any bytes as a performance data block; the first bytes up to a NUL are the target.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/host_detection.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const void* nul = std::memchr(data, 0, size < 64 ? size : 64);
    std::size_t split = nul ? static_cast<const std::uint8_t*>(nul) - data + 1 : 0;
    std::string target(reinterpret_cast<const char*>(data), split ? split - 1 : 0);
    int answer = MatchPerfInstances(data + split, size - split, target, SystemPlatform().Host());
    if (answer != 0 && answer != 1) std::abort();
    return 0;
}
