// Adopt, rename and discard on a real folder, driven through a plain list.
#include <gtest/gtest.h>

#include "platform/text.h"
#include "roster/rename_record.h"
#include "roster/roster.h"
#include "tests/support/faulty_platform.h"
#include "tests/support/folder_names.h"
#include "tests/support/stored.h"
#include "tests/support/test_folder.h"
#include "ui/framework/terminal/list_model.h"
#include "ui/pet_actions.h"

namespace {

// A window opened on the stored roster, one entry selected.
struct Window {
    ListModel names;
    PetManageState state{names};
    Window(ProfileStore& store, int selected) {
        FillPetList(state, store);
        names.Select(selected);
    }
};

ActionResult AdoptOrRename(bool adopt, Window& window, const std::string& name, ProfileStore& store,
                           Platform& platform) {
    return adopt ? AdoptPet(window.state, name, store, platform)
                 : RenamePet(window.state, name, store, platform);
}

class PetActions : public ::testing::Test {
protected:
    TestFolder folder;
    FaultyPlatform platform{SystemPlatform()};
    ProfileStore store = CurrentStore(platform);
    ListModel list;
    PetManageState state{list};

    // Opens the window on this roster.
    void Open(const std::vector<std::string>& names, int current) {
        StoreRoster(names, current);
        FillPetList(state, store);
    }
    std::set<std::string> Files() {
        std::set<std::string> names = folder.Names();
        names.erase(kIni);
        return names;
    }
};

TEST_F(PetActions, OpeningSelectsNothingAndKeepsTheStoredIndex) {
    Open({"A", "", "A"}, 7);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"A", "", "A"}));
    EXPECT_EQ(list.Selected(), -1);
    EXPECT_EQ(state.current, 7);
}

TEST_F(PetActions, AdoptMakesTheNewPetCurrentAndPutsTheLiveFileAway) {
    Open({"A", "B", "C"}, 1);
    folder.Write(kLive, "B data");
    ASSERT_TRUE(AdoptPet(state, "New", store, platform));
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"A", "B", "C", "New"}));
    EXPECT_EQ(list.Selected(), 3);
    EXPECT_EQ(state.current, 3);
    EXPECT_EQ(StoredSettings(), (Settings{list.Items(), 3}));
    EXPECT_EQ(Files(), std::set<std::string>{"B.kmc"});
    EXPECT_EQ(folder.Read("B.kmc"), "B data");
}

TEST_F(PetActions, AdoptWithNoCurrentPetMovesTheLiveFileToTheBareExtension) {
    Open({"A"}, -1);
    folder.Write(kLive, "orphan data");
    ASSERT_TRUE(AdoptPet(state, "New", store, platform));
    EXPECT_EQ(folder.Read(".kmc"), "orphan data");
}

TEST_F(PetActions, AdoptKeepsAPetFileThatIsAlreadyThere) {
    Open({"A"}, 0);
    folder.Write("Dropped.kmc", "dropped data");
    ASSERT_TRUE(AdoptPet(state, "Dropped", store, platform));
    EXPECT_EQ(folder.Read("Dropped.kmc"), "dropped data");
    EXPECT_EQ(StoredRoster().names, (std::vector<std::string>{"A", "Dropped"}));
}

TEST_F(PetActions, AdoptIsRefusedWhereAFolderHasThePetFilesName) {
    Open({"A"}, 0);
    folder.Write(kLive, "A data");
    folder.MakeFolder("Dir.kmc");
    EXPECT_FALSE(AdoptPet(state, "Dir", store, platform));
    EXPECT_EQ(list.Items(), std::vector<std::string>{"A"});
    EXPECT_EQ(StoredRoster().names, list.Items());
    EXPECT_EQ(Files(), (std::set<std::string>{kLive, "Dir.kmc"}));
    EXPECT_EQ(folder.Read(kLive), "A data");
}

TEST_F(PetActions, AdoptIsRefusedWhileTheLiveFileCannotBePutAway) {
    Open({"A", "B"}, 0);
    folder.Write(kLive, "A data");
    folder.Write("A.kmc", "stale A");
    EXPECT_FALSE(AdoptPet(state, "New", store, platform));
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(StoredSettings(), (Settings{list.Items(), 0}));
    EXPECT_EQ(Files(), (std::set<std::string>{kLive, "A.kmc"}));
    EXPECT_EQ(folder.Read(kLive), "A data");
}

TEST_F(PetActions, NamesAreRefusedSilently) {
    struct Case {
        const char* label;
        std::string name;
        bool adopt, rename;
    } cases[] = {
        {"empty", "", false, false},
        {"leading space", " x", false, false},
        {"inner space", "a b", false, false},
        {"full-width space", "a\x81\x40", false, false},
        {"trail 0x81 then 0x40 is no space", "\x82\x81\x40", true, true},
        {"same name", "Pochi", false, false},
        {"the selected's own name", "Momo", false, false},
        {"another's name in another case", "pochi", false, false},
        {"the selected's name in another case", "momo", false, true},
        {"backslash", "a\\b", false, false},
        {"slash", "a/b", false, false},
        {"colon", "c:x", false, false},
        {"dot dot", "..", false, false},
        {"device", "Com1", false, false},
        {"live file title", "kirimo\x90\xdd\x92\xe8", false, false},
        {"trail 0x5C is no separator", "\x83\x5c", true, true},
        {"no Windows file can have it", "a?b", false, false},
        {"control code", "a\x01", false, false},
        {"16 bytes", "\x83\x5c\x83\x5c\x83\x5c\x83\x5c\x83\x5c\x83\x5c\x83\x5c\x83\x5c", true, true},
        {"quoted: read back as another", "'Tama'", false, false},
        {"a quote inside", "it's", true, true},
    };
    // Wine's _mbsstr is a plain byte search, so there the full-width space is also found
    // across a character's trail byte; Windows' is not.
    const bool findsAcrossTrailBytes = text::Find("\x83\x5c", "\\") != std::string::npos;
    for (const Case& c : cases) {
        if (findsAcrossTrailBytes && c.name == "\x82\x81\x40") continue;
        for (bool adopt : {true, false}) {
            TestFolder fresh;
            FaultyPlatform files(SystemPlatform());
            ProfileStore own = CurrentStore(files);
            StoreRoster({"Pochi", "Momo"}, 0);
            Window window(own, 1);
            ActionResult result = AdoptOrRename(adopt, window, c.name, own, files);
            bool done = result.done;
            EXPECT_EQ(done, adopt ? c.adopt : c.rename) << c.label << (adopt ? " (adopt)" : " (rename)");
            EXPECT_FALSE(result.failure) << c.label;
            if (!done) {
                EXPECT_EQ(window.names.Items(), (std::vector<std::string>{"Pochi", "Momo"})) << c.label;
                EXPECT_EQ(StoredRoster().names, window.names.Items()) << c.label;
                EXPECT_EQ(fresh.Names(), std::set<std::string>{kIni}) << c.label;
            }
        }
    }
}

// Names under which a listed pet's data already lies: the old name of a rename whose files
// have not moved yet, and where the system has them, short aliases of other files.
TEST_F(PetActions, NamesThatReachAListedPetsFilesAreRefused) {
    StoreRoster({"PochiTaro", "Momo", "New"}, 1);
    Profile profile = StoredProfile();
    WriteRenameRecord(profile, {"Old", "New"});
    CurrentStore().Save(profile);
    folder.Write("Old.kmc", "New data");
    folder.Write("PochiTaro.kmc", "P data");
    folder.Write(kLive, "M data");
    const auto before = folder.Contents();
    std::vector<std::string> refused = {"Old", "old"};
    for (const std::string& file : {std::string("PochiTaro.kmc"), kLive})
        if (std::string alias = folder.ShortName(file); alias != file)
            refused.push_back(alias.substr(0, alias.size() - 4));
    for (const std::string& name : refused) {
        for (bool adopt : {true, false}) {
            Window window(store, 1);
            ActionResult result = AdoptOrRename(adopt, window, name, store, platform);
            EXPECT_FALSE(result.done || result.failure) << name << (adopt ? " (adopt)" : " (rename)");
            EXPECT_EQ(folder.Contents(), before) << name;
        }
    }
}

TEST_F(PetActions, RenameMovesBothFilesAndKeepsTheIndex) {
    Open({"Pochi", "Momo"}, 1);
    folder.Write("Pochi.kmc", "P data");
    folder.Write("Pochi.bak", "P backup");
    list.Select(0);
    ASSERT_TRUE(RenamePet(state, "pochi", store, platform));
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"pochi", "Momo"}));
    EXPECT_EQ(list.Selected(), -1);
    EXPECT_EQ(folder.Read("pochi.kmc"), "P data");
    EXPECT_EQ(folder.Read("pochi.bak"), "P backup");
    EXPECT_EQ(StoredSettings(), (Settings{list.Items(), 1}));
}

TEST_F(PetActions, RenameOfTheLivePetLeavesTheLiveFile) {
    Open({"A"}, 0);
    folder.Write(kLive, "A data");
    folder.Write("A.bak", "A backup");
    list.Select(0);
    ASSERT_TRUE(RenamePet(state, "Z", store, platform));
    EXPECT_EQ(Files(), (std::set<std::string>{kLive, "Z.bak"}));
    EXPECT_TRUE(AdoptPet(state, "A", store, platform)) << "the old name is free again";
}

TEST_F(PetActions, RenameNeverTakesOverFilesOfTheNewName) {
    Open({"Pochi", "Momo"}, 1);
    folder.Write("Pochi.kmc", "P data");
    folder.Write("Tama.kmc", "dropped in");
    folder.Write("Kuro.bak", "dropped in");
    for (const char* taken : {"Tama", "Kuro"}) {
        list.Select(0);
        EXPECT_FALSE(RenamePet(state, taken, store, platform)) << taken;
    }
    EXPECT_EQ(StoredRoster().names, (std::vector<std::string>{"Pochi", "Momo"}));
    EXPECT_EQ(Files(), (std::set<std::string>{"Pochi.kmc", "Tama.kmc", "Kuro.bak"}));
}

// A pet's file and backup move together with its roster entry, or none of them does.
TEST_F(PetActions, RenameThatCannotCompleteLeavesEverythingUnderTheOldName) {
    Open({"Pochi", "Momo"}, 1);
    folder.Write("Pochi.kmc", "P data");
    folder.Write("Pochi.bak", "P backup");
    // Every rename; only the backup's, once the file has moved; the roster's save.
    struct Failure {
        Call kind;
        int nth;  // 0: every call
    };
    for (Failure failing : {Failure{Call::Rename, 0}, Failure{Call::Rename, 2}, Failure{Call::Write, 0},
                            Failure{Call::Replace, 0}, Failure{Call::Read, 0}}) {
        platform.FailNth(failing.kind, failing.nth, false);
        list.Select(0);
        EXPECT_FALSE(RenamePet(state, "Tama", store, platform));
        platform.Heal(failing.kind);
        EXPECT_EQ(list.Items(), (std::vector<std::string>{"Pochi", "Momo"}));
        EXPECT_EQ(StoredRoster().names, list.Items());
        EXPECT_EQ(Files(), (std::set<std::string>{"Pochi.kmc", "Pochi.bak"}));
    }
}

TEST_F(PetActions, RenameWithoutSelectionDoesNothing) {
    Open({"A"}, 0);
    EXPECT_FALSE(RenamePet(state, "Z", store, platform));
    EXPECT_EQ(StoredRoster().names, std::vector<std::string>{"A"});
}

TEST_F(PetActions, DiscardKeepsTheCurrentIndexOnItsPet) {
    struct Case {
        int discard, currentBefore, currentAfter;
        std::vector<std::string> left;
    } cases[] = {
        {0, 2, 1, {"B", "C"}}, {2, 0, 0, {"A", "B"}}, {1, 1, -1, {"A", "C"}}, {2, 2, -1, {"A", "B"}},
    };
    for (const Case& c : cases) {
        TestFolder fresh;
        ProfileStore own = CurrentStore(platform);
        StoreRoster({"A", "B", "C"}, c.currentBefore);
        Window window(own, c.discard);
        ASSERT_TRUE(DiscardPet(window.state, own, platform, [] { return true; }));
        EXPECT_EQ(window.names.Items(), c.left);
        EXPECT_EQ(window.state.current, c.currentAfter);
        EXPECT_EQ(StoredSettings(), (Settings{c.left, c.currentAfter}));
        EXPECT_EQ(StoredProfile().ProfileReadText("PetList", "Petname2", "<absent>"), "<absent>");
    }
}

TEST_F(PetActions, DiscardDeletesThePetsFilesAndTheLiveFileOnlyWhenCurrent) {
    Open({"A", "B"}, 0);
    folder.Write(kLive, "A data");
    folder.Write("A.bak", "A backup");
    folder.Write("B.kmc", "B data");
    folder.Write("B.bak", "B backup");
    list.Select(1);
    ASSERT_TRUE(DiscardPet(state, store, platform, [] { return true; }));
    EXPECT_EQ(Files(), (std::set<std::string>{kLive, "A.bak"}));
    list.Select(0);
    ASSERT_TRUE(DiscardPet(state, store, platform, [] { return true; }));
    EXPECT_TRUE(Files().empty());
    EXPECT_EQ(StoredRoster().current, -1);
}

TEST_F(PetActions, DiscardAnsweredNoOrWithoutSelectionChangesNothing) {
    Open({"A"}, 0);
    folder.Write(kLive, "A data");
    bool asked = false;
    EXPECT_FALSE(DiscardPet(state, store, platform, [&] { return asked = true, true; }));
    EXPECT_FALSE(asked) << "nothing selected: no question";
    list.Select(0);
    EXPECT_FALSE(DiscardPet(state, store, platform, [] { return false; }));
    EXPECT_EQ(Files(), std::set<std::string>{kLive});
    EXPECT_EQ(StoredRoster().names, std::vector<std::string>{"A"});
}

// A settings file that cannot be read or replaced: the action does nothing at all, the
// live file stays where it was, and the window is told which file stood in the way.
TEST_F(PetActions, ActionsWhoseSettingsCannotBeReadOrSavedChangeNothing) {
    enum Action { Adopt, Rename, Discard };
    for (Action action : {Adopt, Rename, Discard}) {
        for (Call failing : {Call::Read, Call::Write, Call::Replace}) {
            TestFolder fresh;
            FaultyPlatform files(SystemPlatform());
            ProfileStore own = CurrentStore(files);
            StoreRoster({"A", "B", "C"}, 1);
            fresh.Write(kLive, "B data");
            fresh.Write("A.kmc", "A data");
            fresh.Write("A.bak", "A backup");
            const auto before = fresh.Contents();
            Window window(own, 0);
            files.Fail(failing);
            ActionResult result =
                action == Adopt    ? AdoptPet(window.state, "D", own, files)
                : action == Rename ? RenamePet(window.state, "Z", own, files)
                                   : DiscardPet(window.state, own, files, [] { return true; });
            std::string what = std::to_string(action) + " with call " + std::to_string(static_cast<int>(failing));
            EXPECT_FALSE(result.done) << what;
            EXPECT_EQ(result.failure.kind, failing == Call::Read ? Failure::Read : Failure::Write) << what;
            EXPECT_EQ(result.failure.file, own.ReadFailure().file) << what;
            EXPECT_EQ(window.names.Items(), (std::vector<std::string>{"A", "B", "C"})) << what;
            EXPECT_EQ(window.state.current, 1) << what;
            EXPECT_EQ(fresh.Contents(), before) << what;
        }
    }
}

// One failed read while the window fills must not become the roster: the window then
// refuses every action rather than save a list that is not the roster.
TEST_F(PetActions, AWindowThatCouldNotReadTheRosterSavesNothing) {
    StoreRoster({"A", "B"}, 1);
    const std::string before = *folder.Read(kIni);
    platform.FailNth(Call::Read, 1, false);
    FillPetList(state, store);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(AdoptPet(state, "New", store, platform));
    EXPECT_EQ(folder.Read(kIni), before);
}

// Names that differ only in letter case are one file name on Windows: a rename cannot make
// such twins, and no file step acts for twins a hand edit or the first run made, nor for an
// entry without a name.
TEST_F(PetActions, TwinsAndNamelessEntriesNeverHaveTheirFilesTouched) {
    Open({"A", "B", "C"}, 0);
    folder.Write(kLive, "A data");
    list.Select(2);
    EXPECT_FALSE(RenamePet(state, "a", store, platform));

    for (int discard : {1, 2}) {
        TestFolder fresh;
        StoreRoster({"A", "a", ""}, 1);
        fresh.Write(kLive, "a data");
        fresh.Write("A.kmc", "A data");
        fresh.Write("A.bak", "A backup");
        fresh.Write(".kmc", "nobody's data");
        auto before = fresh.Contents();
        before.erase(kIni);
        ProfileStore own = CurrentStore(platform);
        Window window(own, discard);
        ASSERT_TRUE(DiscardPet(window.state, own, platform, [] { return true; }));
        EXPECT_EQ(StoredRoster().names.size(), 2u);
        auto after = fresh.Contents();
        after.erase(kIni);
        EXPECT_EQ(after, before) << "discarding entry " << discard;
    }
}

}  // namespace
