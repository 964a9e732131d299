// IniDocument: the settings file parsed the way Windows' and Wine's profile functions parse
// it, so that the native build reads and writes Zandry.ini as the Windows build does.
#include "platform/ini_document.h"

namespace {

// A name given by a caller: up to its first NUL, as the Win32 build passes it.
std::string CString(const std::string& s) { return s.substr(0, s.find('\0')); }

std::string TrimmedName(const std::string& name) { return std::string(ini::Trimmed(CString(name))); }

}  // namespace

IniDocument::IniDocument(std::string file) {
    std::string_view bytes = *text_.emplace_back(std::make_shared<const std::string>(std::move(file)));
    std::optional<IniLine> header;
    std::size_t body = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const IniLine line = ini::FirstLine(bytes.substr(pos));
        const std::size_t next = pos + line.size + line.ending;
        std::string_view text = ini::Trimmed(line.Text());
        if (!text.empty() && text[0] == '[' && ini::Parse(text).kind == ini::Parsed::kHeader) {
            AddSection(header, bytes.substr(body, pos - body));
            header = line;
            body = next;
        }
        pos = next;
    }
    AddSection(header, bytes.substr(body));
}

IniLine IniDocument::Written(std::string text) {
    std::string_view line = *text_.emplace_back(std::make_shared<const std::string>(std::move(text)));
    return IniLine{line.data(), static_cast<std::uint32_t>(line.size()), IniLine::kCrLf};
}

void IniDocument::AddSection(std::optional<IniLine> header, std::string_view body) {
    if (header) sectionIndex_.emplace(ini::Folded(ini::Parse(header->Text()).name), sections_.size());
    sections_.emplace_back(header, body);
}

std::optional<std::size_t> IniDocument::FindSection(const std::string& section) const {
    const std::string wanted = ini::Folded(CString(section));
    if (wanted.empty()) return std::nullopt;
    auto it = sectionIndex_.find(wanted);
    return it == sectionIndex_.end() ? std::nullopt : std::optional(it->second);
}

std::optional<std::string> IniDocument::Find(const std::string& section, const std::string& key) const {
    const auto s = FindSection(section);
    const auto line = s ? sections_[*s].KeyLine(ini::Folded(CString(key))) : std::nullopt;
    const auto value = line ? ini::Unquoted(ini::Parse(sections_[*s].Line(*line).Text()).value) : std::nullopt;
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

bool IniDocument::Set(const std::string& section, const std::string& key, const std::string& value) {
    const std::string sectionName = TrimmedName(section), keyName = TrimmedName(key);
    // An empty name, once written, could never be found again.
    if (sectionName.empty() || keyName.empty()) return false;
    std::string v = CString(value);
    v.erase(0, v.find_first_not_of(ini::kBlanks));

    const std::string line = keyName + "=" + v;
    // A name or value holding a line break or "]" may parse otherwise than it was meant:
    // then the whole file is read again, as Windows would read it.
    auto reads = [](std::string_view text, ini::Parsed::Kind kind, std::string_view name) {
        ini::Parsed p = ini::Parse(text);
        return text.find('\n') == std::string_view::npos && p.kind == kind && p.name == name;
    };
    const bool keyReads = reads(line, ini::Parsed::kKey, keyName);
    const auto s = FindSection(sectionName);
    const auto found = s ? sections_[*s].KeyLine(ini::Folded(keyName)) : std::nullopt;
    if (!s) {
        sections_.back().EndLastLine();
        const IniLine header = Written("[" + sectionName + "]");
        AddSection(header);
        sections_.back().AddKeyLine(Written(line));
        if (keyReads && reads(header.Text(), ini::Parsed::kHeader, sectionName)) return true;
    } else if (found) {
        IniSection& own = sections_[*s];
        ini::Parsed old = ini::Parse(own.Line(*found).Text());
        if (old.value && *old.value == v) return false;
        const std::string spelling(old.name);
        own.Replace(*found, Written(spelling + "=" + v));
        if (reads(own.Line(*found).Text(), ini::Parsed::kKey, spelling)) return true;
    } else {
        sections_[*s].AddKeyLine(Written(line));
        if (keyReads) return true;
    }
    *this = IniDocument(Bytes());
    return true;
}

bool IniDocument::Remove(const std::string& section, const std::string& key) {
    const auto s = FindSection(section);
    const auto at = s ? sections_[*s].KeyLine(ini::Folded(CString(key))) : std::nullopt;
    if (at) sections_[*s].Remove(*at);
    return at.has_value();
}

std::string IniDocument::Bytes() const {
    std::string bytes;
    for (const IniSection& section : sections_) section.AppendTo(bytes);
    return bytes;
}
