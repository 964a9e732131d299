// The roster operations over one look at a settings file.
#include <gtest/gtest.h>

#include "roster/rename_record.h"
#include "roster/roster.h"
#include "tests/support/folder_names.h"

namespace {

std::string Text(const Profile& profile, const char* section, const char* key) {
    return profile.ProfileReadText(section, key, "<absent>");
}

TEST(Roster, DiscardingOneOfThreeClosesTheGap) {
    Profile profile;
    SaveRoster(profile, {"A", "B", "C"}, 2);
    SaveRoster(profile, {"A", "C"}, 1);
    EXPECT_EQ(Text(profile, "PetList", "entry"), "2");
    EXPECT_EQ(Text(profile, "PetList", "Petname0"), "A");
    EXPECT_EQ(Text(profile, "PetList", "Petname1"), "C");
    EXPECT_EQ(Text(profile, "PetList", "Petname2"), "<absent>");
    Roster roster = ReadRoster(profile);
    EXPECT_EQ(roster.names, (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(roster.current, 1);
}

TEST(Roster, DiscardingTheOnlyPetLeavesAnEmptyRoster) {
    Profile profile;
    SaveRoster(profile, {"A"}, 0);
    SaveRoster(profile, {}, -1);
    EXPECT_EQ(Text(profile, "PetList", "entry"), "0");
    EXPECT_EQ(Text(profile, "PetList", "Petname0"), "<absent>");
    Roster roster = ReadRoster(profile);
    EXPECT_TRUE(roster.names.empty());
    EXPECT_EQ(roster.current, -1);
    EXPECT_EQ(GetCurrentPetName(profile), "");
}

TEST(Roster, MissingIndexMeansTheFirstPet) {
    Profile profile("[PetList]\r\nentry=2\r\nPetname0=A\r\nPetname1=B\r\n");
    EXPECT_EQ(ReadRoster(profile).current, 0);
    EXPECT_EQ(GetCurrentPetName(profile), "A");
}

TEST(Roster, CountBoundsTheNames) {
    struct Case {
        const char* count;
        std::size_t names;
    } cases[] = {{"-5", 0}, {"0", 0}, {"1", 1}, {"3", 3}, {"junk", 0}, {"40000", 32767},
                 {"2147483647", 32767}};
    for (const Case& c : cases) {
        Profile profile(std::string("[PetList]\r\nentry=") + c.count + "\r\nPetname0=A\r\nPetname1=B\r\n");
        Roster roster = ReadRoster(profile);
        ASSERT_EQ(roster.names.size(), c.names) << c.count;
        if (c.names >= 3) {
            EXPECT_EQ(roster.names[1], "B");
            EXPECT_EQ(roster.names[2], "") << "a missing name within the count reads empty";
        }
    }
}

TEST(Roster, IndexOutsideTheRosterNamesNoPetUnlessAKeyIsThere) {
    Profile profile("[PetList]\r\nentry=1\r\nPetname0=A\r\nPetname5=Stray\r\n[NowPet]\r\nnumber=5\r\n");
    EXPECT_EQ(GetCurrentPetName(profile), "Stray");
    EXPECT_EQ(ReadRoster(profile).names, std::vector<std::string>{"A"});
    WriteCurrentPetIndex(profile, 7);
    EXPECT_EQ(GetCurrentPetName(profile), "");
}

TEST(Roster, InitialRosterTakesOnlyTheLiveFilesExactTitleAsDefault) {
    Profile profile;
    SaveInitialRoster(profile, {"Momo", kLiveTitle, "\x83\x5c"}, "Kirimo.exe");
    Roster roster = ReadRoster(profile);
    EXPECT_EQ(roster.names, (std::vector<std::string>{"Momo", "default", "\x83\x5c"}));
    EXPECT_EQ(roster.current, 1);
    EXPECT_EQ(GetHostExecutableName(profile), "Kirimo.exe");

    Profile other;
    SaveInitialRoster(other, {"kirimo\x90\xdd\x92\xe8", "Momo"}, "KirimoX.exe");
    EXPECT_EQ(ReadRoster(other).names, (std::vector<std::string>{"kirimo\x90\xdd\x92\xe8", "Momo"}));
    EXPECT_EQ(ReadRoster(other).current, -1);
}

TEST(Roster, LongNamesAreCut) {
    Profile profile;
    SaveRoster(profile, {std::string(5000, 'x')}, 0);
    EXPECT_EQ(GetPetName(profile, 0), std::string(4095, 'x'));
}

TEST(Roster, OtherSectionsSurviveASaveAndARenameRecordComesAndGoes) {
    Profile profile("[Kirimo]\r\nVer=Kirimo.exe\r\n[Mine]\r\nkeep=1\r\n");
    SaveRoster(profile, {"A"}, 0);
    WriteRenameRecord(profile, {"A", "B"});
    EXPECT_EQ(GetHostExecutableName(profile), "Kirimo.exe");
    EXPECT_EQ(Text(profile, "Mine", "keep"), "1");
    EXPECT_EQ(ReadRoster(profile).names, std::vector<std::string>{"A"});
    EXPECT_EQ(ReadRenameRecord(profile).to, "B");
    WriteRenameRecord(profile, {});
    EXPECT_EQ(ReadRenameRecord(profile).from, "");
    EXPECT_EQ(profile.Bytes().find("from="), std::string::npos);
}

// The roster is read in one walk over its section; hand-edited files must read as though
// each name were looked up on its own.
TEST(Roster, OneWalkReadsEachNameAsItsOwnLookUpDoes) {
    const char* files[] = {
        "[PetList]\r\nentry=6\r\nPetname1=first\r\nPETNAME1=second\r\npetname0=lower\r\n"
        "Petname05=padded\r\nPetname2\r\n Petname3 = spaced \r\nPetname4=\"quoted\"\r\n",
        "[PetList]\r\nentry=3\r\nPetname0=A\r\n[Other]\r\nPetname1=elsewhere\r\n"
        "[petlist]\r\nPetname1=second section\r\nPetname2=C",
        "Petname0=before any section\r\n[PetList]\r\nentry=2\r\n;Petname0=comment\r\n"
        "Petname1=\x83\x5c\r\nPetname10=past the count\r\nPetname=none\r\n",
    };
    for (const char* file : files) {
        Profile profile(file);
        Roster roster = ReadRoster(profile);
        ASSERT_EQ(static_cast<int>(roster.names.size()), ReadPetCount(profile)) << file;
        for (int i = 0; i < ReadPetCount(profile); ++i)
            EXPECT_EQ(roster.names[static_cast<std::size_t>(i)], GetPetName(profile, i)) << file << " #" << i;
    }
}

}  // namespace
