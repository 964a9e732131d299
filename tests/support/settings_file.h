// Zandry.ini as tests write it before a run and read it back after: the roster,
// the current pet and the host executable, in code page 932 with CRLF lines.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "tests/support/folder_names.h"

struct Settings {
    std::vector<std::string> names;
    int current = 0;
    std::string host = kHostExe;

    std::string Bytes() const {
        std::string ini = "[PetList]\r\nentry=" + std::to_string(names.size()) + "\r\n";
        for (size_t i = 0; i < names.size(); ++i)
            ini += "Petname" + std::to_string(i) + "=" + names[i] + "\r\n";
        return ini + "[NowPet]\r\nnumber=" + std::to_string(current) + "\r\n[Kirimo]\r\nVer=" + host + "\r\n";
    }

    // The values a reader finds in the file, whatever its layout; a count that disagrees
    // with the names present shows as names "?" or a short list.
    static Settings Parse(const std::string& bytes) {
        std::map<std::string, std::string> values;
        std::string section;
        size_t start = 0;
        while (start < bytes.size()) {
            size_t end = bytes.find('\n', start);
            if (end == std::string::npos) end = bytes.size();
            std::string line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            start = end + 1;
            if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
                section = line.substr(1, line.size() - 2);
            } else if (size_t equals = line.find('='); equals != std::string::npos) {
                values[section + "/" + line.substr(0, equals)] = line.substr(equals + 1);
            }
        }
        Settings settings;
        int count = std::stoi(values.count("PetList/entry") ? values["PetList/entry"] : "0");
        for (int i = 0; i < count; ++i) {
            auto name = values.find("PetList/Petname" + std::to_string(i));
            settings.names.push_back(name == values.end() ? "?" : name->second);
        }
        settings.current = std::stoi(values.count("NowPet/number") ? values["NowPet/number"] : "0");
        settings.host = values["Kirimo/Ver"];
        return settings;
    }

    bool operator==(const Settings& other) const {
        return names == other.names && current == other.current && host == other.host;
    }
};

#include <ostream>
inline void PrintTo(const Settings& s, std::ostream* os) {
    *os << "{names:";
    for (const auto& name : s.names) *os << " [" << name << "]";
    *os << ", current: " << s.current << ", host: " << s.host << "}";
}
