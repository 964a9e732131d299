// Our profile reading and writing against the real GetPrivateProfileStringA,
// GetPrivateProfileIntA and WritePrivateProfileStringA: the program's write sequences must
// leave the same file, and files changed by hand must read the same. Win32 build only; run
// under Wine (LANG=ja_JP.UTF-8, for code page 932) or Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/profile.h"

namespace {

// A fresh folder under %TEMP%. Every file gets a name of its own, since Wine keeps parsed
// profiles cached by name; full paths, since a bare name would mean the Windows folder.
class ProfileFolder {
public:
    ProfileFolder() {
        char temp[MAX_PATH], name[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        GetTempFileNameA(temp, "zpr", 0, name);
        DeleteFileA(name);
        CreateDirectoryA(name, nullptr);
        path_ = name;
    }
    ~ProfileFolder() {
        for (const std::string& file : files_) {
            WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA(path_.c_str());
    }
    ProfileFolder(const ProfileFolder&) = delete;
    ProfileFolder& operator=(const ProfileFolder&) = delete;

    // A new file holding `bytes`, or no file at all.
    std::string NewFile(const std::optional<std::string>& bytes) {
        std::string file = path_ + "\\Zandry" + std::to_string(files_.size()) + ".ini";
        files_.push_back(file);
        if (bytes) std::ofstream(file, std::ios::binary) << *bytes;
        return file;
    }

    static std::string Read(const std::string& file) {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());  // flush
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string path_;
    std::vector<std::string> files_;
};

const char kDefault[] = "<absent>";

std::string ReadReference(const std::string& file, const std::string& section, const std::string& key) {
    char buffer[4096];
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kDefault, buffer,
                                       sizeof buffer, file.c_str());
    return std::string(buffer, n);
}

// Both readings of one key, text and integer, by the system and by us.
void ExpectSameReading(const std::string& file, const Profile& ours, const std::string& section,
                       const std::string& key) {
    EXPECT_EQ(ReadReference(file, section, key), ours.ProfileReadText(section, key, kDefault))
        << section << "/" << key;
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), -7, file.c_str())),
              ours.ProfileReadInt(section, key, -7))
        << section << "/" << key << " as an integer";
}

// Wine rewrites the whole file on every write and puts a blank line before each section
// header; Windows edits in place, as IniDocument does. Blank lines are all that may differ.
std::string WithoutEmptyLines(const std::string& bytes) {
    std::string out;
    for (std::size_t pos = 0; pos < bytes.size();) {
        std::size_t nl = bytes.find('\n', pos);
        std::size_t next = nl == std::string::npos ? bytes.size() : nl + 1;
        std::string line = bytes.substr(pos, next - pos);
        if (line != "\n" && line != "\r\n") out += line;
        pos = next;
    }
    return out;
}

// The A functions go through the ANSI code page: only 932 keeps our bytes as they are.
#define REQUIRE_JAPANESE_CODE_PAGE() \
    if (GetACP() != 932) GTEST_SKIP() << "needs ANSI code page 932 (LANG=ja_JP.UTF-8 in Wine)"

struct Write {
    std::string section, key;
    std::optional<std::string> value;  // none deletes the key
};

struct Sequence {
    const char* what;
    std::optional<std::string> before;  // none: no file yet
    std::vector<Write> writes;
};

const char kSoraName[] = "\x83\x5c\x83\x89";  // "ソラ": trail byte 0x5C
const char kKittenName[] = "\x8e\x71\x94\x4c";  // "子猫"

const std::string kThreePets = std::string("[PetList]\r\nentry=3\r\nPetname0=default\r\n") +
                               "Petname1=" + kSoraName + "\r\nPetname2=Momo\r\n" +
                               "[NowPet]\r\nnumber=0\r\n[Kirimo]\r\nVer=Kirimo.exe\r\n";

TEST(ProfileReference, WriteSequencesLeaveTheSameFile) {
    REQUIRE_JAPANESE_CODE_PAGE();
    const std::vector<Sequence> sequences = {
        {"first run",
         std::nullopt,
         {{"PetList", "entry", "3"},
          {"PetList", "Petname0", "default"},
          {"PetList", "Petname1", kSoraName},
          {"PetList", "Petname2", "Momo"},
          {"NowPet", "number", "-1"},
          {"Kirimo", "Ver", "Kirimo.exe"}}},
        {"save after adopting, with a stale name left behind",
         std::string("[PetList]\r\nentry=3\r\nPetname0=default\r\nPetname1=") + kSoraName +
             "\r\nPetname2=Momo\r\nPetname4=old\r\n[NowPet]\r\nnumber=0\r\n",
         {{"PetList", "entry", "4"},
          {"PetList", "Petname0", "default"},
          {"PetList", "Petname1", kSoraName},
          {"PetList", "Petname2", "Momo"},
          {"PetList", "Petname3", kKittenName},
          {"PetList", "Petname4", std::nullopt},
          {"NowPet", "number", "3"}}},
        {"rename",
         kThreePets,
         {{"PetList", "entry", "3"},
          {"PetList", "Petname0", "default"},
          {"PetList", "Petname1", kKittenName},
          {"PetList", "Petname2", "Momo"},
          {"PetList", "Petname3", std::nullopt},
          {"NowPet", "number", "0"}}},
        {"discarding the last entry",
         "[PetList]\r\nentry=1\r\nPetname0=Momo\r\n[NowPet]\r\nnumber=0\r\n",
         {{"PetList", "entry", "0"},
          {"PetList", "Petname0", std::nullopt},
          {"NowPet", "number", "-1"}}},
        {"switch", kThreePets, {{"NowPet", "number", "2"}}},
        {"switch in a file without the section", "[PetList]\r\nentry=0\r\n",
         {{"NowPet", "number", "-1"}}},
    };
    ProfileFolder folder;
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.what);
        std::string file = folder.NewFile(sequence.before);
        Profile ours(sequence.before.value_or(""));
        for (const Write& w : sequence.writes) {
            WritePrivateProfileStringA(w.section.c_str(), w.key.c_str(),
                                       w.value ? w.value->c_str() : nullptr, file.c_str());
            ours.ProfileWriteText(w.section, w.key, w.value);
        }
        EXPECT_EQ(WithoutEmptyLines(ProfileFolder::Read(file)), WithoutEmptyLines(ours.Bytes()));
        for (const Write& w : sequence.writes) ExpectSameReading(file, ours, w.section, w.key);
    }
}

struct HandWritten {
    const char* what;
    std::string bytes;
    std::vector<std::pair<std::string, std::string>> queries;
};

TEST(ProfileReference, HandWrittenFilesReadTheSame) {
    REQUIRE_JAPANESE_CODE_PAGE();
    const std::vector<HandWritten> files = {
        {"odd case",
         "[petLIST]\r\nENTRY=2\r\nPetName0=default\r\n",
         {{"PetList", "entry"}, {"PETLIST", "petname0"}, {"PetList", "Petname1"}}},
        {"blanks",
         "  [PetList]  \r\n  entry \t=\t 2  \r\nPetname0 =  de fault\x1a\r\n\t\r\n",
         {{"PetList", "entry"}, {"PetList", "Petname0"}, {" PetList ", "\tPetname0 "}}},
        {"a header's name is trimmed",
         "[ S ]\r\na=1\r\n",
         {{"S", "a"}, {" S ", "a"}}},
        {"quotes",
         "[S]\r\na=\"x\"\r\nb='y'\r\nc=\"z'\r\nd=\"\r\ne=\"\"\"\"\r\nf= \" w \" \r\ng=''\r\n",
         {{"S", "a"}, {"S", "b"}, {"S", "c"}, {"S", "d"}, {"S", "e"}, {"S", "f"}, {"S", "g"}}},
        {"duplicate keys and keys without '='",
         "[S]\r\na=1\r\nA=2\r\nb\r\nb=3\r\nc=\r\n",
         {{"S", "a"}, {"S", "b"}, {"S", "c"}}},
        {"duplicate sections",
         "[S]\r\na=1\r\n[T]\r\nc=1\r\n[s]\r\na=2\r\nb=2\r\n",
         {{"S", "a"}, {"S", "b"}, {"T", "c"}}},
        {"LF only, no last ending",
         "[S]\na=1\n\nb=2",
         {{"S", "a"}, {"S", "b"}}},
        {"keys before any section, comments",
         "a=0\r\n;c=1\r\n[S]\r\n;c=2\r\n#d=3\r\n",
         {{"S", "a"}, {"S", ";c"}, {"S", "#d"}}},
        {"integers written by hand",
         "[S]\r\na= 12 \r\nb=-0x10\r\nc=\"7\"\r\nd=99999999999\r\ne=+\r\n",
         {{"S", "a"}, {"S", "b"}, {"S", "c"}, {"S", "d"}, {"S", "e"}}},
        {"names running to the last ']'",
         "[a]b]\r\nk=1\r\n[c] note\r\nk=2\r\n",
         {{"a]b", "k"}, {"a", "k"}, {"c", "k"}}},
        {"code page 932 names and values",
         std::string("[\x83\x5d]\r\n\x83\x41=") + kSoraName + "\r\n[a]\x83\x5d\r\nk=1\r\n" +
             "[S]\r\n[\x83\x5d=2\r\n",
         {{"\x83\x5d", "\x83\x41"}, {"\x83\x5d", "\x83\x61"}, {"a", "k"}, {"S", "[\x83\x5d"}}},
    };
    ProfileFolder folder;
    for (const HandWritten& f : files) {
        SCOPED_TRACE(f.what);
        std::string file = folder.NewFile(f.bytes);
        Profile ours(f.bytes);
        for (const auto& [section, key] : f.queries) ExpectSameReading(file, ours, section, key);
    }
}

}  // namespace
