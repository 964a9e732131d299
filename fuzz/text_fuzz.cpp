// Any two names (the bytes up to the first NUL, and from there to the next; the program's
// names are C strings) through the code page 932 text operations: each
// answers within its own rules, and the comparisons agree with themselves.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/cp932.h"
#include "platform/text.h"

namespace {
int Sign(int n) { return (n > 0) - (n < 0); }

// The characters the comparisons see: a lead byte with no trail byte after it ends the text.
std::string Characters(const std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i)
        if (cp932::IsLeadByte(static_cast<unsigned char>(s[i])) && ++i == s.size()) return s.substr(0, i - 1);
    return s;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    std::size_t split = nul ? static_cast<const char*>(nul) - bytes : size;
    const std::string a(bytes, split);
    std::string b = split < size ? std::string(bytes + split + 1, size - split - 1) : std::string();
    b.resize(std::strlen(b.c_str()));

    if ((text::Compare(a, b) == 0) != (Characters(a) == Characters(b))) std::abort();
    if (Sign(text::CompareNoCase(a, b)) != -Sign(text::CompareNoCase(b, a))) std::abort();
    if (text::CompareNoCase(a, a) != 0 || !text::LocaleEqual(a, a)) std::abort();
    if (text::LocaleEqual(a, b) != text::LocaleEqual(b, a)) std::abort();
    if (Sign(cp932::LocaleCompare(a, b)) != -Sign(cp932::LocaleCompare(b, a))) std::abort();
    if (cp932::LocaleCompare(a, a) != 0) std::abort();
    std::size_t at = text::Find(a, b);
    if (at != std::string::npos && a.compare(at, b.size(), b) != 0) std::abort();
    std::string title = cp932::FileTitle(a);
    if (a.compare(0, title.size(), title) != 0) std::abort();
    return 0;
}
