// The roster operations over a real settings file in a test folder.
#include <gtest/gtest.h>

#include "roster/roster.h"
#include "tests/support/test_folder.h"

namespace {

const std::string kLiveTitle = "Kirimo\x90\xdd\x92\xe8";

class RosterTest : public ::testing::Test {
protected:
    TestFolder folder;
    ProfileStore store{SystemPlatform()};
    void SetUp() override { store.Bind(SystemPlatform().CurrentDirectory() + "\\Zandry.ini"); }
    std::string Text(const char* section, const char* key) {
        return store.ProfileReadText(section, key, "<absent>");
    }
};

TEST_F(RosterTest, DiscardingOneOfThreeClosesTheGap) {
    SaveRoster(store, {"A", "B", "C"}, 2);
    SaveRoster(store, {"A", "C"}, 1);
    EXPECT_EQ(Text("PetList", "entry"), "2");
    EXPECT_EQ(Text("PetList", "Petname0"), "A");
    EXPECT_EQ(Text("PetList", "Petname1"), "C");
    EXPECT_EQ(Text("PetList", "Petname2"), "<absent>");
    Roster roster = ReadRoster(store);
    EXPECT_EQ(roster.names, (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(roster.current, 1);
}

TEST_F(RosterTest, DiscardingTheOnlyPetLeavesAnEmptyRoster) {
    SaveRoster(store, {"A"}, 0);
    SaveRoster(store, {}, -1);
    EXPECT_EQ(Text("PetList", "entry"), "0");
    EXPECT_EQ(Text("PetList", "Petname0"), "<absent>");
    Roster roster = ReadRoster(store);
    EXPECT_TRUE(roster.names.empty());
    EXPECT_EQ(roster.current, -1);
    EXPECT_EQ(GetCurrentPetName(store), "");
}

TEST_F(RosterTest, MissingIndexMeansTheFirstPet) {
    folder.Write("Zandry.ini", "[PetList]\r\nentry=2\r\nPetname0=A\r\nPetname1=B\r\n");
    EXPECT_EQ(ReadRoster(store).current, 0);
    EXPECT_EQ(GetCurrentPetName(store), "A");
}

TEST_F(RosterTest, CountBoundsTheNames) {
    struct Case {
        const char* count;
        std::size_t names;
    } cases[] = {{"-5", 0}, {"0", 0}, {"1", 1}, {"3", 3}, {"junk", 0}, {"40000", 32767},
                 {"2147483647", 32767}};
    for (const Case& c : cases) {
        folder.Write("Zandry.ini", std::string("[PetList]\r\nentry=") + c.count +
                                       "\r\nPetname0=A\r\nPetname1=B\r\n");
        Roster roster = ReadRoster(store);
        ASSERT_EQ(roster.names.size(), c.names) << c.count;
        if (c.names >= 3) {
            EXPECT_EQ(roster.names[1], "B");
            EXPECT_EQ(roster.names[2], "") << "a missing name within the count reads empty";
        }
    }
}

TEST_F(RosterTest, IndexOutsideTheRosterNamesNoPetUnlessAKeyIsThere) {
    folder.Write("Zandry.ini",
                 "[PetList]\r\nentry=1\r\nPetname0=A\r\nPetname5=Stray\r\n[NowPet]\r\nnumber=5\r\n");
    EXPECT_EQ(GetCurrentPetName(store), "Stray");
    EXPECT_EQ(ReadRoster(store).names, std::vector<std::string>{"A"});
    store.ProfileWriteInt("NowPet", "number", 7);
    EXPECT_EQ(GetCurrentPetName(store), "");
}

TEST_F(RosterTest, InitialRosterTakesTheLiveFileAsDefault) {
    SaveInitialRoster(store, {"Momo", kLiveTitle, "\x83\x5c"}, "Kirimo.exe");
    Roster roster = ReadRoster(store);
    EXPECT_EQ(roster.names, (std::vector<std::string>{"Momo", "default", "\x83\x5c"}));
    EXPECT_EQ(roster.current, 1);
    EXPECT_EQ(GetHostExecutableName(store), "Kirimo.exe");
}

TEST_F(RosterTest, InitialRosterWithoutLiveFileHasNoCurrentPet) {
    // Only the exact title counts: one differing in letter case is an ordinary pet.
    SaveInitialRoster(store, {"kirimo\x90\xdd\x92\xe8", "Momo"}, "KirimoX.exe");
    Roster roster = ReadRoster(store);
    EXPECT_EQ(roster.names, (std::vector<std::string>{"kirimo\x90\xdd\x92\xe8", "Momo"}));
    EXPECT_EQ(roster.current, -1);
}

TEST_F(RosterTest, LongNamesAreCut) {
    SaveRoster(store, {std::string(5000, 'x')}, 0);
    EXPECT_EQ(GetPetName(store, 0), std::string(4095, 'x'));
}

TEST_F(RosterTest, OtherSectionsSurviveASave) {
    folder.Write("Zandry.ini", "[Kirimo]\r\nVer=Kirimo.exe\r\n[Mine]\r\nkeep=1\r\n");
    SaveRoster(store, {"A"}, 0);
    EXPECT_EQ(GetHostExecutableName(store), "Kirimo.exe");
    EXPECT_EQ(Text("Mine", "keep"), "1");
    EXPECT_EQ(ReadRoster(store).names, std::vector<std::string>{"A"});
}

}  // namespace
