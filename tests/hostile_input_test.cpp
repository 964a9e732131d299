// Names and settings files made to hurt, given to the real native program through the
// management window and the command line: each is refused or handled, the program ends
// with 0, no pet's data is lost and nothing outside the folder is touched.
#include <gtest/gtest.h>

#include <map>

#include "platform/platform.h"
#include "platform/posix/encoding.h"
#include "roster/roster.h"
#include "tests/support/folder_names.h"
#include "tests/support/posix/child_process.h"
#include "tests/support/posix/running_hosts.h"
#include "tests/support/settings_file.h"
#include "tests/support/stored.h"
#include "tests/support/test_folder.h"

namespace {

const std::string kSo = "\x83\x5c";  // "ソ": its trail byte is 0x5C

std::string Utf8(const std::string& cp932) { return encoding::Convert(cp932, "CP932", "UTF-8").value(); }

class HostileInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, kHostExe));
        folder_.Write(kLive, "A data");
        folder_.Write("B.kmc", "B data");
        folder_.Write(kIni, Settings{{"A", "B"}, 0}.Bytes());
        outside_ = Contents(parent_);
    }

    // Every file but the host and its log.
    static std::map<std::string, std::string> Contents(const TestFolder& folder) {
        std::map<std::string, std::string> contents = folder.Contents();
        contents.erase(kHostExe);
        contents.erase(kHostLog);
        return contents;
    }
    // The program's run must end with 0, keep every pet's data in the folder and leave the
    // folder around it alone.
    void ExpectNothingLost(const std::string& what) {
        std::multiset<std::string> held;
        for (const auto& entry : Contents(folder_)) held.insert(entry.second);
        EXPECT_TRUE(held.count("A data") && held.count("B data")) << what;
        EXPECT_EQ(Contents(parent_), outside_) << what;
    }
    std::string HostSaw() {
        auto log = WaitForFile(folder_, kHostLog);
        WaitForHostsToEnd();
        return log.value_or("<not started>");
    }

    // The folder in which the test's folder lies, so that a name that climbs out lands here.
    TestFolder parent_;
    TestFolder folder_{"", TestFolder::kInsideCurrent};
    std::map<std::string, std::string> outside_;
};

TEST_F(HostileInput, NamesThatCouldLeaveTheFolderOrHitADeviceAreRefused) {
    const std::string settings = folder_.Read(kIni).value();
    for (const std::string& typed : std::vector<std::string>{"..\\x", "../x", "a/b", "c:d", "..", ".", "CON", "nul.txt", "Com1", "lpt9", "a b", "a\xe3\x80\x80" "b",
          "Kirimo" + Utf8("\x90\xdd\x92\xe8"), "a?b", "a*b", "a|b", "a<b", "\xe2\x82\xac", "\xff\xfe", "x\x01y"}) {
        // Adopt, then rename A: neither takes the name.
        EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {}, "b\ntype " + typed + "\na\n1\ntype " + typed + "\nb\nd\nc\n"), 0);
        EXPECT_EQ(folder_.Read(kIni), settings) << typed;
        EXPECT_EQ(folder_.Read(kLive), "A data") << typed;
        ExpectNothingLost(typed);
    }
}

TEST_F(HostileInput, TheFieldTakesSixteenBytesAndNeverHalfACharacter) {
    const std::string eight = kSo + kSo + kSo + kSo + kSo + kSo + kSo + kSo;
    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {}, "b\ntype abcdefghijklmnopq\na\ntype " + Utf8(eight + kSo) + "\na\nd\nc\n"), 0);
    EXPECT_EQ(StoredRoster().names, (std::vector<std::string>{"A", "B", "abcdefghijklmnop", eight}));
    EXPECT_EQ(folder_.Read("A.kmc"), "A data");
    EXPECT_FALSE(folder_.Exists(kLive));
    ExpectNothingLost("long names");
}

TEST_F(HostileInput, ArgumentsThatNameNoPetOpenTheChooserAndTouchNothing) {
    const std::string settings = folder_.Read(kIni).value();
    for (const std::string& argument : std::vector<std::string>{"..\\B", "../B", "B.kmc", "B ", ""}) {
        EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {argument}), 0) << argument;
        EXPECT_EQ(folder_.Read(kIni), settings) << argument;
        EXPECT_EQ(folder_.Read(kLive), "A data") << argument;
        EXPECT_FALSE(folder_.Exists(kHostLog)) << argument;
        ExpectNothingLost(argument);
    }
}

TEST_F(HostileInput, ArgumentsCodePage932CannotSpellNameNoPet) {
    // "€" in UTF-8 is E2 82 AC, which code page 932 reads as "竄ｬ": a pet of that name must
    // not be taken for it.
    folder_.Write(kIni, Settings{{"A", "B", "\xe2\x82\xac"}, 0}.Bytes());
    folder_.Write("\xe2\x82\xac.kmc", "C data");
    const std::string settings = folder_.Read(kIni).value();
    for (const std::string& argument : std::vector<std::string>{"\xe2\x82\xac", "\xff", "B\xff"}) {
        // These very bytes, as a terminal may hand them over.
        EXPECT_EQ(ChildProcess(ZANDRY_PROGRAM, {argument}).Finish(), 0);
        EXPECT_EQ(folder_.Read(kIni), settings) << argument;
        EXPECT_EQ(folder_.Read(kLive), "A data") << argument;
    }
}

TEST_F(HostileInput, HandEditedNamesThatLeadOutOfTheFolderMoveNoFile) {
    parent_.Write("up.kmc", "not a pet of this folder");
    outside_ = Contents(parent_);
    folder_.Write(kIni, Settings{{"A", "..\\up", "CON"}, 0}.Bytes());
    for (const std::string argument : {"..\\up", "CON"}) {
        EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {argument}), 0);
        WaitForHostsToEnd();
        ExpectNothingLost(argument);
    }
    // A was put away under its own name; nothing was taken from or moved to "..\\up".
    EXPECT_EQ(folder_.Read("A.kmc"), "A data");
    EXPECT_FALSE(folder_.Exists(kLive));
}

TEST_F(HostileInput, SettingsValuesWithNulEqualsAndBareCarriageReturns) {
    // A NUL ends the value as a C caller reads it; "=" after the key's is part of the value.
    std::string ini = Settings{{"A", std::string("B\0junk", 6), "C=D"}, 0}.Bytes();
    folder_.Write(kIni, ini);
    folder_.Write("C=D.kmc", "C data");
    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {"B"}), 0);
    EXPECT_EQ(HostSaw(), "started: live file holds \"B data\"\n");
    EXPECT_EQ(folder_.Read("A.kmc"), "A data");
    ExpectNothingLost("NUL in a name");

    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {"C=D"}), 0);
    WaitForHostsToEnd();
    EXPECT_EQ(folder_.Read(kLive), "C data");
    EXPECT_EQ(folder_.Read("B.kmc"), "B data");
    ExpectNothingLost("= in a name");

    // Lines ended by CR alone are one line: no roster, so no name matches and nothing moves.
    std::string bare = Settings{{"A", "B"}, 0}.Bytes();
    for (size_t at; (at = bare.find("\r\n")) != std::string::npos;) bare.replace(at, 2, "\r");
    folder_.Write(kIni, bare);
    std::map<std::string, std::string> before = Contents(folder_);
    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {"A"}), 0);
    EXPECT_EQ(Contents(folder_), before);
}

TEST_F(HostileInput, InvalidCodePageNamesInTheSettingsFileLoseNoData) {
    // A lone lead byte and a lead byte before an invalid trail: no file can have these names.
    folder_.Write(kIni, Settings{{"A", "B", "\x83", "\x81\x7f"}, 0}.Bytes());
    for (const std::string pick : {"3", "4"}) {
        EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {}, pick + "\n\n"), 0);
        WaitForHostsToEnd();
        ExpectNothingLost("entry " + pick);
    }
    EXPECT_EQ(RunProgram(ZANDRY_PROGRAM, {}, "2\n\n"), 0);
    EXPECT_EQ(folder_.Read(kLive), "B data");
    ExpectNothingLost("back to B");
}

}  // namespace
