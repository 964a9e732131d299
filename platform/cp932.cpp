// Code page 932 comparison, search and title rules in portable code, after Microsoft's
// runtime (_mbscmp, _mbsicmp, _mbsstr).
#include "platform/cp932.h"

namespace cp932 {

namespace {

// The next character of a C string, stepping past it. A lead byte right before the
// terminating NUL ends the string, as Microsoft's runtime takes it.
unsigned Next(const char*& p) {
    unsigned c = static_cast<unsigned char>(*p);
    std::size_t length = CharLength(p);
    if (c == 0 || (length == 1 && IsLeadByte(static_cast<unsigned char>(c)))) return 0;
    if (length == 2) c = c << 8 | static_cast<unsigned char>(p[1]);
    p += length;
    return c;
}

// The double-byte characters that have a capital, and where their capitals start. Both
// rows of small Roman numerals go to the NEC row of capitals, the code Windows gives
// back for them from Unicode.
struct CaseRun {
    unsigned first, last, upperFirst;
};
constexpr CaseRun kCaseRuns[] = {
    {0x8281, 0x829A, 0x8260},  // full-width a-z
    {0x83BF, 0x83D6, 0x839F},  // Greek alpha-omega
    {0x8470, 0x847E, 0x8440},  // Cyrillic a-n; yo is inside at 0x8476, its capital at 0x8446
    {0x8480, 0x8491, 0x844F},  // Cyrillic o-ya, after the gap at 0x847F
    {0xEEEF, 0xEEF8, 0x8754},  // small Roman numerals i-x, NEC-selected IBM rows
    {0xFA40, 0xFA49, 0x8754},  // small Roman numerals i-x, IBM rows
};

template <typename Fold>
int CompareFolded(const std::string& a, const std::string& b, Fold fold) {
    const char* p = a.c_str();
    const char* q = b.c_str();
    // Bytes 01-7F are whole characters: most names are compared here.
    auto ascii = [](const char* c) { return static_cast<unsigned char>(*c) - 1u < 0x7Fu; };
    for (; ascii(p) && ascii(q); ++p, ++q) {
        unsigned x = fold(static_cast<unsigned char>(*p)), y = fold(static_cast<unsigned char>(*q));
        if (x != y) return x < y ? -1 : 1;
    }
    for (;;) {
        unsigned x = fold(Next(p)), y = fold(Next(q));
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) return 0;
    }
}

}  // namespace

// Windows maps through Unicode, so a code the code page holds twice (an NEC or IBM
// duplicate) also comes back as its preferred code there; here every code keeps its own.
unsigned ToUpper(unsigned code) {
    if (code < 0x100) return static_cast<unsigned char>(AsciiUpper(static_cast<char>(code)));
    for (const CaseRun& run : kCaseRuns)
        if (code >= run.first && code <= run.last) return run.upperFirst + (code - run.first);
    return code;
}

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (std::size_t i = 0; i < upper.size(); i += CharLength(upper, i)) upper[i] = AsciiUpper(upper[i]);
    return upper;
}

int Compare(const std::string& a, const std::string& b) {
    return CompareFolded(a, b, [](unsigned c) { return c; });
}

int CompareNoCase(const std::string& a, const std::string& b) {
    return CompareFolded(a, b, [](unsigned c) { return ToUpper(c); });
}

std::size_t Find(const std::string& haystack, const std::string& needle) {
    const std::string h = haystack.c_str(), n = needle.c_str();
    for (std::size_t i = 0;;) {
        if (h.compare(i, n.size(), n) == 0) return i;
        if (i >= h.size()) return std::string::npos;
        i += CharLength(h, i);
    }
}

std::string FileTitle(const std::string& name) {
    const std::string s = name.c_str();
    std::size_t dot = std::string::npos;
    for (std::size_t i = 0; i < s.size(); i += CharLength(s, i))
        if (s[i] == '.') dot = i;
    return dot == std::string::npos ? s : s.substr(0, dot);
}

}  // namespace cp932
