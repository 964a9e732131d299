// UTF-16 to code page 932 through iconv, as the POSIX layer converts every other text.
#include "ui/framework/terminal/wide_text.h"

#include "platform/posix/encoding.h"

std::optional<std::string> FromUtf16(const std::u16string& text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return encoding::Convert(bytes, "UTF-16LE", "CP932");
}
