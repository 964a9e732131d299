// Profile: the profile functions' reading and writing over IniDocument.
#include "platform/profile.h"

#include <algorithm>
#include <cstdint>

#include "platform/cp932.h"

namespace {

int ParseProfileInt(const std::string& value) {
    // GetPrivateProfileIntA reads through a 30-character buffer. What it parses is single
    // bytes, so characters and bytes count alike up to where parsing stops.
    const std::string head = value.substr(0, 29);
    size_t i = 0;
    while (i < head.size() && static_cast<unsigned char>(head[i]) <= ' ') ++i;
    bool negative = false;
    if (i < head.size() && (head[i] == '-' || head[i] == '+')) negative = head[i++] == '-';
    const char prefix = i + 1 < head.size() && head[i] == '0' ? head[i + 1] : '\0';
    const unsigned base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
    if (base != 10) i += 2;
    std::uint32_t result = 0;
    for (; i < head.size(); ++i) {
        const char c = cp932::AsciiUpper(head[i]);
        const unsigned digit = c >= '0' && c <= '9'   ? static_cast<unsigned>(c - '0')
                               : c >= 'A' && c <= 'Z' ? static_cast<unsigned>(c - 'A' + 10) : 99;
        if (digit >= base) break;
        result = result * base + digit;
    }
    if (negative) result = 0u - result;
    return static_cast<int>(result);
}
}  // namespace

std::string_view Profile::Cut(std::string_view text) {
    return text.substr(0, std::min(text.find('\0'), std::size_t{4095}));
}

int Profile::ProfileReadInt(const std::string& section, const std::string& key, int fallback) const {
    std::string text = ProfileReadText(section, key);
    return text.empty() ? fallback : ParseProfileInt(text);
}

std::string Profile::ProfileReadText(const std::string& section, const std::string& key,
                                     const std::string& fallback) const {
    std::optional<std::string> value = document_.Find(section, key);
    return std::string(Cut(value ? *value : fallback));
}

void Profile::ProfileWriteText(const std::string& section, const std::string& key,
                               const std::optional<std::string>& value) {
    if (value ? document_.Set(section, key, *value) : document_.Remove(section, key)) changed_ = true;
}

