// One set of expectations for every platform layer: compiled for the POSIX layer natively
// and for the Win32 layer under Wine, so both give the core the same file semantics.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <cstdio>
#include <fstream>

#include "platform/platform.h"
#include "tests/support/folder_names.h"
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

#ifdef _WIN32
void MarkHidden(const std::string& name) { SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_HIDDEN); }
bool IsHidden(const std::string& name) { return GetFileAttributesA(name.c_str()) & FILE_ATTRIBUTE_HIDDEN; }
#else
// The POSIX layer's attributes are the mode bits.
void MarkHidden(const std::string& name) { chmod(name.c_str(), 0600); }
bool IsHidden(const std::string& name) {
    struct stat st;
    return stat(name.c_str(), &st) == 0 && (st.st_mode & 0777) == 0600;
}
#endif

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
    folder.Write("b.bak", "the old backup");
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
    folder.Write(kIni, std::string(1234, 'x'));
    folder.Write("empty.ini", "");
    folder.MakeFolder("sub.kmc");
    FileStatus file = platform.StatFile(kIni);
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
    ASSERT_TRUE(platform.CopyFileReplacing(STANDIN_HOST, kHostExe));
    folder.Write("Kirimo\x90\xdd\x92\xe8.kmc", "pet A");
    EXPECT_TRUE(platform.StartProgram(platform.CurrentDirectory() + "\\" + kHostExe));
    EXPECT_EQ(WaitForFile(folder, kHostLog), "started: live file holds \"pet A\"\n");
    EXPECT_FALSE(platform.StartProgram(platform.CurrentDirectory() + "\\missing.exe"));
}

TEST_F(PlatformContract, WholeFilesTellAMissingFileFromOneThatCannotBeRead) {
    EXPECT_EQ(platform.ReadWholeFile("missing.ini").state, FileContents::Absent);
    EXPECT_EQ(platform.ReadWholeFile("nowhere\\x.ini").state, FileContents::Absent);
    folder.MakeFolder("dir.ini");
    EXPECT_EQ(platform.ReadWholeFile("dir.ini").state, FileContents::Unreadable);
    EXPECT_FALSE(platform.WriteWholeFile("dir.ini", "x"));

    const std::string bytes = "[S]\r\nk=" + kSo + std::string(1, '\0') + "\n" + std::string(70000, 'x');
    EXPECT_TRUE(platform.WriteWholeFile(kHyo + ".ini", bytes));
    FileContents read = platform.ReadWholeFile(kHyo + ".ini");
    EXPECT_EQ(read.state, FileContents::Read);
    EXPECT_EQ(read.bytes, bytes);
    EXPECT_TRUE(platform.WriteWholeFile(kHyo + ".ini", "short"));
    EXPECT_EQ(folder.Read(kHyo + ".ini"), "short");
    EXPECT_TRUE(platform.WriteWholeFile("empty.ini", ""));
    EXPECT_EQ(platform.ReadWholeFile("empty.ini").state, FileContents::Read);
    EXPECT_TRUE(platform.StatFile("missing.ini").certain);
}

TEST_F(PlatformContract, ReplaceTakesThePlaceOfTheFileWithItsAttributes) {
    folder.Write(kIni, "old");
    folder.Write(kIniNew, "new");
    MarkHidden(kIni);
    EXPECT_EQ(platform.ReplaceFile(kIniNew, kIni), ReplaceResult::Replaced);
    EXPECT_EQ(folder.Names(), std::set<std::string>{kIni});
    EXPECT_EQ(folder.Read(kIni), "new");
    EXPECT_TRUE(IsHidden(kIni));

    folder.Write("first.new", "first");
    EXPECT_EQ(platform.ReplaceFile("first.new", "first.ini"), ReplaceResult::Replaced);
    EXPECT_EQ(folder.Read("first.ini"), "first");
    EXPECT_FALSE(IsHidden("first.ini"));

    folder.MakeFolder("dir.ini");
    folder.Write("dir.new", "x");
    EXPECT_EQ(platform.ReplaceFile("dir.new", "dir.ini"), ReplaceResult::Failed);
    EXPECT_EQ(folder.Read("dir.new"), "x");
}

TEST_F(PlatformContract, ReplaceLeavesAReadOnlyFile) {
    folder.Write(kIni, "old");
    folder.Write(kIniNew, "new");
    folder.MakeReadOnly(kIni);
    EXPECT_EQ(platform.ReplaceFile(kIniNew, kIni), ReplaceResult::Failed);
    EXPECT_EQ(folder.Read(kIni), "old");
    EXPECT_EQ(folder.Read(kIniNew), "new");
}

}  // namespace
