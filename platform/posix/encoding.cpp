// iconv-based conversion between the core's code page 932 paths and Linux's UTF-8 paths.
#include "platform/posix/encoding.h"

#include <iconv.h>
#include <langinfo.h>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <map>
#include <utility>

#include "platform/cp932.h"

namespace encoding {

namespace {
// CP932 rather than SHIFT_JIS: the latter lacks Windows' extensions (NEC and IBM rows) and
// maps 0x5C and 0x7E to the yen sign and overline.
constexpr const char* kCodePage = "CP932";
constexpr const char* kHost = "UTF-8";

bool IsOpen(iconv_t cd) { return cd != reinterpret_cast<iconv_t>(-1); }

// Opening a converter costs far more than most conversions, and every file call converts.
struct Converters : std::map<std::pair<std::string, std::string>, iconv_t> {
    ~Converters() {
        for (auto& entry : *this)
            if (IsOpen(entry.second)) iconv_close(entry.second);
    }
};

iconv_t Converter(const char* from, const char* to) {
    thread_local Converters converters;
    auto [it, added] = converters.try_emplace({from, to});
    if (added) it->second = iconv_open(to, from);
    if (IsOpen(it->second)) iconv(it->second, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    return it->second;
}
}  // namespace

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::optional<std::string> Convert(const std::string& text, const char* from, const char* to) {
    // ASCII is itself in both, and most names are ASCII: no converter, whose opening costs more
    // than a short run's every conversion.
    auto ours = [](const char* encoding) { return !std::strcmp(encoding, kCodePage) || !std::strcmp(encoding, kHost); };
    if (ours(from) && ours(to) && IsAscii(text)) return text;
    iconv_t cd = Converter(from, to);
    if (!IsOpen(cd)) return std::nullopt;
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    char* outPtr = out.data();
    size_t inLeft = text.size(), outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

std::optional<std::string> ToHostPath(const std::string& cp932Path) {
    std::string slashed;
    slashed.reserve(cp932Path.size());
    for (size_t i = 0, length; i < cp932Path.size(); i += length) {
        length = cp932::CharLength(cp932Path, i);
        unsigned char c = static_cast<unsigned char>(cp932Path[i]);
        if (length == 1 && cp932::IsForbiddenInFileNames(c)) return std::nullopt;
        slashed += length == 1 && c == '\\' ? "/" : cp932Path.substr(i, length);
    }
    return Convert(slashed, kCodePage, kHost);
}

std::optional<std::string> FromHostName(const std::string& hostName) {
    return Convert(hostName, kHost, kCodePage);
}

const char* TerminalEncoding() {
    // Read on first need, and only the codeset: a locale costs about as much as a run's moves.
    [[maybe_unused]] static const char* const locale = std::setlocale(LC_CTYPE, "");
    const char* codeset = nl_langinfo(CODESET);
    return std::strcmp(codeset, "ANSI_X3.4-1968") == 0 ? "UTF-8" : codeset;
}

std::string ToCodePage(const std::string& text, const char* from) {
    if (auto whole = Convert(text, from, kCodePage)) return *whole;
    std::string out;
    bool utf8 = std::strcmp(from, "UTF-8") == 0, utf16 = std::strcmp(from, "UTF-16LE") == 0;
    // One character at a time, so that one unmappable character costs only itself; in
    // UTF-16 one unit, so that a surrogate, which has no mapping, is one "?".
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        size_t len = utf16 ? 2 : !utf8 || c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        std::string one = text.substr(i, len);
        i += len;
        auto converted = utf8 || utf16 || c < 0x80 ? Convert(one, from, kCodePage) : std::nullopt;
        out += converted ? *converted : "?";
    }
    return out;
}

std::string FromHostPath(const std::string& hostPath) {
    std::string path = ToCodePage(hostPath, kHost);
    // "/" is below every trail byte, so each one left is a separator.
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

}  // namespace encoding
