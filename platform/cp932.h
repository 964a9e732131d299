// Code page 932 text rules written out in portable code, so that the native build compares,
// searches and splits names as Windows does. Texts are C strings: each operation stops at
// the first NUL byte of a std::string.
#pragma once
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace cp932 {

// 0x81-0x9F and 0xE0-0xFC open a double-byte character.
inline bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The one walk over a text's characters: the bytes of the character that starts at s, 2
// for a lead byte and its trail byte, else 1. A lead byte that ends the text stands alone.
inline std::size_t CharLength(const char* s) {
    return IsLeadByte(static_cast<unsigned char>(*s)) && s[1] != '\0' ? 2 : 1;
}
inline std::size_t CharLength(const std::string& s, std::size_t i) { return CharLength(s.c_str() + i); }

// An ASCII letter in upper case, any other byte as it is: the only case Windows' file names,
// folder patterns and profile keys fold. AsciiUpper of a text leaves trail bytes alone.
inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
std::string AsciiUpper(std::string_view text);

// A single-byte character that no Windows file name holds: a control code, < > " | ? or *.
inline bool IsForbiddenInFileNames(unsigned char c) { return c < 0x20 || std::strchr("<>\"|?*", c); }

// As _mbscmp: characters compared whole, as codes (lead << 8 | trail); <0, 0 or >0.
int Compare(const std::string& a, const std::string& b);

// As _mbsicmp: ASCII letters without regard to case, double-byte characters after the
// Japanese upper-case mapping (full-width Latin, Greek, Cyrillic, small Roman numerals).
int CompareNoCase(const std::string& a, const std::string& b);

// As CompareStringW(NORM_IGNORECASE) in a Japanese user locale, after MultiByteToWideChar, by
// Wine 8's sort tables: the order of lstrcmpiA and of a sorted list box; <0, 0 or >0.
int LocaleCompare(const std::string& a, const std::string& b);

// As lstrcmpiA(a, b) == 0 in a Japanese user locale.
bool LocaleEqual(const std::string& a, const std::string& b);

// As _mbsstr: byte offset of the first occurrence that starts on a character's first
// byte, or std::string::npos.
std::size_t Find(const std::string& haystack, const std::string& needle);

// The name up to its last "." (a "." byte that is not a trail byte); a name without one
// is its own title.
std::string FileTitle(const std::string& name);

// The Japanese upper-case mapping of one character code (single byte or lead << 8 | trail).
unsigned ToUpper(unsigned code);

}  // namespace cp932
