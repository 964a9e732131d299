// UTF-16 to code page 932 through WideCharToMultiByte. Only our dialog manager calls it, and
// zandry.exe does not link that, so the product's imports stay as they are.
#include "ui/framework/terminal/wide_text.h"

#include <windows.h>

std::optional<std::string> FromUtf16(const std::u16string& text) {
    if (text.empty()) return std::string();
    const std::wstring wide(text.begin(), text.end());
    const int length = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    int size = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0,
                                   nullptr, &lossy);
    if (size <= 0 || lossy) return std::nullopt;
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), length, bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}
