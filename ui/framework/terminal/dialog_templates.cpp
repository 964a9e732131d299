// A bounds-checked walk over a .res file's entries and their dialog templates.
#include "ui/framework/terminal/dialog_templates.h"

#include <algorithm>

#include "platform/host_queries.h"
#include "platform/platform.h"

namespace {

constexpr int kDialogType = 5;  // RT_DIALOG
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
    // string). The string in code page 932 as Windows shows it, a character it lacks as "?".
    int Name(std::string* text) {
        std::string utf16;  // little-endian, as the file holds it
        for (std::size_t start = at_; std::uint32_t c = Read(2);) {
            if (c == 0xFFFF && at_ - start == 2) return static_cast<int>(Read(2));
            utf16.append(reinterpret_cast<const char*>(begin_ + at_ - 2), 2);
        }
        if (!text || utf16.empty()) return -1;
        text->assign(utf16.size(), '\0');
        int units = static_cast<int>(utf16.size() / 2);
        int n = SystemPlatform().Host().WideToAnsi(reinterpret_cast<const unsigned char*>(utf16.data()), units,
                                                   text->data(), static_cast<int>(text->size()));
        text->resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return -1;
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
    std::uint32_t first = in.Read(4);
    bool extended = first == 0xFFFF0001;  // DIALOGEX: version 1, signature 0xFFFF
    if (extended) {
        in.Read(4);  // help id
        d.exStyle = in.Read(4);
        d.style = in.Read(4);
    } else {
        d.style = first;
        d.exStyle = in.Read(4);
    }
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

}  // namespace

std::optional<std::vector<DialogTemplate>> ReadDialogTemplates(const unsigned char* bytes,
                                                               std::size_t size) {
    std::vector<DialogTemplate> dialogs;
    Cursor in(bytes, size);
    while (in.At() < size) {
        std::size_t start = in.At();
        std::uint32_t dataSize = in.Read(4), headerSize = in.Read(4);
        int type = in.Name(nullptr), name = in.Name(nullptr);
        in.Align();
        in.Skip(16);  // data version, memory flags, language, version, characteristics
        if (!in.Ok() || in.At() - start > headerSize) return std::nullopt;
        in.Skip(headerSize - (in.At() - start));
        std::size_t data = in.At();
        in.Skip(dataSize);
        in.Align();
        if (!in.Ok()) return std::nullopt;
        if (type != kDialogType || name < 0) continue;  // Zandry's dialogs have numbers
        std::optional<DialogTemplate> dialog = ReadDialog(name, bytes + data, dataSize);
        if (!dialog) return std::nullopt;
        dialogs.push_back(std::move(*dialog));
    }
    return dialogs;
}

const DialogTemplate* FindDialogTemplate(int id) {
    static const std::vector<DialogTemplate> zandry =
        ReadDialogTemplates(kZandryRes, kZandryResSize).value_or(std::vector<DialogTemplate>{});
    for (const DialogTemplate& dialog : zandry)
        if (dialog.id == id) return &dialog;
    return nullptr;
}
