// The compiled resources' UTF-16 texts in code page 932, which the dialog classes work in.
// Each platform converts as its own system does (posix/, win32/).
#pragma once
#include <optional>
#include <string>

// Nullopt when a character has no code page 932 spelling.
std::optional<std::string> FromUtf16(const std::u16string& text);
