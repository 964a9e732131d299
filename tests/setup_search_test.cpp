// The first-run searches: which titles become pets and which executable is proposed.
#include <gtest/gtest.h>

#include "ui/framework/terminal/list_model.h"
#include "ui/init_setup_dlg.h"
#include "tests/support/folder_names.h"

namespace {


// Left out too: titles the settings file would give back changed, or empty.
TEST(SetupSearch, TitlesLeaveOutTheOldSettingsFilesAndNamesNoRosterHolds) {
    std::vector<std::string> titles = CollectPetTitles(
        {"moko.kmc", kLiveTitle + ".kmc", kOldTitle + ".kmc", "Alpha.kmc", kPreviousTitle + ".kmc",
         "a.b.kmc", ".kmc", "\x83\x5c.kmc", "kirimo\x90\xdd\x92\xe8.kmc", "'x'.kmc", " y.kmc", "z .kmc",
         "\"q\".kmc", "'half.kmc", "it's.kmc"});
    EXPECT_EQ(titles, (std::vector<std::string>{"moko", kLiveTitle, "Alpha", "a.b", "\x83\x5c",
                                                "kirimo\x90\xdd\x92\xe8", "'half", "it's"}));
}

TEST(SetupSearch, SortedListKeepsTheLivePetWhereItSorts) {
    ListModel list(true);
    for (const std::string& title :
         CollectPetTitles({"moko.kmc", kLiveTitle + ".kmc", "Alpha.kmc", kOldTitle + ".kmc"}))
        list.Add(title);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"Alpha", kLiveTitle, "moko"}));
}

TEST(SetupSearch, FirstExecutableIsProposed) {
    EXPECT_EQ(FindHostExecutable({"Kirimo2.exe", "Kirimo.exe"}), "Kirimo2.exe");
    EXPECT_EQ(FindHostExecutable({}), "");
}

}  // namespace
