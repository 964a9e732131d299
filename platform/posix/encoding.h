// The edge between the core's Windows world (code page 932, "\" separators) and Linux's
// (UTF-8 names, "/" separators), crossed the way Wine crosses it in the other direction.
#pragma once
#include <optional>
#include <string>

namespace encoding {

// True when every byte is ASCII, which every terminal's encoding spells alike.
bool IsAscii(const std::string& text);

// Converts between two iconv encodings; nullopt when the text does not convert whole.
std::optional<std::string> Convert(const std::string& text, const char* from, const char* to);

// A core path as Linux names it: every "\" that is a character (not a trail byte) becomes
// "/", and the name becomes UTF-8. Nullopt when the name cannot be a Windows file name:
// invalid code page 932, control bytes, or one of < > " | ? *.
std::optional<std::string> ToHostPath(const std::string& cp932Path);

// A Linux path as the core names it: code page 932 with "\" separators. Characters that
// code page 932 lacks become "?", as Windows' ANSI calls give them.
std::string FromHostPath(const std::string& hostPath);

// The encoding of the terminal's text under the user's locale. Without a locale the codeset
// reads as ASCII; names typed there are still far more likely UTF-8 than anything else.
const char* TerminalEncoding();

// Text of another encoding in code page 932, each character it lacks as "?", as Windows'
// conversions give them. Characters are told apart in UTF-8 and UTF-16LE; in other
// encodings a text that does not convert whole keeps only its ASCII.
std::string ToCodePage(const std::string& text, const char* from);

// A Linux file name in code page 932, or nullopt when it has no such spelling.
std::optional<std::string> FromHostName(const std::string& hostName);

}  // namespace encoding
