// On Windows the text operations are msvcrt's and kernel32's own, in the ANSI code page.
#include "platform/text.h"

#include <mbstring.h>
#include <windows.h>

namespace {
const unsigned char* Bytes(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.c_str());
}
}  // namespace

namespace text {

int Compare(const std::string& a, const std::string& b) { return _mbscmp(Bytes(a), Bytes(b)); }
int CompareNoCase(const std::string& a, const std::string& b) {
    return _mbsicmp(Bytes(a), Bytes(b));
}
bool LocaleEqual(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}
std::size_t Find(const std::string& haystack, const std::string& needle) {
    const unsigned char* found = _mbsstr(Bytes(haystack), Bytes(needle));
    return found ? static_cast<std::size_t>(found - Bytes(haystack)) : std::string::npos;
}

}  // namespace text
