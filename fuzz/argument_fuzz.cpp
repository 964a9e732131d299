// Any argument and pet name (split at the first NUL): the match answers 0 or 1, and a name
// given after one "-" or "/" always names itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/zandry_app.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    std::size_t split = nul ? static_cast<const char*>(nul) - bytes : size;
    const std::string argument(bytes, split);
    const std::string name = split < size ? std::string(bytes + split + 1, size - split - 1) : std::string();

    int answer = MatchPetArgument(argument, name);
    if (answer != 0 && answer != 1) std::abort();
    if (MatchPetArgument("-" + name, name) != 1 || MatchPetArgument("/" + name, name) != 1) std::abort();
    return 0;
}
