// Code page 932 text operations as the platform provides them, and where a path's file name
// begins. Each caller picks the one whose rules it needs; they are not interchangeable.
#pragma once
#include <cstddef>
#include <string>

#include "platform/cp932.h"

namespace text {

#ifdef _WIN32
// 0 when both hold the same bytes (_mbscmp).
int Compare(const std::string& a, const std::string& b);
// ASCII and double-byte letters without regard to case (_mbsicmp).
int CompareNoCase(const std::string& a, const std::string& b);
// The user locale's case-insensitive equality (lstrcmpiA).
bool LocaleEqual(const std::string& a, const std::string& b);
// Byte offset of the first occurrence on a character boundary, or npos (_mbsstr).
std::size_t Find(const std::string& haystack, const std::string& needle);
#else
// Off Windows, the portable rules written after those calls.
using cp932::Compare;
using cp932::CompareNoCase;
using cp932::Find;
using cp932::LocaleEqual;
#endif

// Where the file name of a path begins: past its last "\" that is no trail byte.
inline std::size_t FileNameAt(const std::string& path) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < path.size(); i += cp932::CharLength(path, i))
        if (path[i] == '\\') at = i + 1;
    return at;
}

}  // namespace text
