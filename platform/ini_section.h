// One section of an initialisation file as Windows' profile functions read it: the "[name]"
// line that opens it (none for the lines before the first one), its lines up to the next,
// and its keys found by name, the first line of a name winning. Bytes are code page 932.
#pragma once
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A line without its ending. Its text lies in storage that the document keeps.
struct IniLine {
    enum Ending : std::uint8_t { kNone, kLf, kCrLf };  // each its length in bytes
    const char* data;
    std::uint32_t size;
    Ending ending;

    std::string_view Text() const { return {data, size}; }
};

namespace ini {

// What the profile functions trim: ^Z is DOS's end of file.
constexpr std::string_view kBlanks = " \t\r\n\v\f\x1a";
std::string_view Trimmed(std::string_view s);

// A line as the profile functions take it; names and value trimmed of blanks, quotes kept.
struct Parsed {
    enum Kind { kBlank, kHeader, kKey } kind = kBlank;
    std::string_view name;                 // the section's, or the key's
    std::optional<std::string_view> value;  // set for key lines with "="
};
Parsed Parse(std::string_view line);
// A value as read: one pair of matching quotes stripped.
std::optional<std::string_view> Unquoted(std::optional<std::string_view> value);
// How names compare: trimmed, ASCII letters folded, and only whole ones, for a trail byte
// may look like one.
std::string Folded(std::string_view name);
// The first line of non-empty bytes; the next begins after its ending.
IniLine FirstLine(std::string_view bytes);

}  // namespace ini

// A section's lines are split into records only as far as a lookup or an edit needs them:
// each page of fresh memory costs a fault, and most of a large file is only ever read.
class IniSection {
public:
    // `body`: the lines that follow the header, in storage that the document keeps.
    explicit IniSection(std::optional<IniLine> header, std::string_view body = {})
        : header_(header),
          lineCount_(std::count(body.begin(), body.end(), '\n') + (!body.empty() && body.back() != '\n')),
          unsplit_(body) {}

    // A line that KeyLine gave, or that an edit put there.
    const IniLine& Line(std::size_t at) const { return lines_[at]; }
    // The first line of the key, named as Folded gives it; none for an empty name.
    std::optional<std::size_t> KeyLine(const std::string& foldedKey) const;
    // Each line's text in file order.
    template <typename Visit>
    void ForEachLine(Visit visit) const {
        for (const IniLine& line : lines_) visit(line.Text());
        for (std::string_view rest = unsplit_; !rest.empty();) {
            const IniLine line = ini::FirstLine(rest);
            visit(line.Text());
            rest.remove_prefix(line.size + line.ending);
        }
    }
    // The header and the lines as they now stand, each with its ending.
    void AppendTo(std::string& bytes) const;

    // The line must hold the same key as before.
    void Replace(std::size_t at, IniLine line) { lines_[at] = line; }
    // After the last line that is not blank, so that blank lines before the next header stay
    // there; the line before it is given an ending if it had none.
    void AddKeyLine(IniLine line);
    void Remove(std::size_t at);
    // Gives the last line, or the header if none follows it, an ending if it had none.
    void EndLastLine();

private:
    // Splits off the next line; false when none is left.
    bool SplitNext() const;

    std::optional<IniLine> header_;
    std::size_t lineCount_;  // split or not
    mutable std::vector<IniLine> lines_;
    mutable std::string_view unsplit_;  // the lines after lines_, as read
    // Folded key -> first line, made once lookups have walked as many lines as the section
    // holds: a single lookup costs no index, and no series of them more than twice its length.
    mutable std::optional<std::unordered_map<std::string, std::size_t>> keys_;
    mutable std::size_t walked_ = 0;
};
