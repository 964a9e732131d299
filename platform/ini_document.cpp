// IniDocument: the settings file parsed the way Windows' and Wine's profile functions parse
// it, so that the native build reads and writes Zandry.ini as the Windows build does.
#include "platform/ini_document.h"

#include "platform/cp932.h"

namespace {

constexpr auto npos = std::string::npos;

bool IsBlank(char c) {
    switch (static_cast<unsigned char>(c)) {
    case ' ': case '\t': case '\r': case '\n': case '\v': case '\f': case 0x1A:  // ^Z: DOS EOF
        return true;
    default:
        return false;
    }
}

struct Span {
    std::size_t begin, end;
};

Span Trimmed(const std::string& s, std::size_t begin, std::size_t end) {
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
    return {begin, end};
}

std::string Text(const std::string& s, Span span) {
    return s.substr(span.begin, span.end - span.begin);
}

// The Win32 build passes names and values as C strings; cut ours the same way.
std::string CString(const std::string& s) { return s.substr(0, s.find('\0')); }

std::string TrimmedName(const std::string& name) {
    std::string c = CString(name);
    return Text(c, Trimmed(c, 0, c.size()));
}

// Only whole ASCII letters fold: a trail byte may look like one.
std::string Folded(std::string s) {
    for (std::size_t i = 0; i < s.size(); i += cp932::CharLength(s, i))
        if (s[i] >= 'A' && s[i] <= 'Z') s[i] = static_cast<char>(s[i] - 'A' + 'a');
    return s;
}

struct Parsed {
    enum Kind { Blank, Header, Key } kind = Blank;
    Span name{0, 0};            // section name, or key
    std::optional<Span> value;  // set for key lines with "="
};

Parsed Parse(const std::string& text) {
    Parsed p;
    Span line = Trimmed(text, 0, text.size());
    if (line.begin == line.end) return p;
    if (text[line.begin] == '[') {
        std::size_t close = npos;
        for (std::size_t i = line.begin + 1; i < line.end; i += cp932::CharLength(text, i))
            if (text[i] == ']') close = i;
        if (close != npos) {
            p.kind = Parsed::Header;
            p.name = Trimmed(text, line.begin + 1, close);
            return p;
        }
    }
    p.kind = Parsed::Key;
    // '=' is never a trail byte, so a plain search is safe.
    std::size_t eq = text.find('=', line.begin);
    if (eq == npos) {
        p.name = line;
        return p;
    }
    p.name = Trimmed(text, line.begin, eq);
    p.value = Trimmed(text, eq + 1, line.end);
    return p;
}

std::optional<std::size_t> KeyLine(const std::unordered_map<std::string, std::size_t>& keys,
                                   const std::string& key) {
    std::string name = TrimmedName(key);
    if (name.empty()) return std::nullopt;  // as GetPrivateProfileString with key ""
    auto it = keys.find(Folded(name));
    if (it == keys.end()) return std::nullopt;
    return it->second;
}

}  // namespace

IniDocument::IniDocument(std::string bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        Line line;
        if (nl == npos) {
            line.text = bytes.substr(pos);
            pos = bytes.size();
        } else {
            std::size_t end = nl > pos && bytes[nl - 1] == '\r' ? nl - 1 : nl;
            line.text = bytes.substr(pos, end - pos);
            line.ending = bytes.substr(end, nl + 1 - end);
            pos = nl + 1;
        }
        lines_.push_back(std::move(line));
    }
    Index();
}

void IniDocument::Index() {
    sections_.clear();
    sectionByName_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string& text = lines_[i].text;
        Parsed p = Parse(text);
        if (p.kind == Parsed::Header) {
            if (!sections_.empty()) sections_.back().end = i;
            sections_.push_back(Section{i, lines_.size(), {}});
            // "[]" opens a section that no name can reach.
            std::string name = Text(text, p.name);
            if (!name.empty()) sectionByName_.emplace(Folded(name), sections_.size() - 1);
        } else if (p.kind == Parsed::Key && !sections_.empty()) {
            std::string key = Text(text, p.name);
            if (!key.empty()) sections_.back().keys.emplace(Folded(key), i);
        }
    }
}

const IniDocument::Section* IniDocument::FindSection(const std::string& section) const {
    std::string name = TrimmedName(section);
    if (name.empty()) return nullptr;
    auto it = sectionByName_.find(Folded(name));
    return it == sectionByName_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::string> IniDocument::Find(const std::string& section,
                                             const std::string& key) const {
    const Section* s = FindSection(section);
    if (!s) return std::nullopt;
    auto line = KeyLine(s->keys, key);
    if (!line) return std::nullopt;
    const std::string& text = lines_[*line].text;
    Parsed p = Parse(text);
    if (!p.value) return std::nullopt;
    std::string value = Text(text, *p.value);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return value;
}

bool IniDocument::Set(const std::string& section, const std::string& key,
                      const std::string& value) {
    std::string sectionName = TrimmedName(section), keyName = TrimmedName(key);
    // An empty name, once written, could never be found again.
    if (sectionName.empty() || keyName.empty()) return false;
    std::string v = CString(value);
    std::size_t lead = 0;
    while (lead < v.size() && IsBlank(v[lead])) ++lead;
    v.erase(0, lead);

    const std::string line = keyName + "=" + v;
    // A name or value holding a line break or "]" may parse otherwise than it was meant:
    // then the whole file is read again, as Windows would read it.
    auto reads = [&](const std::string& text, Parsed::Kind kind, const std::string& name) {
        Parsed p = Parse(text);
        return text.find('\n') == npos && p.kind == kind && Text(text, p.name) == name;
    };
    const bool keyReads = reads(line, Parsed::Key, keyName);
    const Section* s = FindSection(sectionName);
    if (!s) {
        if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = "\r\n";
        std::size_t header = lines_.size();
        lines_.push_back(Line{"[" + sectionName + "]", "\r\n"});
        lines_.push_back(Line{line, "\r\n"});
        if (keyReads && reads(lines_[header].text, Parsed::Header, sectionName)) {
            sections_.push_back(Section{header, lines_.size(), {{Folded(keyName), header + 1}}});
            sectionByName_.emplace(Folded(sectionName), sections_.size() - 1);
            return true;
        }
    } else if (auto found = KeyLine(s->keys, keyName)) {
        Line& old = lines_[*found];
        Parsed p = Parse(old.text);
        if (p.value && Text(old.text, *p.value) == v) return false;
        std::string spelling = Text(old.text, p.name);
        old = Line{spelling + "=" + v, "\r\n"};
        if (reads(old.text, Parsed::Key, spelling)) return true;  // same key, same line
    } else {
        // After its last non-blank line, so blank lines before the next header stay there.
        std::size_t at = s->end;
        while (at - 1 > s->header && Parse(lines_[at - 1].text).kind == Parsed::Blank) --at;
        if (lines_[at - 1].ending.empty()) lines_[at - 1].ending = "\r\n";
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{line, "\r\n"});
        if (keyReads) {
            Section& own = sections_[static_cast<std::size_t>(s - sections_.data())];
            if (at + 1 == lines_.size()) {
                ++own.end;  // the last line: nothing moves down
            } else {
                for (Section& other : sections_) {
                    if (other.header >= at) ++other.header;
                    if (other.end >= at) ++other.end;
                    for (auto& entry : other.keys)
                        if (entry.second >= at) ++entry.second;
                }
            }
            own.keys.emplace(Folded(keyName), at);
            return true;
        }
    }
    *this = IniDocument(Bytes());
    return true;
}

bool IniDocument::Remove(const std::string& section, const std::string& key) {
    const Section* s = FindSection(section);
    if (!s) return false;
    auto at = KeyLine(s->keys, key);
    if (!at) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
    Index();
    return true;
}

std::string IniDocument::Bytes() const {
    std::string bytes;
    for (const Line& line : lines_) bytes.append(line.text).append(line.ending);
    return bytes;
}
