// IniSection: a section's lines and the index of its keys.
#include "platform/ini_section.h"

#include "platform/cp932.h"

namespace ini {

std::string_view Trimmed(std::string_view s) {
    // Tested byte by byte, not searched for in kBlanks: every line of the file is trimmed.
    auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

Parsed Parse(std::string_view text) {
    const std::string_view line = Trimmed(text);
    if (line.empty()) return {};
    if (line[0] == '[') {
        // Lines are views, not C strings: a lead byte that ends one stands alone.
        std::size_t close = std::string_view::npos;
        for (std::size_t i = 1; i < line.size(); i += i + 1 < line.size() ? cp932::CharLength(&line[i]) : 1)
            if (line[i] == ']') close = i;
        if (close != std::string_view::npos) return {Parsed::kHeader, Trimmed(line.substr(1, close - 1)), {}};
    }
    // "=" is never a trail byte, so a plain search is safe.
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {Parsed::kKey, line, {}};
    return {Parsed::kKey, Trimmed(line.substr(0, eq)), Trimmed(line.substr(eq + 1))};
}

std::optional<std::string_view> Unquoted(std::optional<std::string_view> value) {
    if (value && value->size() >= 2 && (value->front() == '"' || value->front() == '\'') &&
        value->back() == value->front())
        return value->substr(1, value->size() - 2);
    return value;
}

std::string Folded(std::string_view name) { return cp932::AsciiUpper(Trimmed(name)); }

IniLine FirstLine(std::string_view bytes) {
    const std::size_t nl = bytes.find('\n');
    if (nl == bytes.npos) return {bytes.data(), static_cast<std::uint32_t>(bytes.size()), IniLine::kNone};
    const bool cr = nl > 0 && bytes[nl - 1] == '\r';
    return {bytes.data(), static_cast<std::uint32_t>(cr ? nl - 1 : nl), cr ? IniLine::kCrLf : IniLine::kLf};
}

}  // namespace ini

bool IniSection::SplitNext() const {
    if (unsplit_.empty()) return false;
    lines_.push_back(ini::FirstLine(unsplit_));
    unsplit_.remove_prefix(lines_.back().size + lines_.back().ending);
    return true;
}

std::optional<std::size_t> IniSection::KeyLine(const std::string& foldedKey) const {
    if (foldedKey.empty()) return std::nullopt;  // as GetPrivateProfileString with key ""
    if (!keys_ && walked_ < lineCount_) {
        for (std::size_t line = 0; line < lines_.size() || SplitNext(); ++line) {
            ++walked_;
            if (ini::Folded(ini::Parse(lines_[line].Text()).name) == foldedKey) return line;
        }
        return std::nullopt;
    }
    if (!keys_) {
        while (SplitNext()) {}
        keys_.emplace();
        for (std::size_t line = 0; line < lines_.size(); ++line)
            keys_->emplace(ini::Folded(ini::Parse(lines_[line].Text()).name), line);
    }
    auto it = keys_->find(foldedKey);
    return it == keys_->end() ? std::nullopt : std::optional(it->second);
}

void IniSection::AppendTo(std::string& bytes) const {
    constexpr std::string_view kEndings[] = {"", "\n", "\r\n"};
    if (header_) bytes.append(header_->Text()).append(kEndings[header_->ending]);
    for (const IniLine& line : lines_) bytes.append(line.Text()).append(kEndings[line.ending]);
    bytes.append(unsplit_);
}

void IniSection::AddKeyLine(IniLine line) {
    while (SplitNext()) {}
    std::size_t at = lines_.size();
    while (at > 0 && ini::Parse(lines_[at - 1].Text()).kind == ini::Parsed::kBlank) --at;
    // Only the file's last line may lack an ending.
    if (at == lines_.size()) EndLastLine();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
    ++lineCount_;
    // Only blank lines follow it, so no key's line moves.
    if (keys_) keys_->emplace(ini::Folded(ini::Parse(line.Text()).name), at);
}

void IniSection::Remove(std::size_t at) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
    --lineCount_;
    keys_.reset();
    walked_ = 0;
}

void IniSection::EndLastLine() {
    while (SplitNext()) {}
    IniLine* last = !lines_.empty() ? &lines_.back() : header_ ? &*header_ : nullptr;
    if (last && last->ending == IniLine::kNone) last->ending = IniLine::kCrLf;
}
