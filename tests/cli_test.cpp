// The real program started as a user starts it, in fresh folders: what it leaves behind
// and what the stand-in host found when it started.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "platform/platform.h"
#include "tests/support/folder_names.h"
#include "tests/support/settings_file.h"
#include "tests/support/test_folder.h"

namespace {

const std::string kSoHyo = "\x83\x5c\x95\x5c";  // "ソ表": both trail bytes are 0x5C

void AddHost() { ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, kHostExe)); }

int Zandry(const std::vector<std::string>& arguments) { return RunProgram(ZANDRY_PROGRAM, arguments); }

struct FolderCase {
    const char* label;
    std::string folderSuffix;
    std::string incoming;
    std::string innerFolderSuffix = "";  // a folder inside the first one, when set
};

std::string Repeat(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.label; }

class CommandLine : public ::testing::TestWithParam<FolderCase> {};

TEST_P(CommandLine, WorkedExampleEndsAsExpected) {
    const FolderCase& c = GetParam();
    TestFolder outer(c.folderSuffix);
    std::optional<TestFolder> inner;
    if (!c.innerFolderSuffix.empty()) inner.emplace(c.innerFolderSuffix, TestFolder::kInsideCurrent);
    const TestFolder& folder = inner ? *inner : outer;
    AddHost();
    folder.Write(kIni, Settings{{"A", c.incoming}, 0}.Bytes());
    folder.Write(kLive, "A data");
    folder.Write(c.incoming + ".kmc", "B data");
    folder.Write(c.incoming + ".bak", "older B");
    folder.Write(kOld, "old");

    EXPECT_EQ(Zandry({c.incoming}), 0);

    EXPECT_EQ(WaitForFile(folder, kHostLog), "started: live file holds \"B data\"\n");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"A.kmc", kLive, c.incoming + ".bak", kHostExe,
                                                     kIni, kHostLog}));
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
    EXPECT_EQ(folder.Read(c.incoming + ".bak"), "B data");
    EXPECT_EQ(folder.Read(kIni), (Settings{{"A", c.incoming}, 1}.Bytes()));
}

INSTANTIATE_TEST_SUITE_P(Folders, CommandLine,
                         ::testing::Values(FolderCase{"plain", "", "B"},
                                           FolderCase{"blank", " with blank", "B"},
                                           FolderCase{"cp932", "", kSoHyo},
                                           FolderCase{"cp932folder", " " + kSoHyo, kSoHyo},
                                           // 130 double-byte characters, over 260 bytes; in two
                                           // names, as Linux keeps a name to 255 bytes of UTF-8.
                                           FolderCase{"longcp932folder", " " + Repeat(kSoHyo, 30), "B",
                                                      " " + Repeat(kSoHyo, 35)}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(CommandLineMisses, UnknownNameAndNoArgumentTouchNothing) {
    TestFolder folder;
    AddHost();
    const std::string ini = Settings{{"A", "B"}, 0}.Bytes();
    folder.Write(kIni, ini);
    folder.Write(kLive, "A data");
    EXPECT_EQ(Zandry({"Nobody"}), 0);
    EXPECT_EQ(Zandry({}), 0);
    EXPECT_EQ(folder.Read(kIni), ini);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{kLive, kHostExe, kIni}));
}

// Settings files a user or a broken disk might leave: the run ends with exit code 0, and no
// pet's data leaves the folder or is lost.
TEST(BadInput, HostileSettingsFilesAreSurvived) {
    std::mt19937 random(20261207);
    std::vector<std::string> files = {
        "no sections at all\r\nentry=3\r\nPetname0=A\r\n",
        "[PetList]\r\nentry=1\r\nPetname0=" + std::string(5000, 'n') + "\r\n",
        "[PetList]\r\nentry=2\r\nPetname0=A\x82\r\nPetname1=\x83\r\n[NowPet]\r\nnumber=1\r\n",
        "[PetList]\r\nentry=-5\r\nPetname0=A\r\n",
        "[PetList]\r\nentry=2147483647\r\nPetname0=A\r\n",
        "[PetList]\r\nentry=2\r\nPetname0=..\\..\\escape\r\nPetname1=/tmp/x\r\n[NowPet]\r\nnumber=0\r\n",
    };
    for (int i = 0; i < 4; ++i) {
        std::string noise(512, '\0');
        for (char& c : noise) c = static_cast<char>(random());
        files.push_back(noise);
    }
    for (const std::string& ini : files) {
        TestFolder outer;
        outer.Write("outside.kmc", "outside data");
        {
            // The working folder lies inside `outer`, so a file written or moved out of it shows.
            TestFolder folder("", TestFolder::kInsideCurrent);
            AddHost();
            folder.Write(kIni, ini);
            folder.Write(kLive, "live data");
            folder.Write("A.kmc", "A data");
            for (const char* argument : {"A", "-", "nobody"}) EXPECT_EQ(Zandry({argument}), 0);
            std::string everything;
            for (const std::string& name : folder.Names()) everything += *folder.Read(name);
            EXPECT_NE(everything.find("live data"), std::string::npos);
            EXPECT_NE(everything.find("A data"), std::string::npos);
        }
        EXPECT_EQ(outer.Names(), std::set<std::string>{"outside.kmc"});
        EXPECT_EQ(outer.Read("outside.kmc"), "outside data");
    }
}

}  // namespace
