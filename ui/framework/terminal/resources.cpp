// A bounds-checked walk over a .res file's entries, their dialog templates and string tables.
#include "ui/framework/terminal/resources.h"

#include <algorithm>

#include "platform/host_queries.h"
#include "platform/platform.h"

namespace {

constexpr int kDialogType = 5;  // RT_DIALOG
constexpr int kStringType = 6;  // RT_STRING: blocks of 16 texts, block n holding ids 16(n-1) on

// Little-endian UTF-16 as Windows shows it in code page 932, a character it lacks as "?".
std::string ToCodePage(const std::string& utf16) {
    std::string text(utf16.size(), '\0');
    int n = SystemPlatform().Host().WideToAnsi(reinterpret_cast<const unsigned char*>(utf16.data()),
                                               static_cast<int>(utf16.size() / 2), text.data(),
                                               static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}
constexpr std::uint32_t kSetFont = 0x40;  // DS_SETFONT

// Reads little-endian fields off a range; a read past its end reads 0 and fails the cursor
// for good, so one check after a run of reads covers them all.
class Cursor {
public:
    Cursor(const unsigned char* begin, std::size_t size) : begin_(begin), size_(size) {}

    bool Ok() const { return ok_; }
    std::size_t At() const { return at_; }
    std::uint32_t Read(int bytes) {
        if (size_ - at_ < static_cast<std::size_t>(bytes)) ok_ = false;
        std::uint32_t value = 0;
        for (int i = 0; ok_ && i < bytes; ++i) value |= std::uint32_t{begin_[at_++]} << (8 * i);
        return value;
    }
    int Short() { return static_cast<std::int16_t>(Read(2)); }
    void Skip(std::size_t bytes) {
        if (size_ - at_ < bytes) ok_ = false;
        if (ok_) at_ += bytes;
    }
    // Entries and templates start on a DWORD, counted from the start of the range.
    void Align() { Skip((4 - at_ % 4) % 4); }
    // A string to its NUL, or 0xFFFF and an ordinal, which comes back instead (-1 for a
    // string), the string in code page 932.
    int Name(std::string* text) {
        std::string utf16;
        for (std::size_t start = at_; std::uint32_t c = Read(2);) {
            if (c == 0xFFFF && at_ - start == 2) return static_cast<int>(Read(2));
            utf16.append(reinterpret_cast<const char*>(begin_ + at_ - 2), 2);
        }
        if (text && !utf16.empty()) *text = ToCodePage(utf16);
        return -1;
    }
    // `units` UTF-16 units in code page 932.
    std::string Counted(std::size_t units) {
        std::size_t start = at_;
        Skip(units * 2);
        return Ok() ? ToCodePage(std::string(reinterpret_cast<const char*>(begin_ + start), units * 2)) : "";
    }

private:
    const unsigned char* begin_;
    std::size_t size_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

ControlTemplate ReadControl(Cursor& in, bool extended) {
    ControlTemplate c{};
    if (extended) in.Read(4);  // help id
    std::uint32_t first = in.Read(4), second = in.Read(4);
    c.style = extended ? second : first;  // DIALOGEX puts the extended style first
    c.x = in.Short(), c.y = in.Short(), c.width = in.Short(), c.height = in.Short();
    c.id = extended ? static_cast<std::int32_t>(in.Read(4)) : in.Short();
    c.windowClass = std::max(in.Name(nullptr), 0);
    in.Name(&c.text);
    if (std::size_t data = in.Read(2)) {  // creation data, on a DWORD as windres writes it
        in.Align();
        in.Skip(data);
    }
    return c;
}

std::optional<DialogTemplate> ReadDialog(int id, const unsigned char* bytes, std::size_t size) {
    Cursor in(bytes, size);
    DialogTemplate d{id, "", 0, 0, 0, 0, 0, 0, "", 0, {}};
    bool extended = in.Read(4) == 0xFFFF0001;  // DIALOGEX: version 1, signature 0xFFFF
    if (extended)
        in.Read(4);  // help id
    else
        in = Cursor(bytes, size);  // DIALOG starts with its style
    std::uint32_t first = in.Read(4), second = in.Read(4);
    d.style = extended ? second : first;  // DIALOGEX puts the extended style first
    d.exStyle = extended ? first : second;
    int count = static_cast<int>(in.Read(2));
    d.x = in.Short(), d.y = in.Short(), d.width = in.Short(), d.height = in.Short();
    in.Name(nullptr);  // menu
    in.Name(nullptr);  // class
    in.Name(&d.caption);
    if (d.style & kSetFont) {
        d.fontSize = static_cast<int>(in.Read(2));
        if (extended) in.Read(4);  // weight, italic, character set
        in.Name(&d.fontName);
    }
    for (int i = 0; i < count && in.Ok(); ++i) {
        in.Align();  // before each control: the last one need not be padded
        d.controls.push_back(ReadControl(in, extended));
    }
    if (!in.Ok()) return std::nullopt;
    return d;
}

// Calls visit(type, name, data, size) for each entry, numbered or not (then -1); false when
// the bytes are truncated or malformed, or when visit returns false.
template <typename Visit>
bool ForEachEntry(const unsigned char* bytes, std::size_t size, Visit visit) {
    Cursor in(bytes, size);
    while (in.At() < size) {
        std::size_t start = in.At();
        std::uint32_t dataSize = in.Read(4), headerSize = in.Read(4);
        int type = in.Name(nullptr), name = in.Name(nullptr);
        in.Align();
        in.Skip(16);  // data version, memory flags, language, version, characteristics
        if (!in.Ok() || in.At() - start > headerSize) return false;
        in.Skip(headerSize - (in.At() - start));
        std::size_t data = in.At();
        in.Skip(dataSize);
        in.Align();
        if (!in.Ok() || !visit(type, name, bytes + data, std::size_t{dataSize})) return false;
    }
    return true;
}

}  // namespace

std::optional<std::vector<DialogTemplate>> ReadDialogTemplates(const unsigned char* bytes,
                                                               std::size_t size) {
    std::vector<DialogTemplate> dialogs;
    bool ok = ForEachEntry(bytes, size, [&](int type, int name, const unsigned char* data, std::size_t n) {
        if (type != kDialogType || name < 0) return true;  // Zandry's dialogs have numbers
        std::optional<DialogTemplate> dialog = ReadDialog(name, data, n);
        if (dialog) dialogs.push_back(std::move(*dialog));
        return dialog.has_value();
    });
    return ok ? std::optional(std::move(dialogs)) : std::nullopt;
}

std::optional<std::map<int, std::string>> ReadStringTable(const unsigned char* bytes, std::size_t size) {
    std::map<int, std::string> texts;
    bool ok = ForEachEntry(bytes, size, [&](int type, int block, const unsigned char* data, std::size_t n) {
        if (type != kStringType) return true;
        if (block < 1) return false;
        Cursor in(data, n);
        for (int i = 0; i < 16 && in.Ok(); ++i)
            if (std::string text = in.Counted(in.Read(2)); !text.empty()) texts[(block - 1) * 16 + i] = text;
        return in.Ok();
    });
    return ok ? std::optional(std::move(texts)) : std::nullopt;
}

const DialogTemplate* FindDialogTemplate(int id) {
    static const std::vector<DialogTemplate> zandry =
        ReadDialogTemplates(kZandryRes, kZandryResSize).value_or(std::vector<DialogTemplate>{});
    for (const DialogTemplate& dialog : zandry)
        if (dialog.id == id) return &dialog;
    return nullptr;
}

std::string FindText(int id) {
    static const std::map<int, std::string> zandry =
        ReadStringTable(kZandryRes, kZandryResSize).value_or(std::map<int, std::string>{});
    auto found = zandry.find(id);
    return found != zandry.end() ? found->second : std::string();
}
