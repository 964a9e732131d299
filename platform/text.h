// Code page 932 text operations as the platform provides them. Each caller picks the one
// whose rules it needs; they are not interchangeable.
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

}  // namespace text
