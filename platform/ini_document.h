// An initialisation file held as its lines, read and edited as Windows' profile functions
// do. Bytes are code page 932 and never decoded; every line that an edit does not touch is
// kept byte for byte, and the lines an edit writes end in CRLF.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class IniDocument {
public:
    explicit IniDocument(std::string bytes = {});

    // The value of the first matching key in the first matching section (names compared
    // without regard to ASCII case, trimmed), with one pair of matching quotes stripped.
    // Absent section, absent key and a key line without "=" all give nullopt.
    std::optional<std::string> Find(const std::string& section, const std::string& key) const;

    // Each key line of the first matching section, in file order: its key as spelt (trimmed)
    // and its value as Find would give it, none for a line without "=".
    void ForEachKey(const std::string& section,
                    const std::function<void(std::string_view, std::optional<std::string_view>)>& visit) const;

    // Sets the key, adding it at the end of its section or a new section at the end of the
    // file. Leading blanks of the value are dropped, as Windows does. Returns false when the
    // document already held exactly that value (nothing to write).
    bool Set(const std::string& section, const std::string& key, const std::string& value);

    // Deletes the line of the first matching key. Returns false when there was none.
    bool Remove(const std::string& section, const std::string& key);

    // The whole file as it now stands.
    std::string Bytes() const;

private:
    // Views into text_: the file as read, and each line an edit wrote. The texts never
    // change and are shared by copies, so a view outlives no text it points into.
    struct Line {
        std::string_view text;    // without its line ending
        std::string_view ending;  // "\r\n", "\n" or "" for a last line without one
    };
    struct Section {
        std::size_t header;  // line index of "[name]"
        std::size_t end;     // one past its last line
        // Folded key -> first line, made once lookups have walked the section's length.
        mutable std::optional<std::unordered_map<std::string, std::size_t>> keys;
        mutable std::size_t walked = 0;
    };

    void Index();
    const Section* FindSection(const std::string& section) const;
    std::optional<std::size_t> KeyLine(const Section& section, const std::string& key) const;
    static std::optional<std::string_view> ValueOf(std::string_view line);
    Line Written(std::string text);

    std::vector<std::shared_ptr<const std::string>> text_;
    std::vector<Line> lines_;
    std::vector<Section> sections_;
    mutable std::string lastSectionName_;              // as the last lookup that found it spelt it
    mutable std::optional<std::size_t> lastSection_;
};
