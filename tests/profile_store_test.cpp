// The settings file's store: reading as the profile functions read, and replacing the file
// whole on both kinds of Windows, whatever call fails or wherever the process stops.
#include <gtest/gtest.h>

#include "platform/profile_store.h"
#include "tests/support/faulty_platform.h"
#include "tests/support/folder_names.h"
#include "tests/support/stored.h"
#include "tests/support/test_folder.h"

namespace {

TEST(Profile, IntegersParseAsGetPrivateProfileIntDoes) {
    struct Case {
        const char* value;
        int expected;
    } cases[] = {
        {"0", 0},     {"-1", -1}, {"  42", 42}, {"7abc", 7},  {"abc", 0}, {"0x1F", 31},
        {"-5", -5},   {"+3", 3},  {"2147483647", 2147483647}, {"2147483648", -2147483647 - 1},
        {"", -77},    {"\"\"", -77},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Profile(std::string("[S]\r\nk=") + c.value + "\r\n").ProfileReadInt("S", "k", -77), c.expected)
            << '"' << c.value << '"';
    EXPECT_EQ(Profile("[S]\r\n").ProfileReadInt("S", "missing", -77), -77);
}

TEST(Profile, TextsAreCutAndDefaulted) {
    Profile profile("[PetList]\r\nPetname0=" + std::string(5000, 'n') + "\r\nPetname1=\"quoted\"\r\n");
    EXPECT_EQ(profile.ProfileReadText("PetList", "Petname0"), std::string(4095, 'n'));
    EXPECT_EQ(profile.ProfileReadText("petlist", "PETNAME1"), "quoted");
    EXPECT_EQ(profile.ProfileReadText("PetList", "Petname3", "dflt"), "dflt");
    EXPECT_FALSE(profile.Changed());
    profile.ProfileWriteText("PetList", "Petname1", std::string("quoted"));
    EXPECT_TRUE(profile.Changed()) << "the quotes go";
}

class ProfileStoreTest : public ::testing::Test {
protected:
    TestFolder folder;
    FaultyPlatform platform{SystemPlatform()};
    ProfileStore store = CurrentStore(platform);
    bool Write(const char* key, const char* value) {
        Profile profile = store.Load().value();
        profile.ProfileWriteText("S", key, std::string(value));
        return store.Save(profile);
    }
};

TEST_F(ProfileStoreTest, SavesWholeAndOnlyWhatChanged) {
    EXPECT_EQ(store.Load()->Bytes(), "") << "no file reads as an empty one";
    ASSERT_TRUE(Write("k", "1"));
    EXPECT_EQ(folder.Read(kIni), "[S]\r\nk=1\r\n");
    EXPECT_EQ(folder.Names(), std::set<std::string>{kIni});
    std::size_t calls = platform.FileCalls().size();
    ASSERT_TRUE(Write("k", "1"));
    EXPECT_EQ(platform.FileCalls().size(), calls) << "nothing to write";

    folder.MakeReadOnly(kIni);
    EXPECT_FALSE(Write("k", "2"));
    EXPECT_EQ(folder.Read(kIni), "[S]\r\nk=1\r\n");
    EXPECT_EQ(folder.Names(), std::set<std::string>{kIni});
}

TEST_F(ProfileStoreTest, AFileThatCannotBeReadIsNoEmptyOne) {
    folder.MakeFolder(kIni);
    EXPECT_FALSE(store.Load().has_value());
    folder.Write(kIniNew, "[S]\r\nk=1\r\n");
    EXPECT_FALSE(store.Load().has_value()) << "the file there wins over the one beside it";
}

// A stop between the steps of a replacement leaves one of these; the next start finds the
// newest whole file.
TEST_F(ProfileStoreTest, RecoveryFindsTheNewestWholeFile) {
    struct Case {
        const char* what;
        std::optional<std::string> file, beside;
        std::string found;
    } cases[] = {
        {"stopped before the new file was whole", "old", "", "old"},
        {"stopped before the replacement", "old", "new", "old"},
        {"95 family: stopped after deleting the old file", std::nullopt, "new", "new"},
        {"first write stopped before the new file was whole", std::nullopt, "", ""},
    };
    for (const Case& c : cases) {
        TestFolder fresh;
        ProfileStore own = CurrentStore();
        if (c.file) fresh.Write(kIni, *c.file);
        if (c.beside) fresh.Write(kIniNew, *c.beside);
        EXPECT_EQ(own.Load()->Bytes(), c.found) << c.what << ", before recovery";
        EXPECT_FALSE(own.Recover()) << c.what;
        EXPECT_EQ(fresh.Names(), std::set<std::string>{kIni}) << c.what;
        EXPECT_EQ(fresh.Read(kIni), c.found) << c.what;
    }
}

// Killed at every call of a save, on both kinds of Windows: the old settings or the new.
TEST_F(ProfileStoreTest, AStopAtAnyCallLeavesTheOldFileOrTheNew) {
    for (bool oneStep : {true, false}) {
        for (long killAt = 1;; ++killAt) {
            TestFolder fresh;
            fresh.Write(kIni, "[S]\r\nk=old\r\n");
            FaultyPlatform dying(SystemPlatform());
            if (!oneStep) dying.WithoutOneStepReplace();
            ProfileStore own = CurrentStore(dying);
            Profile profile = own.Load().value();
            profile.ProfileWriteText("S", "k", std::string("new"));
            dying.KillAt(killAt);
            own.Save(profile);
            CurrentStore().Recover();
            std::string found = StoredProfile().ProfileReadText("S", "k");
            EXPECT_TRUE(found == "old" || found == "new") << "killed at call " << killAt << ": " << found;
            EXPECT_EQ(fresh.Names(), std::set<std::string>{kIni});
            if (!dying.Killed()) {
                EXPECT_EQ(found, "new");
                break;
            }
        }
    }
}

}  // namespace
