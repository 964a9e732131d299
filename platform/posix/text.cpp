// Off Windows the text operations are the portable code page 932 rules.
#include "platform/text.h"

#include "platform/cp932.h"

namespace text {

int Compare(const std::string& a, const std::string& b) { return cp932::Compare(a, b); }
int CompareNoCase(const std::string& a, const std::string& b) { return cp932::CompareNoCase(a, b); }
bool LocaleEqual(const std::string& a, const std::string& b) { return cp932::LocaleEqual(a, b); }
std::size_t Find(const std::string& haystack, const std::string& needle) {
    return cp932::Find(haystack, needle);
}

}  // namespace text
