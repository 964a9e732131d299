// Bytes as a C string literal with "\xNN" escapes, so that a failing case can be read back.
#pragma once
#include <cstdio>
#include <string>

inline std::string Shown(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        char buf[8];
        std::snprintf(buf, sizeof buf, c >= 0x20 && c < 0x7F && c != '\\' ? "%c" : "\\x%02x", c);
        out += buf;
    }
    return out + "\"";
}
