// An initialisation file held as its lines, read and edited as Windows' profile functions
// do. Bytes are code page 932 and never decoded; every line that an edit does not touch is
// kept byte for byte, and the lines an edit writes end in CRLF.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ini_section.h"

class IniDocument {
public:
    explicit IniDocument(std::string bytes = {});

    // The value of the first matching key in the first matching section (names compared
    // without regard to ASCII case, trimmed), with one pair of matching quotes stripped.
    // Absent section, absent key and a key line without "=" all give nullopt.
    std::optional<std::string> Find(const std::string& section, const std::string& key) const;

    // Each key line of the first matching section, in file order: its key as spelt (trimmed)
    // and its value as Find would give it, none for a line without "=".
    template <typename Visit>
    void ForEachKey(const std::string& section, Visit visit) const {
        if (const auto s = FindSection(section))
            sections_[*s].ForEachLine([&](std::string_view line) {
                ini::Parsed p = ini::Parse(line);
                if (!p.name.empty()) visit(p.name, ini::Unquoted(p.value));
            });
    }

    // Sets the key, adding it at the end of its section or a new section at the end of the
    // file. Leading blanks of the value are dropped, as Windows does. Returns false when the
    // document already held exactly that value (nothing to write).
    bool Set(const std::string& section, const std::string& key, const std::string& value);

    // Deletes the line of the first matching key. Returns false when there was none.
    bool Remove(const std::string& section, const std::string& key);

    // The whole file as it now stands.
    std::string Bytes() const;

private:
    // The index of the first section of that name.
    std::optional<std::size_t> FindSection(const std::string& section) const;
    void AddSection(std::optional<IniLine> header, std::string_view body = {});
    IniLine Written(std::string text);

    // The file as read, and each line an edit wrote. The texts never change and are shared
    // by copies, so that no line outlives the text it points into.
    std::vector<std::shared_ptr<const std::string>> text_;
    std::vector<IniSection> sections_;  // the first holds the lines before any header
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> first section
};
