// IniDocument: the settings file parsed the way Windows' and Wine's profile functions parse
// it, so that the native build reads and writes Zandry.ini as the Windows build does.
#include "platform/ini_document.h"

#include <cstring>

#include "platform/cp932.h"

namespace {

constexpr auto npos = std::string::npos;
constexpr std::string_view kCrLf = "\r\n";

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

// Lines are views, not C strings: a lead byte that ends one stands alone.
std::size_t CharLength(std::string_view s, std::size_t i) {
    return i + 1 < s.size() ? cp932::CharLength(s.data() + i) : 1;
}

Span Trimmed(std::string_view s, std::size_t begin, std::size_t end) {
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
    return {begin, end};
}

std::string Text(std::string_view s, Span span) {
    return std::string(s.substr(span.begin, span.end - span.begin));
}

// The Win32 build passes names and values as C strings; cut ours the same way.
std::string CString(const std::string& s) { return s.substr(0, s.find('\0')); }

// A name given by a caller: up to its first NUL, blanks trimmed.
Span NameSpan(const std::string& name) {
    std::size_t end = name.find('\0');
    return Trimmed(name, 0, end == npos ? name.size() : end);
}

std::string TrimmedName(const std::string& name) { return Text(name, NameSpan(name)); }

// Names compare with ASCII letters folded, and only whole ones: a trail byte may look like
// one.
std::string Folded(std::string_view s, Span span) {
    return cp932::AsciiUpper(s.substr(span.begin, span.end - span.begin));
}

struct Parsed {
    enum Kind { Blank, Header, Key } kind = Blank;
    Span name{0, 0};            // section name, or key
    std::optional<Span> value;  // set for key lines with "="
};

Parsed Parse(std::string_view text) {
    Parsed p;
    Span line = Trimmed(text, 0, text.size());
    if (line.begin == line.end) return p;
    if (text[line.begin] == '[') {
        std::size_t close = npos;
        for (std::size_t i = line.begin + 1; i < line.end; i += CharLength(text, i))
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

}  // namespace

IniDocument::IniDocument(std::string file) {
    std::string_view bytes = *text_.emplace_back(std::make_shared<const std::string>(std::move(file)));
    std::size_t lines = 1;
    for (const char* p = bytes.data(); (p = static_cast<const char*>(std::memchr(p, '\n', bytes.data() + bytes.size() - p))); ++p)
        ++lines;
    lines_.reserve(lines);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        std::size_t next = nl == npos ? bytes.size() : nl + 1;
        std::size_t end = nl == npos ? next : nl > pos && bytes[nl - 1] == '\r' ? nl - 1 : nl;
        lines_.push_back(Line{bytes.substr(pos, end - pos), bytes.substr(end, next - end)});
        pos = next;
    }
    Index();
}

IniDocument::Line IniDocument::Written(std::string text) {
    std::string_view line = *text_.emplace_back(std::make_shared<const std::string>(std::move(text)));
    return Line{line, kCrLf};
}

void IniDocument::Index() {
    lastSection_.reset();
    sections_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view text = lines_[i].text;
        std::size_t first = 0;
        while (first < text.size() && IsBlank(text[first])) ++first;
        if (first == text.size() || text[first] != '[') continue;  // no header
        Parsed p = Parse(text);
        if (p.kind == Parsed::Header) {
            if (!sections_.empty()) sections_.back().end = i;
            sections_.push_back(Section{i, lines_.size(), {}});
        }
    }
}

const IniDocument::Section* IniDocument::FindSection(const std::string& section) const {
    // A roster save asks for one section ten thousand times in a row.
    if (lastSection_ && lastSectionName_ == section) return &sections_[*lastSection_];
    Span name = NameSpan(section);
    if (name.begin == name.end) return nullptr;
    const std::string wanted = Folded(section, name);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        std::string_view header = lines_[sections_[i].header].text;
        if (Folded(header, Parse(header).name) != wanted) continue;
        lastSectionName_ = section;
        lastSection_ = i;
        return &sections_[i];
    }
    return nullptr;
}

std::optional<std::size_t> IniDocument::KeyLine(const Section& section, const std::string& key) const {
    Span name = NameSpan(key);
    if (name.begin == name.end) return std::nullopt;  // as GetPrivateProfileString with key ""
    const std::string wanted = Folded(key, name);
    // A key line's name ends at its first "=", or with the line.
    auto named = [&](std::size_t line) {
        std::string_view text = lines_[line].text;
        std::size_t eq = text.find('=');
        return Folded(text, Trimmed(text, 0, eq == npos ? text.size() : eq)) == wanted;
    };
    // Lookups walk the lines until they have walked as many as the section holds; then the
    // section is indexed, so that no series of lookups costs more than twice its length.
    if (!section.keys && section.walked < section.end - section.header) {
        for (std::size_t line = section.header + 1; line < section.end; ++line) {
            ++section.walked;
            if (named(line)) return line;
        }
        return std::nullopt;
    }
    if (!section.keys) {
        section.keys.emplace();
        for (std::size_t line = section.header + 1; line < section.end; ++line) {
            Parsed p = Parse(lines_[line].text);
            if (p.kind == Parsed::Key && p.name.end > p.name.begin)
                section.keys->emplace(Folded(lines_[line].text, p.name), line);
        }
    }
    auto it = section.keys->find(wanted);
    return it == section.keys->end() ? std::nullopt : std::optional(it->second);
}

std::optional<std::string> IniDocument::Find(const std::string& section,
                                             const std::string& key) const {
    const Section* s = FindSection(section);
    if (!s) return std::nullopt;
    auto line = KeyLine(*s, key);
    if (!line) return std::nullopt;
    auto value = ValueOf(lines_[*line].text);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

void IniDocument::ForEachKey(const std::string& section,
                             const std::function<void(std::string_view, std::optional<std::string_view>)>& visit) const {
    const Section* s = FindSection(section);
    for (std::size_t line = s ? s->header + 1 : 0; s && line < s->end; ++line) {
        std::string_view text = lines_[line].text;
        Parsed p = Parse(text);
        if (p.kind == Parsed::Key && p.name.end > p.name.begin)
            visit(text.substr(p.name.begin, p.name.end - p.name.begin), ValueOf(text));
    }
}

// A key line's value: its name ends at the first "=", which no name holds.
std::optional<std::string_view> IniDocument::ValueOf(std::string_view line) {
    std::size_t eq = line.find('=');
    if (eq == npos) return std::nullopt;
    std::size_t begin = eq + 1, end = line.size();
    while (begin < end && IsBlank(line[begin])) ++begin;
    while (end > begin && IsBlank(line[end - 1])) --end;
    if (end - begin >= 2 && (line[begin] == '"' || line[begin] == '\'') && line[end - 1] == line[begin]) {
        ++begin;
        --end;
    }
    return line.substr(begin, end - begin);
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
    auto reads = [&](std::string_view text, Parsed::Kind kind, const std::string& name) {
        Parsed p = Parse(text);
        return text.find('\n') == npos && p.kind == kind && Text(text, p.name) == name;
    };
    const bool keyReads = reads(line, Parsed::Key, keyName);
    const Section* s = FindSection(sectionName);
    if (!s) {
        if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = kCrLf;
        std::size_t header = lines_.size();
        lines_.push_back(Written("[" + sectionName + "]"));
        lines_.push_back(Written(line));
        if (keyReads && reads(lines_[header].text, Parsed::Header, sectionName)) {
            sections_.push_back(Section{header, lines_.size(), {}});
            return true;
        }
    } else if (auto found = KeyLine(*s, keyName)) {
        Line& old = lines_[*found];
        Parsed p = Parse(old.text);
        if (p.value && Text(old.text, *p.value) == v) return false;
        std::string spelling = Text(old.text, p.name);
        old = Written(spelling + "=" + v);
        if (reads(old.text, Parsed::Key, spelling)) return true;  // same key, same line
    } else {
        // After its last non-blank line, so blank lines before the next header stay there.
        std::size_t at = s->end;
        while (at - 1 > s->header && Parse(lines_[at - 1].text).kind == Parsed::Blank) --at;
        if (lines_[at - 1].ending.empty()) lines_[at - 1].ending = kCrLf;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Written(line));
        if (keyReads) {
            Section& own = sections_[static_cast<std::size_t>(s - sections_.data())];
            if (at + 1 == lines_.size()) {
                ++own.end;  // the last line: nothing moves down
            } else {
                for (Section& other : sections_) {
                    if (other.header >= at) ++other.header;
                    if (other.end >= at) ++other.end;
                    if (other.keys)
                        for (auto& entry : *other.keys)
                            if (entry.second >= at) ++entry.second;
                }
            }
            if (own.keys) own.keys->emplace(Folded(keyName, NameSpan(keyName)), at);
            return true;
        }
    }
    *this = IniDocument(Bytes());
    return true;
}

bool IniDocument::Remove(const std::string& section, const std::string& key) {
    const Section* s = FindSection(section);
    if (!s) return false;
    auto at = KeyLine(*s, key);
    if (!at) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
    Index();
    return true;
}

std::string IniDocument::Bytes() const {
    std::string bytes;
    std::size_t size = 0;
    for (const Line& line : lines_) size += line.text.size() + line.ending.size();
    bytes.reserve(size);
    for (const Line& line : lines_) bytes.append(line.text).append(line.ending);
    return bytes;
}
