// An initialisation file held as its lines, read and edited as Windows' profile functions
// do. Bytes are code page 932 and never decoded; every line that an edit does not touch is
// kept byte for byte, and the lines an edit writes end in CRLF.
#pragma once
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class IniDocument {
public:
    explicit IniDocument(std::string bytes = {});

    // The value of the first matching key in the first matching section (names compared
    // without regard to ASCII case, trimmed), with one pair of matching quotes stripped.
    // Absent section, absent key and a key line without "=" all give nullopt.
    std::optional<std::string> Find(const std::string& section, const std::string& key) const;

    // Sets the key, adding it at the end of its section or a new section at the end of the
    // file. Leading blanks of the value are dropped, as Windows does. Returns false when the
    // document already held exactly that value (nothing to write).
    bool Set(const std::string& section, const std::string& key, const std::string& value);

    // Deletes the line of the first matching key. Returns false when there was none.
    bool Remove(const std::string& section, const std::string& key);

    // The whole file as it now stands.
    std::string Bytes() const;

private:
    struct Line {
        std::string text;    // without its line ending
        std::string ending;  // "\r\n", "\n" or "" for a last line without one
    };
    struct Section {
        std::size_t header;  // line index of "[name]"
        std::size_t end;     // one past its last line
        std::unordered_map<std::string, std::size_t> keys;  // folded key -> first line
    };

    void Index();
    const Section* FindSection(const std::string& section) const;

    std::vector<Line> lines_;
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionByName_;  // folded name -> first section
};
