// The switch on a real folder: its order, its outcome, and what each failure leaves behind.
#include <gtest/gtest.h>

#include "roster/roster.h"
#include "roster/switch_and_launch.h"
#include "tests/support/faulty_platform.h"
#include "tests/support/test_folder.h"

namespace {

const std::string kLive = "Kirimo\x90\xdd\x92\xe8.kmc";
const std::string kOld = "\x82\xde\x82\xa9\x82\xb5\x82\xcc" + kLive;

class SwitchTest : public ::testing::Test {
protected:
    TestFolder folder;
    FaultyPlatform platform{SystemPlatform()};
    ProfileStore store{platform};
    std::string host;

    void SetUp() override {
        std::string here = SystemPlatform().CurrentDirectory();
        store.Bind(here + "\\Zandry.ini");
        host = here + "\\Kirimo.exe";
        ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, "Kirimo.exe"));
    }
    // Roster A, B with A live: the folder of the worked example.
    void WorkedExample() {
        SaveRoster(store, {"A", "B"}, 0);
        folder.Write(kLive, "A data");
        folder.Write("B.kmc", "B data");
        folder.Write("B.bak", "older B");
        folder.Write(kOld, "old settings");
    }
    std::set<std::string> PetFiles() {
        std::set<std::string> names = folder.Names();
        names.erase("Zandry.ini");
        names.erase("Kirimo.exe");
        names.erase("standin-host.log");
        return names;
    }
    std::string HostSaw() { return WaitForFile(folder, "standin-host.log").value_or("<no start>"); }
};

TEST_F(SwitchTest, WorkedExampleRunsEveryStepInOrder) {
    WorkedExample();
    SwitchAndLaunch(platform, store, 1, host);

    EXPECT_EQ(PetFiles(), (std::set<std::string>{"A.kmc", kLive, "B.bak"}));
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
    EXPECT_EQ(folder.Read(kLive), "B data");
    EXPECT_EQ(folder.Read("B.bak"), "B data");
    EXPECT_EQ(ReadRoster(store).current, 1);
    EXPECT_EQ(HostSaw(), "started: live file holds \"B data\"\n");
    std::vector<std::string> calls = platform.FileCalls();
    calls.erase(calls.begin(), calls.begin() + 5);  // the roster's own set-up
    EXPECT_EQ(calls, (std::vector<std::string>{
                         "write NowPet/number=1", "rename " + kLive + " > A.kmc",
                         "copy B.kmc > B.bak", "rename B.kmc > " + kLive, "remove " + kOld,
                         "start " + host}));
}

TEST_F(SwitchTest, SwitchingToTheCurrentPetRefreshesItsBackup) {
    WorkedExample();
    SwitchAndLaunch(platform, store, 0, host);
    EXPECT_EQ(folder.Read(kLive), "A data");
    EXPECT_EQ(folder.Read("A.bak"), "A data");
    EXPECT_EQ(folder.Read("B.kmc"), "B data");
    EXPECT_FALSE(folder.Exists("A.kmc"));
}

TEST_F(SwitchTest, NoLivePetMovesTheLiveFileToTheBareExtension) {
    WorkedExample();
    store.ProfileWriteInt("NowPet", "number", -1);
    SwitchAndLaunch(platform, store, 1, host);
    EXPECT_EQ(folder.Read(".kmc"), "A data");
    EXPECT_EQ(folder.Read(kLive), "B data");
}

// The live file still holds A's data, so A stays current: were B recorded, a discard of B
// would delete A's data.
TEST_F(SwitchTest, StaleOutgoingPetFileStopsBothMovesAndKeepsTheOutgoingPetCurrent) {
    WorkedExample();
    folder.Write("A.kmc", "stale A");
    SwitchAndLaunch(platform, store, 1, host);
    EXPECT_EQ(folder.Read("A.kmc"), "stale A");
    EXPECT_EQ(folder.Read(kLive), "A data");
    EXPECT_EQ(folder.Read("B.kmc"), "B data");
    EXPECT_EQ(folder.Read("B.bak"), "B data");
    EXPECT_EQ(ReadRoster(store).current, 0);
    EXPECT_EQ(HostSaw(), "started: live file holds \"A data\"\n");
}

TEST_F(SwitchTest, UnrecordedSwitchMovesNoFile) {
    WorkedExample();
    platform.Fail(Call::Write);
    SwitchAndLaunch(platform, store, 1, host);
    EXPECT_EQ(PetFiles(), (std::set<std::string>{kLive, "B.kmc", "B.bak"}));
    EXPECT_EQ(folder.Read(kLive), "A data");
    EXPECT_EQ(folder.Read("B.bak"), "older B");
    EXPECT_EQ(ReadRoster(store).current, 0);
    EXPECT_EQ(HostSaw(), "started: live file holds \"A data\"\n");
}

TEST_F(SwitchTest, IncomingPetWithoutFileStartsTheHostWithoutLiveFile) {
    SaveRoster(store, {"A", "New"}, 0);
    folder.Write(kLive, "A data");
    SwitchAndLaunch(platform, store, 1, host);
    EXPECT_EQ(PetFiles(), std::set<std::string>{"A.kmc"});
    EXPECT_EQ(HostSaw(), "started: no live file\n");
}

TEST_F(SwitchTest, EmptyHostNameStartsNothingAndChangesNothingElse) {
    WorkedExample();
    SwitchAndLaunch(platform, store, 1, SystemPlatform().CurrentDirectory() + "\\");
    EXPECT_EQ(folder.Read(kLive), "B data");
    EXPECT_FALSE(folder.Exists("standin-host.log"));
}

TEST_F(SwitchTest, NamesThatLeaveTheFolderAreNeverTouched) {
    folder.Write("Zandry.ini",
                 "[PetList]\r\nentry=2\r\nPetname0=..\\up\r\nPetname1=CON\r\n[NowPet]\r\nnumber=0\r\n");
    folder.Write(kLive, "live data");
    SwitchAndLaunch(platform, store, 1, host);
    EXPECT_EQ(folder.Read(kLive), "live data");
    for (const std::string& call : platform.FileCalls()) {
        EXPECT_EQ(call.find("up.kmc"), std::string::npos) << call;
        EXPECT_EQ(call.find("CON."), std::string::npos) << call;
    }
}

// Whatever single kind of call fails, every pet's data is still in some file.
TEST_F(SwitchTest, NoSingleFailingCallLosesData) {
    for (Call kind : {Call::Rename, Call::Copy, Call::Remove, Call::Start, Call::Write, Call::Read}) {
        TestFolder inner;
        FaultyPlatform faulty(SystemPlatform());
        ProfileStore innerStore(faulty);
        innerStore.Bind(SystemPlatform().CurrentDirectory() + "\\Zandry.ini");
        SaveRoster(innerStore, {"A", "B", "C"}, 0);
        inner.Write(kLive, "A data");
        inner.Write("B.kmc", "B data");
        inner.Write("C.kmc", "C data");
        faulty.Fail(kind);
        SwitchAndLaunch(faulty, innerStore, 2, "");
        std::string everything;
        for (const std::string& name : inner.Names()) everything += *inner.Read(name) + "|";
        for (const char* data : {"A data", "B data", "C data"})
            EXPECT_NE(everything.find(data), std::string::npos)
                << data << " lost when call kind " << static_cast<int>(kind) << " fails";
    }
}

}  // namespace
