// One set of expectations for every platform layer: compiled for the POSIX layer natively
// and for the Win32 layer under Wine, so both give the core the same file semantics.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/platform.h"
#include "tests/support/test_folder.h"

namespace {

// "ソ" and "表": double-byte characters whose trail byte is 0x5C, the value of "\".
const std::string kSo = "\x83\x5c";
const std::string kHyo = "\x95\x5c";

// Wine run by root lets a read-only file be written, as Unix lets root; Windows, Wine run
// by anyone else and the POSIX layer refuse.
bool WritesReadOnlyFiles([[maybe_unused]] const std::string& name) {
#ifdef _WIN32
    if (std::FILE* file = std::fopen(name.c_str(), "r+b")) {
        std::fclose(file);
        return true;
    }
#endif
    return false;
}

class PlatformContract : public ::testing::Test {
protected:
    TestFolder folder;
    Platform& platform = SystemPlatform();
};

TEST_F(PlatformContract, RenameMovesAndNeverReplaces) {
    folder.Write("a.kmc", "A");
    EXPECT_TRUE(platform.RenameFile("a.kmc", "b.kmc"));
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"b.kmc"}));
    EXPECT_EQ(folder.Read("b.kmc"), "A");

    folder.Write("c.kmc", "C");
    EXPECT_FALSE(platform.RenameFile("b.kmc", "c.kmc"));
    EXPECT_EQ(folder.Read("b.kmc"), "A");
    EXPECT_EQ(folder.Read("c.kmc"), "C");

    EXPECT_FALSE(platform.RenameFile("missing.kmc", "d.kmc"));
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"b.kmc", "c.kmc"}));
}

TEST_F(PlatformContract, RemoveDeletesOnlyWhatItMay) {
    folder.Write("a.bak", "A");
    EXPECT_TRUE(platform.RemoveFile("a.bak"));
    EXPECT_FALSE(folder.Exists("a.bak"));
    EXPECT_FALSE(platform.RemoveFile("a.bak"));

    folder.Write("locked.bak", "L");
    folder.MakeReadOnly("locked.bak");
    EXPECT_FALSE(platform.RemoveFile("locked.bak"));
    EXPECT_EQ(folder.Read("locked.bak"), "L");
}

TEST_F(PlatformContract, CopyReplacesTargetAndNeedsASource) {
    folder.Write("b.kmc", "new");
    folder.Write("b.bak", "old");
    EXPECT_TRUE(platform.CopyFileReplacing("b.kmc", "b.bak"));
    EXPECT_EQ(folder.Read("b.bak"), "new");
    EXPECT_EQ(folder.Read("b.kmc"), "new");

    EXPECT_FALSE(platform.CopyFileReplacing("missing.kmc", "b.bak"));
    EXPECT_EQ(folder.Read("b.bak"), "new");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"b.bak", "b.kmc"}));
}

TEST_F(PlatformContract, CopyNeverReplacesAReadOnlyTarget) {
    folder.Write("b.kmc", "new");
    folder.Write("b.bak", "old");
    folder.MakeReadOnly("b.bak");
    if (WritesReadOnlyFiles("b.bak")) GTEST_SKIP() << "Wine run by root writes read-only files";
    EXPECT_FALSE(platform.CopyFileReplacing("b.kmc", "b.bak"));
    EXPECT_EQ(folder.Read("b.bak"), "old");
    EXPECT_FALSE(platform.RemoveFile("b.bak")) << "still read-only";
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"b.bak", "b.kmc"}));
}

TEST_F(PlatformContract, StatusCountsFoldersAndSizes) {
    folder.Write("Zandry.ini", std::string(1234, 'x'));
    folder.Write("empty.ini", "");
    folder.MakeFolder("sub.kmc");
    FileStatus file = platform.StatFile("Zandry.ini");
    EXPECT_TRUE(file.exists);
    EXPECT_EQ(file.size, 1234u);
    EXPECT_TRUE(platform.StatFile("empty.ini").exists);
    EXPECT_EQ(platform.StatFile("empty.ini").size, 0u);
    EXPECT_TRUE(platform.StatFile("sub.kmc").exists);
    EXPECT_FALSE(platform.StatFile("missing.ini").exists);
}

TEST_F(PlatformContract, ProbeCreatesOnlyNewFiles) {
    EXPECT_EQ(platform.CreateProbe("new.kmc"), ProbeResult::Created);
    EXPECT_EQ(platform.StatFile("new.kmc").size, 0u);
    EXPECT_TRUE(platform.RemoveFile("new.kmc"));
    EXPECT_TRUE(folder.Names().empty());

    folder.Write("dropped.kmc", "data");
    EXPECT_EQ(platform.CreateProbe("dropped.kmc"), ProbeResult::AlreadyExists);
    EXPECT_EQ(folder.Read("dropped.kmc"), "data");

    folder.MakeFolder("Dir.kmc");
    for (const char* refused : {"a?b.kmc", "a*b.kmc", "a<b.kmc", "a|b.kmc", "a\"b.kmc", "Dir.kmc"}) {
        EXPECT_EQ(platform.CreateProbe(refused), ProbeResult::Refused) << refused;
    }
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"dropped.kmc", "Dir.kmc"}));
}

TEST_F(PlatformContract, SearchMatchesAsWindowsDoes) {
    for (const char* name : {"A.kmc", "b.KMC", "c.kmcx", "d.bak", "Kirimo.exe", "kirimo2.EXE",
                             "xKirimo.exe", "Kirimo.exe.txt"})
        folder.Write(name, "");
    folder.Write(kSo + ".kmc", "");
    folder.MakeFolder("sub.kmc");

    std::vector<std::string> pets = platform.FindFiles("*.kmc");
    std::set<std::string> found(pets.begin(), pets.end());
    // Windows also matches a pattern against a name's 8.3 short name, so "c.kmcx" (C~1.KMC)
    // is found on volumes that keep short names, and under Wine; the POSIX layer has none.
#ifdef _WIN32
    found.erase("c.kmcx");
#endif
    EXPECT_EQ(found, (std::set<std::string>{"A.kmc", "b.KMC", kSo + ".kmc", "sub.kmc"}));
    std::vector<std::string> hosts = platform.FindFiles("Kirimo*.exe");
    EXPECT_EQ(std::set<std::string>(hosts.begin(), hosts.end()),
              (std::set<std::string>{"Kirimo.exe", "kirimo2.EXE"}));
    EXPECT_TRUE(platform.FindFiles("*.none").empty());
}

#ifndef _WIN32
// Linux names that no Windows file can have: a line break listed at first run would reach
// the settings file as a line of its own.
TEST_F(PlatformContract, SearchLeavesOutNamesWindowsCannotHave) {
    for (const char* name : {"a\nb.kmc", "tab\t.kmc", "star*.kmc", "back\\slash.kmc", "ok.kmc"})
        std::ofstream{name};
    EXPECT_EQ(folder.Names().size(), 5u);
    EXPECT_EQ(platform.FindFiles("*.kmc"), std::vector<std::string>{"ok.kmc"});
}
#endif

TEST_F(PlatformContract, TrailByteBackslashIsNeverASeparator) {
    const std::string pet = kSo + kHyo;
    folder.Write(pet + ".kmc", "pet data");
    EXPECT_TRUE(platform.StatFile(pet + ".kmc").exists);
    EXPECT_TRUE(platform.CopyFileReplacing(pet + ".kmc", pet + ".bak"));
    EXPECT_TRUE(platform.RenameFile(pet + ".kmc", kHyo + ".kmc"));
    std::vector<std::string> found = platform.FindFiles("*.kmc");
    EXPECT_EQ(found, std::vector<std::string>{kHyo + ".kmc"});
    EXPECT_EQ(folder.Read(kHyo + ".kmc"), "pet data");
    EXPECT_TRUE(platform.RemoveFile(pet + ".bak"));
    EXPECT_EQ(platform.CreateProbe(kSo + ".kmc"), ProbeResult::Created);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{kSo + ".kmc", kHyo + ".kmc"}));
}

TEST_F(PlatformContract, CurrentDirectoryIsAbsoluteWithBackslashes) {
    TestFolder named(" " + kSo);
    std::string here = platform.CurrentDirectory();
    EXPECT_NE(here.find('\\'), std::string::npos);
    EXPECT_NE(here.find("zandry-test " + kSo), std::string::npos) << here;
    named.Write("x.ini", "1");
    EXPECT_TRUE(platform.StatFile(here + "\\x.ini").exists);
}

TEST_F(PlatformContract, InstanceLockIsHeldUntilClosed) {
    const std::string name = "ZandryContractLock";
    bool exists = true;
    LockHandle first = platform.CreateInstanceLock(name, exists);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(exists);
    LockHandle second = platform.CreateInstanceLock(name, exists);
    EXPECT_TRUE(exists);
    platform.CloseInstanceLock(second);
    platform.ReleaseInstanceLock(first);
    platform.CloseInstanceLock(first);
    LockHandle third = platform.CreateInstanceLock(name, exists);
    EXPECT_FALSE(exists);
    platform.CloseInstanceLock(third);
}

TEST_F(PlatformContract, StartedProgramRunsInTheWorkingFolder) {
    ASSERT_TRUE(platform.CopyFileReplacing(STANDIN_HOST, "Kirimo.exe"));
    folder.Write("Kirimo\x90\xdd\x92\xe8.kmc", "pet A");
    EXPECT_TRUE(platform.StartProgram(platform.CurrentDirectory() + "\\Kirimo.exe"));
    EXPECT_EQ(WaitForFile(folder, "standin-host.log"), "started: live file holds \"pet A\"\n");
    EXPECT_FALSE(platform.StartProgram(platform.CurrentDirectory() + "\\missing.exe"));
}

class ProfileContract : public PlatformContract {
protected:
    std::string File() { return platform.CurrentDirectory() + "\\Zandry.ini"; }
    int Int(const std::string& value) {
        folder.Write("Zandry.ini", "[S]\r\nk=" + value + "\r\n");
        return platform.ProfileReadInt("S", "k", -77, File());
    }
};

TEST_F(ProfileContract, IntegersParseAsGetPrivateProfileIntDoes) {
    struct Case {
        const char* value;
        int expected;
    } cases[] = {
        {"0", 0},   {"-1", -1},     {"  42", 42},   {"7abc", 7},          {"abc", 0},
        {"0x1F", 31}, {"-5", -5},   {"+3", 3},      {"2147483647", 2147483647},
        {"2147483648", -2147483647 - 1},           {"", -77},
    };
    for (const Case& c : cases) EXPECT_EQ(Int(c.value), c.expected) << '"' << c.value << '"';
    EXPECT_EQ(platform.ProfileReadInt("S", "missing", -77, File()), -77);
    EXPECT_EQ(platform.ProfileReadInt("S", "k", -77, File() + ".none"), -77);
}

TEST_F(ProfileContract, TextsAreCutAndDefaulted) {
    folder.Write("Zandry.ini", "[PetList]\r\nPetname0=" + std::string(5000, 'n') +
                                   "\r\nPetname1=\"quoted\"\r\nPetname2=" + kSo + kHyo + "\r\n");
    EXPECT_EQ(platform.ProfileReadText("PetList", "Petname0", "", File()), std::string(4095, 'n'));
    EXPECT_EQ(platform.ProfileReadText("petlist", "PETNAME1", "", File()), "quoted");
    EXPECT_EQ(platform.ProfileReadText("PetList", "Petname2", "", File()), kSo + kHyo);
    EXPECT_EQ(platform.ProfileReadText("PetList", "Petname3", "dflt", File()), "dflt");
    EXPECT_EQ(platform.ProfileReadText("None", "Petname0", "", File()), "");
}

TEST_F(ProfileContract, ReadOnlyFileIsNotWritten) {
    EXPECT_TRUE(platform.ProfileWriteText("PetList", "entry", std::string("1"), File()));
    const std::optional<std::string> before = folder.Read("Zandry.ini");
    folder.MakeReadOnly("Zandry.ini");
    if (WritesReadOnlyFiles("Zandry.ini")) GTEST_SKIP() << "Wine run by root writes read-only files";
    EXPECT_FALSE(platform.ProfileWriteText("PetList", "entry", std::string("2"), File()));
    EXPECT_EQ(folder.Read("Zandry.ini"), before);
    EXPECT_EQ(platform.ProfileReadInt("PetList", "entry", 0, File()), 1);
    EXPECT_FALSE(platform.RemoveFile("Zandry.ini")) << "still read-only";
}

TEST_F(ProfileContract, WritesCreateChangeAndDelete) {
    EXPECT_TRUE(platform.ProfileWriteText("PetList", "entry", std::string("1"), File()));
    EXPECT_TRUE(platform.ProfileWriteText("PetList", "Petname0", kSo, File()));
    EXPECT_TRUE(platform.ProfileWriteText("NowPet", "number", std::string(""), File()));
    EXPECT_EQ(platform.ProfileReadText("PetList", "Petname0", "x", File()), kSo);
    EXPECT_EQ(platform.ProfileReadText("NowPet", "number", "x", File()), "");
    EXPECT_EQ(platform.ProfileReadInt("NowPet", "number", 9, File()), 9);

    EXPECT_TRUE(platform.ProfileWriteText("PetList", "Petname0", std::nullopt, File()));
    EXPECT_EQ(platform.ProfileReadText("PetList", "Petname0", "gone", File()), "gone");
    EXPECT_EQ(platform.ProfileReadInt("PetList", "entry", 0, File()), 1);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"Zandry.ini"}));
}

}  // namespace
