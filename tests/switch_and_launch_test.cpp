// The switch on a real folder: its order, its outcome, and what each failure leaves behind.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "roster/roster.h"
#include "roster/switch_and_launch.h"
#include "tests/support/faulty_platform.h"
#include "tests/support/folder_names.h"
#include "tests/support/pet_data.h"
#include "tests/support/stored.h"
#include "tests/support/test_folder.h"

namespace {

class SwitchTest : public ::testing::Test {
protected:
    TestFolder folder;
    FaultyPlatform platform{SystemPlatform()};
    ProfileStore store = CurrentStore(platform);
    const std::string here = SystemPlatform().CurrentDirectory() + "\\";
    const std::string ini = here + kIni, host = here + kHostExe;

    void SetUp() override { ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, kHostExe)); }
    bool restore = false;  // the answer to a restore from the backup
    int asked = 0;
    // Roster A, B with A live: the folder of the worked example.
    void WorkedExample() {
        StoreRoster({"A", "B"}, 0);
        folder.Write(kLive, "A data");
        folder.Write("B.kmc", "B data");
        folder.Write("B.bak", "older B");
        folder.Write(kOld, "old settings");
    }
    std::set<std::string> PetFiles() {
        std::set<std::string> names = folder.Names();
        names.erase(kIni);
        names.erase(kHostExe);
        names.erase(kHostLog);
        return names;
    }
    // The switch over the settings file as it now stands, as a run reads it.
    Failure Switch(int index, const std::string& hostPath) {
        Profile profile = store.Load().value_or(Profile());
        return SwitchAndLaunch(platform, store, profile, ReadSwitchEntries(profile, index), hostPath, [this](const std::string&) {
            ++asked;
            return restore;
        });
    }
    std::string HostSaw() { return WaitForFile(folder, kHostLog).value_or("<no start>"); }
};

TEST_F(SwitchTest, WorkedExampleRunsEveryStepInOrder) {
    WorkedExample();
    Switch(1, host);

    EXPECT_EQ(PetFiles(), (std::set<std::string>{"A.kmc", kLive, "B.bak"}));
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
    EXPECT_EQ(folder.Read(kLive), "B data");
    EXPECT_EQ(folder.Read("B.bak"), "B data");
    EXPECT_EQ(StoredRoster().current, 1);
    EXPECT_EQ(HostSaw(), "started: live file holds \"B data\"\n");
    // The live file is put away before the record, and the record lands before B comes in.
    EXPECT_EQ(platform.FileCalls(), (std::vector<std::string>{
                                        "rename " + kLive + " > A.kmc", "write " + ini + ".new",
                                        "replace " + ini + ".new > " + ini, "copy B.kmc > B.bak",
                                        "rename B.kmc > " + kLive, "remove " + kOld, "start " + host}));
}

TEST_F(SwitchTest, SwitchingToTheCurrentPetRefreshesItsBackup) {
    WorkedExample();
    Switch(0, host);
    EXPECT_EQ(folder.Read(kLive), "A data");
    EXPECT_EQ(folder.Read("A.bak"), "A data");
    EXPECT_EQ(folder.Read("B.kmc"), "B data");
    EXPECT_FALSE(folder.Exists("A.kmc"));
}

TEST_F(SwitchTest, NoLivePetMovesTheLiveFileToTheBareExtension) {
    WorkedExample();
    StoreRoster({"A", "B"}, -1);
    Switch(1, host);
    EXPECT_EQ(folder.Read(".kmc"), "A data");
    EXPECT_EQ(folder.Read(kLive), "B data");
}

// A switch that cannot be made starts nothing, names what stood in the way, and leaves
// each pet's data with the pet the settings file names: a stale A.kmc keeps A current (were
// B recorded, a discard of B would delete A's data); an unrecorded switch puts the live file
// back; a B.kmc that will not come in stays B's, recorded current. A B whose backup is all
// that is left of it comes back from it only when the user says so, and a host started
// meanwhile stops the switch before it begins.
TEST_F(SwitchTest, ASwitchThatCannotBeMadeStartsNothingAndSaysWhy) {
    struct Case {
        const char* what;
        std::function<void()> harm;
        Failure::Kind kind;
        std::string file, to;
        std::map<std::string, std::string> after;
        int current;
        int asked = 0;
    } cases[] = {
        {"stale A.kmc", [this] { folder.Write("A.kmc", "stale A"); }, Failure::Rename, kLive, "A.kmc",
         {{"A.kmc", "stale A"}, {kLive, "A data"}, {"B.kmc", "B data"}, {"B.bak", "older B"}, {kOld, "old settings"}}, 0},
        {"unwritable settings", [this] { platform.Fail(Call::Replace); }, Failure::Write, "<ini>", "",
         {{kLive, "A data"}, {"B.kmc", "B data"}, {"B.bak", "older B"}, {kOld, "old settings"}}, 0},
        {"B.kmc held", [this] { platform.FailNth(Call::Rename, 2, false); }, Failure::Rename, "B.kmc",
         kLive, {{"A.kmc", "A data"}, {"B.kmc", "B data"}, {"B.bak", "B data"}, {kOld, "old settings"}}, 1},
        {"B.kmc gone, brought back", [this] { SystemPlatform().RemoveFile("B.kmc"), restore = true; },
         Failure::Start, "<host>", "", {{"A.kmc", "A data"}, {kLive, "older B"}, {"B.bak", "older B"}}, 1, 1},
        {"B.kmc gone, left so", [this] { SystemPlatform().RemoveFile("B.kmc"), restore = false; }, Failure::None,
         "", "", {{kLive, "A data"}, {"B.bak", "older B"}, {kOld, "old settings"}}, 0, 1},
        {"the host started meanwhile", [this] { platform.HostRunsFrom(1); }, Failure::HostRunning, "<host>", "",
         {{kLive, "A data"}, {"B.kmc", "B data"}, {"B.bak", "older B"}, {kOld, "old settings"}}, 0},
    };
    platform.Fail(Call::Start);
    for (const Case& c : cases) {
        for (const std::string& name : folder.Names())
            if (name != kHostExe) SystemPlatform().RemoveFile(name);
        WorkedExample();
        c.harm();
        asked = 0;
        Failure failure = Switch(1, host);
        platform.Heal(Call::Rename);
        platform.Heal(Call::Replace);
        EXPECT_EQ(failure.kind, c.kind) << c.what;
        EXPECT_EQ(failure.file, c.file == "<ini>" ? ini : c.file == "<host>" ? host : c.file) << c.what;
        EXPECT_EQ(asked, c.asked) << c.what;
        EXPECT_EQ(failure.to, c.to) << c.what;
        std::map<std::string, std::string> after = folder.Contents();
        after.erase(kIni);
        after.erase(kHostExe);
        EXPECT_EQ(after, c.after) << c.what;  // the host was not started: it writes its log
        EXPECT_EQ(StoredRoster().current, c.current) << c.what;
    }
}

// A pet adopted and never launched has no file: the host starts it anew, and that is no
// failure. A host that will not start is one, after the switch was made.
TEST_F(SwitchTest, APetWithoutFileIsNoFailureButAHostThatWillNotStartIs) {
    StoreRoster({"A", "New"}, 0);
    folder.Write(kLive, "A data");
    EXPECT_FALSE(Switch(1, host));
    EXPECT_EQ(asked, 0) << "nothing to bring back";
    EXPECT_EQ(PetFiles(), std::set<std::string>{"A.kmc"});
    EXPECT_EQ(HostSaw(), "started: no live file\n");

    const std::string gone = SystemPlatform().CurrentDirectory() + "\\Gone.exe";
    Failure failure = Switch(0, gone);
    EXPECT_EQ(failure.kind, Failure::Start);
    EXPECT_EQ(failure.file, gone);
    EXPECT_EQ(folder.Read(kLive), "A data");
}

TEST_F(SwitchTest, NamesThatLeaveTheFolderAreNeverTouched) {
    folder.Write(kIni,
                 "[PetList]\r\nentry=2\r\nPetname0=..\\up\r\nPetname1=CON\r\n[NowPet]\r\nnumber=0\r\n");
    folder.Write(kLive, "live data");
    Switch(1, host);
    EXPECT_EQ(folder.Read(kLive), "live data");
    for (const std::string& call : platform.FileCalls()) {
        EXPECT_EQ(call.find("up.kmc"), std::string::npos) << call;
        EXPECT_EQ(call.find("CON."), std::string::npos) << call;
    }
}

// Whatever call fails, once or from then on, the settings file names the pet whose data is
// live and every pet's data lies under its own name.
TEST_F(SwitchTest, EveryPetsDataStaysWithItsNameWhateverFails) {
    struct Fault {
        Call kind;
        int nth;  // 0: every call
    };
    const Fault faults[] = {{Call::Read, 0},   {Call::Write, 0},  {Call::Replace, 0}, {Call::Rename, 0},
                            {Call::Rename, 1}, {Call::Rename, 2}, {Call::Stat, 0},    {Call::Copy, 0},
                            {Call::Remove, 0}};
    for (bool staleFile : {false, true}) {
        for (const Fault& fault : faults) {
            TestFolder inner;
            StoreRoster({"A", "B", "C"}, 0);
            inner.Write(kLive, "A data");
            inner.Write("B.kmc", "B data");
            inner.Write("C.kmc", "C data");
            if (staleFile) inner.Write("A.kmc", "stale A");
            FaultyPlatform faulty(SystemPlatform());
            ProfileStore innerStore = CurrentStore(faulty);
            faulty.FailNth(fault.kind, fault.nth, false);
            if (std::optional<Profile> profile = innerStore.Load()) SwitchAndLaunch(faulty, innerStore, *profile, ReadSwitchEntries(*profile, 2), "", {});
            CurrentStore().Recover();
            std::map<std::string, std::string> owners = {{"A data", "A"}, {"B data", "B"}, {"C data", "C"}};
            if (staleFile) owners["stale A"] = "A";
            EXPECT_EQ(CheckPetData(inner.Contents(), owners, StoredRoster()), "")
                << "call kind " << static_cast<int>(fault.kind) << " #" << fault.nth << (staleFile ? ", stale A.kmc" : "");
        }
    }
}

}  // namespace
