// The three windows driven through our dialog manager by scripted user actions, inside a
// whole run of the program on a real folder.
#include <gtest/gtest.h>

#include <functional>

#include "app/zandry_app.h"
#include "res/resource.h"
#include "roster/roster.h"
#include "tests/support/failure_cases.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/stored.h"
#include "tests/support/test_folder.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/terminal/list_model.h"
#include "ui/framework/terminal/template_window.h"

namespace {

const std::string kLiveTitle = "Kirimo\x90\xdd\x92\xe8";
const std::string kLive = kLiveTitle + ".kmc";
const std::string kOld = "\x82\xde\x82\xa9\x82\xb5\x82\xcc" + kLive;
const std::string kPrevious = "\x95\xcf\x8d\x58\x91\x4f\x82\xcc" + kLive;
const std::string kManageCaption = "\x92\xc7\x89\xc1\xa5\x8d\xed\x8f\x9c";  // 追加･削除
const std::string kDiscardCaption = "\x83\x79\x83\x62\x83\x67\x82\xf0\x8e\xcc\x82\xc4\x82\xe9";

class Windows : public ::testing::Test {
protected:
    TestFolder folder;
    void SetUp() override { ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, "Kirimo.exe")); }

    // Runs the program without arguments, acting on its windows with these lines.
    std::string Run(const std::string& script) {
        ScriptedDialogs dialogs(script);
        CZandryApp app(SystemPlatform(), {});
        EXPECT_EQ(app.Run(), 0);
        return dialogs.Shown();
    }
    Roster Stored() { return StoredRoster(); }
    void Settings(const std::vector<std::string>& names, int current) { StoreRoster(names, current); }
    std::string HostSaw() { return WaitForFile(folder, "standin-host.log").value_or("<not started>"); }
};

TEST_F(Windows, FirstRunBuildsTheRosterThenLaunchesFromTheChooser) {
    for (const std::string& name : {std::string("Alpha.kmc"), kLive, std::string("moko.kmc"), kOld, kPrevious})
        folder.Write(name, name + " data");
    // Enter on the setup window's confirm button, then pick moko in the chooser and launch.
    std::string shown = Run("\n3\n\n");
    Roster roster = Stored();
    EXPECT_EQ(roster.names, (std::vector<std::string>{"Alpha", "default", "moko"}));
    EXPECT_EQ(roster.current, 2);
    EXPECT_EQ(folder.Read("default.kmc"), kLive + " data");
    EXPECT_EQ(HostSaw(), "started: live file holds \"moko.kmc data\"\n");
    EXPECT_NE(shown.find("  * 2. default"), std::string::npos) << "the live pet is preselected";
}

TEST_F(Windows, SetupCancelEndsTheRunWithNothingWritten) {
    folder.Write("Alpha.kmc", "A");
    Run("b\n");
    EXPECT_FALSE(folder.Exists("Zandry.ini"));
    EXPECT_FALSE(folder.Exists("standin-host.log"));
}

TEST_F(Windows, SetupConfirmWaitsForAnExistingExecutable) {
    ASSERT_TRUE(SystemPlatform().RenameFile("Kirimo.exe", "Host.bin"));
    folder.Write("Alpha.kmc", "A");
    // Nothing proposed: Enter is refused; a missing name too; then the right one.
    std::string shown = Run("\ntype Nope.exe\n\ntype Host.bin\n\nesc\n");
    EXPECT_EQ(Count(shown, "== \x8f\x89\x8a\xfa\x90\xdd\x92\xe8 =="), 5);  // 初期設定, each time it is shown
    EXPECT_EQ(Stored().names, std::vector<std::string>{"Alpha"});
    EXPECT_EQ(Stored().current, -1);
}

TEST_F(Windows, SetupConfirmRefusesWildcards) {
    folder.Write("Alpha.kmc", "A");
    // Each pattern matches a file of the folder; only the name itself is taken.
    Run("type *\n\ntype Kirimo*.exe\n\ntype Kirimo.ex?\n\ntype Kirimo.exe\n\nesc\n");
    EXPECT_EQ(GetHostExecutableName(StoredProfile()), "Kirimo.exe");
}

TEST_F(Windows, ChooserWithEmptyRosterLaunchesNothing) {
    Settings({}, 0);
    std::string shown = Run("\n\nc\n");
    EXPECT_NE(shown.find("(empty)"), std::string::npos);
    EXPECT_FALSE(folder.Exists("standin-host.log"));
}

TEST_F(Windows, ClosingTheChooserNeverLaunches) {
    Settings({"A", "B"}, 0);
    Run("2\nesc\n");
    Run("2\n");  // then the end of input: the close box
    EXPECT_FALSE(folder.Exists("standin-host.log"));
    EXPECT_EQ(Stored().current, 0);
}

TEST_F(Windows, ChooserSelectsTheSecondOfTwoEqualNames) {
    Settings({"Momo", "Momo"}, -1);
    folder.Write("Momo.kmc", "one of them");
    Run("2\n\n");
    EXPECT_EQ(Stored().current, 1);
}

TEST_F(Windows, SettingsRefillsTheChooserFromTheFile) {
    Settings({"A", "B", "C"}, 0);
    folder.Write(kLive, "A data");
    folder.Write("C.kmc", "C data");
    // Pick C, open the management window, go back: the stored pet A is selected again.
    Run("3\nb\nd\n\n");
    EXPECT_EQ(HostSaw(), "started: live file holds \"A data\"\n");
}

TEST_F(Windows, AdoptedPetIsLaunchedWithoutALiveFile) {
    Settings({"A", "B"}, 0);
    folder.Write(kLive, "A data");
    std::string shown = Run("b\ntype New\na\nd\n\n");
    EXPECT_EQ(Stored().names, (std::vector<std::string>{"A", "B", "New"}));
    EXPECT_EQ(Stored().current, 2);
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
    EXPECT_EQ(HostSaw(), "started: no live file\n");
    EXPECT_NE(shown.find("  * 3. New"), std::string::npos) << "the chooser selects the new pet";
}

TEST_F(Windows, EnterAndEscapeDoNothingInTheManagementWindow) {
    Settings({"A"}, 0);
    std::string shown = Run("b\ntype X\nenter\nesc\n1\nenter\nd\nc\n");
    EXPECT_EQ(Count(shown, "== " + kManageCaption + " =="), 6);
    EXPECT_EQ(Stored().names, std::vector<std::string>{"A"});
}

TEST_F(Windows, DiscardAsksAndOnlyYesDiscards) {
    Settings({"A", "B"}, 1);
    folder.Write("A.kmc", "A data");
    folder.Write(kLive, "B data");
    std::string shown = Run("b\n1\nc\nn\n2\nc\ny\nd\nc\n");
    EXPECT_EQ(Count(shown, kDiscardCaption), 2);
    EXPECT_EQ(Stored().names, std::vector<std::string>{"A"});
    EXPECT_EQ(Stored().current, -1);
    EXPECT_EQ(folder.Read("A.kmc"), "A data");
    EXPECT_FALSE(folder.Exists(kLive));
}

TEST_F(Windows, RenameMovesTheFilesUnderTheNewName) {
    Settings({"Pochi", "A"}, 1);
    folder.Write("Pochi.kmc", "P data");
    Run("b\n1\ntype pochi\nb\nd\nc\n");
    EXPECT_EQ(Stored().names, (std::vector<std::string>{"pochi", "A"}));
    EXPECT_EQ(folder.Read("pochi.kmc"), "P data");
}

TEST_F(Windows, TypingStopsAtSixteenBytes) {
    Settings({"A"}, 0);
    // 9 double-byte characters: only 8 fit.
    std::string nine;
    for (int i = 0; i < 9; ++i) nine += "\x83\x5c";
    Run("b\ntype " + nine + "\na\nd\nc\n");
    EXPECT_EQ(Stored().names, (std::vector<std::string>{"A", nine.substr(0, 16)}));
}

// Each failure is said once, in the table's words, owned by the window the user acted in or
// by none, and nothing is started.
TEST(FailureMessages, EachIsSaidOnceAndStartsNothing) {
    for (size_t i = 0; i < FailureCases().size(); ++i) {
        TestFolder folder;
        const FailureCase c = FailureCases()[i];
        WriteTwoPets(folder);
        if (c.prepare) c.prepare(folder);
        FaultyPlatform platform(SystemPlatform());
        if (c.fault) c.fault(platform);
        ScriptedDialogs dialogs(c.script);
        CZandryApp app(platform, c.arguments);
        EXPECT_EQ(app.Run(), 0) << c.what;
        EXPECT_EQ(Count(dialogs.Shown(), "-- zandry --\n" + c.message + "\n [Enter] OK"), 1)
            << c.what << "\n" << dialogs.Shown();
        // Only where no host is left to start may the start be tried.
        for (const std::string& call : platform.FileCalls())
            EXPECT_FALSE(call.rfind("start", 0) == 0 && folder.Exists("Kirimo.exe")) << c.what;
    }
}

// The length check, for text that reached the field by other means than typing.
TEST(DataExchangeLength, OverSixteenBytesShowsTheMessageAndFails) {
    DialogTemplate source{1, "", 0, 0, 10, 10, 0, 0, "", 0,
                          {ControlTemplate{7, control_class::kEdit, "", 0, 0, 1, 1, 0}}};
    std::string seenText, seenCaption;
    unsigned seenType = 0;
    TemplateWindow window(source, [&](const std::string& text, const std::string& caption, unsigned type) {
        seenText = text, seenCaption = caption, seenType = type;
        return mb::kIdOk;
    });
    ScriptedDialogs dialogs("");
    for (const std::string& text : {std::string(16, 'x'), std::string(17, 'x')}) {
        window.SetItemText(7, text);
        DataExchange exchange(window, true);
        std::string read;
        exchange.Text(7, read);
        exchange.MaxBytes(7, read, 16);
        EXPECT_EQ(exchange.Failed(), text.size() > 16);
    }
    EXPECT_EQ(seenText, "16 \x95\xb6\x8e\x9a\x88\xc8\x93\xe0\x82\xc5\x93\xfc\x97\xcd\x82\xb5\x82\xc4"
                        "\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42");
    EXPECT_EQ(seenCaption, "zandry");
    EXPECT_EQ(seenType, 0x30u);
}

// The one list model, alone and as the windows' list box and combo box: the selection
// follows its entry as Windows' list box moves it on LB_INSERTSTRING and LB_DELETESTRING,
// and goes with it.
TEST(ListControls, SelectionFollowsItsEntry) {
    struct Case {
        const char* what;
        std::function<void(PetList&)> act;
        std::vector<std::string> items;
        int selected;
    };
    const Case cases[] = {
        {"inserted before it", [](PetList& l) { l.Insert(0, "X"); }, {"X", "A", "B", "C"}, 2},
        {"inserted at it", [](PetList& l) { l.Insert(1, "X"); }, {"A", "X", "B", "C"}, 2},
        {"inserted after it", [](PetList& l) { l.Insert(2, "X"); }, {"A", "B", "X", "C"}, 1},
        {"inserted at -1, the end", [](PetList& l) { l.Insert(-1, "X"); }, {"A", "B", "C", "X"}, 1},
        {"inserted past the end", [](PetList& l) { l.Insert(4, "X"); }, {"A", "B", "C"}, 1},
        {"added", [](PetList& l) { EXPECT_EQ(l.Add("0"), 3); }, {"A", "B", "C", "0"}, 1},
        {"deleted before it", [](PetList& l) { l.Delete(0); }, {"B", "C"}, 0},
        {"deleted itself", [](PetList& l) { l.Delete(1); }, {"A", "C"}, -1},
        {"deleted after it", [](PetList& l) { l.Delete(2); }, {"A", "B"}, 1},
        {"deleted outside", [](PetList& l) { l.Delete(3), l.Delete(-1); }, {"A", "B", "C"}, 1},
        {"renamed as the windows rename", [](PetList& l) { l.Delete(1), l.Insert(1, "b"); },
         {"A", "b", "C"}, -1},
        {"selected outside", [](PetList& l) { l.Select(3); }, {"A", "B", "C"}, -1},
        {"cleared", [](PetList& l) { l.Clear(); }, {}, -1},
    };
    auto none = [](const std::string&, const std::string&, unsigned) { return mb::kIdOk; };
    TemplateWindow manage(*FindDialogTemplate(IDD_PET_MANAGE), none);
    TemplateWindow chooser(*FindDialogTemplate(IDD_CHOOSER), none);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListModel plain;
        for (PetList* list : {static_cast<PetList*>(&plain), &manage.List(IDC_MANAGE_LIST),
                              &chooser.List(IDC_CHOOSER_PET)}) {
            list->Clear();
            for (const char* text : {"A", "B", "C"}) list->Add(text);
            list->Select(1);
            c.act(*list);
            std::vector<std::string> items;
            for (int i = 0; i < list->Count(); ++i) items.push_back(list->Text(i));
            EXPECT_EQ(items, c.items);
            EXPECT_EQ(list->Selected(), c.selected);
            EXPECT_EQ(list->Text(list->Count()), "") << "past the end";
        }
    }
}

// A sorted list puts an added entry at its place, and the selection moves along.
TEST(ListControls, SortedListAddsInOrder) {
    TemplateWindow setup(*FindDialogTemplate(IDD_INIT_SETUP),
                         [](const std::string&, const std::string&, unsigned) { return mb::kIdOk; });
    ListModel plain(true);
    for (PetList* list : {static_cast<PetList*>(&plain), &setup.List(IDC_SETUP_PETS)}) {
        EXPECT_EQ(list->Add("m"), 0);
        list->Select(0);
        EXPECT_EQ(list->Add("B"), 0);
        EXPECT_EQ(list->Add("z"), 2);
        EXPECT_EQ(list->Add("a"), 0);
        list->Insert(1, "~");  // inserting never sorts
        EXPECT_EQ(list->Text(1), "~");
        EXPECT_EQ(list->Text(3), "m");
        EXPECT_EQ(list->Selected(), 3);
    }
}

}  // namespace
