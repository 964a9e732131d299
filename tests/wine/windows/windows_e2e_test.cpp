// The real zandry.exe in real windows: started in a fresh folder and driven from outside as a
// person would drive it; what it leaves in the folder, in Zandry.ini and in the stand-in
// host's log.
#include <gtest/gtest.h>

#include <set>

#include "platform/platform.h"
#include "res/resource.h"
#include "tests/support/failure_cases.h"
#include "tests/support/folder_names.h"
#include "tests/support/settings_file.h"
#include "tests/support/test_folder.h"
#include "tests/support/win32/windows98.h"
#include "tests/wine/windows/window_driver.h"

namespace {

// Captions and texts as code page 932 bytes.
const std::string kChooserCaption = "\x83U\x83\x93\x83h\x83\x8a\x81[ Ver1.11";
const std::string kManageCaption = "\x92\xc7\x89\xc1\xa5\x8d\xed\x8f\x9c";
const std::string kSetupCaption = "\x8f\x89\x8a\xfa\x90\xdd\x92\xe8";
const std::string kDiscardCaption = "\x83y\x83" "b\x83g\x82\xf0\x8e\xcc\x82\xc4\x82\xe9";
const std::string kDiscardQuestion =
    "\x83y\x83" "b\x83g\x82\xcd\x93\xf1\x93x\x82\xc6\x8b" "A\x82\xc1\x82\xc4\x82\xab\x82\xdc\x82\xb9\x82"
    "\xf1\x81" "B\n\x82\xbb\x82\xea\x82\xc5\x82\xe0\x8e\xcc\x82\xc4\x82\xdc\x82\xb7\x82\xa9\x81H";
const std::string kLengthMessage =
    "16 \x95\xb6\x8e\x9a\x88\xc8\x93\xe0\x82\xc5\x93\xfc\x97\xcd\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82"
    "\xb3\x82\xa2\x81" "B";
const std::string kSora = "\x83\\\x83\x89";  // ソラ: its trail byte is 0x5C
const std::string kTama = "\x83^\x83}";      // タマ

struct Said {
    std::string caption, text;
};

// Answers the message box `owner` shows with `button` and waits for it to go: what it said.
Said Answer(HWND owner, int button) {
    HWND box = WaitForMessageBox(owner);
    if (!box) {
        ADD_FAILURE() << "no message box";
        return {};
    }
    Said said{WindowText(box), MessageBoxText(box)};
    PostClick(box, button);
    if (!WaitUntil([&] { return !IsWindow(box); })) ADD_FAILURE() << "the message box stayed open";
    return said;
}

class RealWindows : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SystemPlatform().CopyFileReplacing(STANDIN_HOST, kHostExe)); }

    Settings ReadSettings() const { return Settings::Parse(folder_.Read(kIni).value_or("")); }
    bool SettingsAre(const Settings& expected) const {
        return WaitUntil([&] { return ReadSettings() == expected; });
    }
    // The host is started without being waited for: its log once it holds a whole line.
    std::string HostLog() const {
        WaitUntil([&] {
            std::string log = folder_.Read(kHostLog).value_or("");
            return !log.empty() && log.back() == '\n';
        });
        return folder_.Read(kHostLog).value_or("(no log)");
    }

    // Opens the management window from the chooser's 設定 button.
    HWND OpenManagement(HWND chooser, DWORD processId) {
        PostClick(chooser, IDC_CHOOSER_SETTINGS);
        return WaitForDialog(processId, kManageCaption);
    }

    TestFolder folder_;
};

// Three pets, the second one live.
class WithRoster : public RealWindows {
protected:
    void SetUp() override {
        RealWindows::SetUp();
        folder_.Write(kIni, initial_.Bytes());
        folder_.Write("default.kmc", "default data");
        folder_.Write(kLive, "Momo data");
        folder_.Write(kSora + ".kmc", "Sora data");
        folder_.Write(kSora + ".bak", "Sora backup");
    }

    const Settings initial_{{"default", "Momo", kSora}, 1};
};

TEST_F(RealWindows, FirstRunSetsUpTheRosterThenLaunchesThePetChosen) {
    folder_.Write(kLive, "live data");
    folder_.Write("Momo.kmc", "Momo data");
    folder_.Write("\x82\xde\x82\xa9\x82\xb5\x82\xcc" + kLive, "old data");
    Program zandry(ZANDRY_PROGRAM);
    ASSERT_TRUE(zandry.Started());

    HWND setup = WaitForDialog(zandry.Id(), kSetupCaption);
    ASSERT_TRUE(setup);
    EXPECT_EQ(ItemText(setup, IDC_SETUP_HOST), kHostExe);
    EXPECT_EQ(Entries(setup, IDC_SETUP_PETS), (std::vector<std::string>{kLiveTitle, "Momo"}));

    // A host name of no file is not accepted, and nothing is written.
    TypeInto(setup, IDC_SETUP_HOST, "Kirimo2.exe");
    Click(setup, IDOK);
    EXPECT_TRUE(IsWindow(setup));
    EXPECT_FALSE(folder_.Exists(kIni));

    TypeInto(setup, IDC_SETUP_HOST, kHostExe);
    Click(setup, IDOK);
    HWND chooser = WaitForDialog(zandry.Id(), kChooserCaption);
    ASSERT_TRUE(chooser);
    EXPECT_FALSE(IsWindow(setup));
    EXPECT_EQ(ReadSettings(), (Settings{{"default", "Momo"}, 0}));
    EXPECT_EQ(Entries(chooser, IDC_CHOOSER_PET), (std::vector<std::string>{"default", "Momo"}));
    EXPECT_EQ(Selection(chooser, IDC_CHOOSER_PET), 0);

    ChooseInCombo(chooser, IDC_CHOOSER_PET, 1);
    PressKey(chooser, VK_RETURN);
    EXPECT_EQ(zandry.WaitForExit(), 0u);
    EXPECT_EQ(HostLog(), "started: live file holds \"Momo data\"\n");
    EXPECT_EQ(folder_.Read("default.kmc"), "live data");
    EXPECT_EQ(folder_.Read("Momo.bak"), "Momo data");
    EXPECT_EQ(folder_.Names(), (std::set<std::string>{"default.kmc", "Momo.bak", kLive, kHostExe,
                                                      kIni, kHostLog}));
    EXPECT_EQ(ReadSettings(), (Settings{{"default", "Momo"}, 1}));
}

TEST_F(RealWindows, SetupCancelledByEscapeEndsTheRun) {
    folder_.Write("Momo.kmc", "Momo data");
    Program zandry(ZANDRY_PROGRAM);
    HWND setup = WaitForDialog(zandry.Id(), kSetupCaption);
    ASSERT_TRUE(setup);
    PressKey(setup, VK_ESCAPE);
    EXPECT_EQ(zandry.WaitForExit(), 0u);
    EXPECT_EQ(folder_.Names(), (std::set<std::string>{"Momo.kmc", kHostExe}));
}

TEST_F(WithRoster, AdoptRenameAndDiscardMoveThePetFiles) {
    Program zandry(ZANDRY_PROGRAM);
    HWND chooser = WaitForDialog(zandry.Id(), kChooserCaption);
    ASSERT_TRUE(chooser);
    EXPECT_EQ(Selection(chooser, IDC_CHOOSER_PET), 1);
    // Dragged minimised, the chooser shows its small icon.
    const LRESULT smallIcon = SmallIcon(chooser);
    EXPECT_NE(smallIcon, 0);
    EXPECT_EQ(DragIcon(chooser), smallIcon);
    HWND manage = OpenManagement(chooser, zandry.Id());
    ASSERT_TRUE(manage);
    // Without an icon of its own, it leaves the answer to the system's default.
    EXPECT_NE(DragIcon(manage), 1);
    EXPECT_NE(DragIcon(manage), smallIcon);
    EXPECT_EQ(GetWindow(manage, GW_OWNER), chooser);
    EXPECT_FALSE(IsWindowEnabled(chooser));
    EXPECT_EQ(Entries(manage, IDC_MANAGE_LIST), (std::vector<std::string>{"default", "Momo", kSora}));
    EXPECT_EQ(Selection(manage, IDC_MANAGE_LIST), -1);

    // Adopting puts the live pet's data away under its name; the new pet is current.
    TypeInto(manage, IDC_MANAGE_NAME, kTama);
    Click(manage, IDC_MANAGE_ADOPT);
    EXPECT_EQ(ReadSettings(), (Settings{{"default", "Momo", kSora, kTama}, 3}));
    EXPECT_EQ(folder_.Read("Momo.kmc"), "Momo data");
    EXPECT_FALSE(folder_.Exists(kLive));
    EXPECT_EQ(Entries(manage, IDC_MANAGE_LIST).size(), 4u);
    EXPECT_EQ(Selection(manage, IDC_MANAGE_LIST), 3);
    EXPECT_EQ(ItemText(manage, IDC_MANAGE_NAME), "");

    // A duplicate by case is refused for an adoption, and the field keeps the text.
    TypeInto(manage, IDC_MANAGE_NAME, "momo");
    Click(manage, IDC_MANAGE_ADOPT);
    EXPECT_EQ(ReadSettings().names.size(), 4u);
    EXPECT_EQ(ItemText(manage, IDC_MANAGE_NAME), "momo");

    // Renaming moves the pet file and its backup.
    ChooseInList(manage, IDC_MANAGE_LIST, 2);
    TypeInto(manage, IDC_MANAGE_NAME, "Sky");
    Click(manage, IDC_MANAGE_RENAME);
    EXPECT_EQ(ReadSettings(), (Settings{{"default", "Momo", "Sky", kTama}, 3}));
    EXPECT_EQ(folder_.Read("Sky.kmc"), "Sora data");
    EXPECT_EQ(folder_.Read("Sky.bak"), "Sora backup");
    EXPECT_FALSE(folder_.Exists(kSora + ".kmc"));
    EXPECT_EQ(Selection(manage, IDC_MANAGE_LIST), -1);

    // Answered No, the discard changes nothing.
    ChooseInList(manage, IDC_MANAGE_LIST, 0);
    PostClick(manage, IDC_MANAGE_DISCARD);
    Said question = Answer(manage, IDNO);
    EXPECT_EQ(question.caption, kDiscardCaption);
    EXPECT_EQ(question.text, kDiscardQuestion);
    EXPECT_TRUE(folder_.Exists("default.kmc"));

    // Answered Yes, it deletes the pet's file; the current pet keeps its data.
    PostClick(manage, IDC_MANAGE_DISCARD);
    EXPECT_EQ(Answer(manage, IDYES).text, kDiscardQuestion);
    EXPECT_TRUE(SettingsAre(Settings{{"Momo", "Sky", kTama}, 2})) << ::testing::PrintToString(ReadSettings());
    EXPECT_FALSE(folder_.Exists("default.kmc"));

    // Back in the chooser, the list is the one the management window left. The chooser
    // refills it only after the management window has gone.
    Click(manage, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(manage); }));
    EXPECT_TRUE(IsWindowEnabled(chooser));
    const std::vector<std::string> refilled{"Momo", "Sky", kTama};
    EXPECT_TRUE(WaitUntil([&] { return Entries(chooser, IDC_CHOOSER_PET) == refilled; }))
        << ::testing::PrintToString(Entries(chooser, IDC_CHOOSER_PET));
    EXPECT_EQ(Selection(chooser, IDC_CHOOSER_PET), 2);

    Click(chooser, IDCANCEL);
    EXPECT_EQ(zandry.WaitForExit(), 0u);
    EXPECT_FALSE(folder_.Exists(kHostLog));
    EXPECT_EQ(folder_.Names(), (std::set<std::string>{"Momo.kmc", "Sky.kmc", "Sky.bak", kHostExe, kIni}));
}

// A settings file that cannot be written: the adoption's message is owned by its window, the
// launch's by none, for the chooser is gone; and nothing starts.
TEST_F(WithRoster, FailuresAreSaidInMessageBoxes) {
    folder_.MakeReadOnly(kIni);
    const std::string unwritable = SystemPlatform().CurrentDirectory() + Ansi(u"\\Zandry.ini に書き込めません。\n");
    Program zandry(ZANDRY_PROGRAM);
    HWND chooser = WaitForDialog(zandry.Id(), kChooserCaption);
    ASSERT_TRUE(chooser);
    HWND manage = OpenManagement(chooser, zandry.Id());
    ASSERT_TRUE(manage);
    TypeInto(manage, IDC_MANAGE_NAME, kTama);
    PostClick(manage, IDC_MANAGE_ADOPT);
    Said said = Answer(manage, IDOK);
    EXPECT_EQ(said.caption, "zandry");
    EXPECT_EQ(said.text, unwritable + Ansi(u"ペットを飼えませんでした。"));
    EXPECT_EQ(ItemText(manage, IDC_MANAGE_NAME), kTama);
    Click(manage, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(manage); }));

    ChooseInCombo(chooser, IDC_CHOOSER_PET, 2);
    PostClick(chooser, IDOK);
    HWND message = WaitForDialog(zandry.Id(), "zandry");
    ASSERT_TRUE(message);
    EXPECT_FALSE(IsWindow(chooser));
    EXPECT_EQ(GetWindow(message, GW_OWNER), nullptr);
    EXPECT_EQ(MessageBoxText(message), unwritable + Ansi(u"ペットを切り替えられないため、何も起動しませんでした。"));
    PostClick(message, IDOK);
    EXPECT_EQ(zandry.WaitForExit(), 0u);
    EXPECT_FALSE(folder_.Exists(kHostLog));
    EXPECT_EQ(folder_.Read(kLive), "Momo data");
}

// Told it runs on Windows 98, zandry.exe takes the process list, in which Wine names the host
// as a compatibility mode of NT does: so a host started from its own shortcut while the
// chooser is open is seen, and 起動 switches nothing and says why.
TEST_F(WithRoster, HostStartedWhileTheChooserIsOpenStopsTheLaunch) {
    Windows98For windows98("zandry.exe");
    ASSERT_TRUE(windows98.Set());
    Program zandry(ZANDRY_PROGRAM);
    HWND chooser = WaitForDialog(zandry.Id(), kChooserCaption);
    ASSERT_TRUE(chooser);
    Program host(kHostExe, {"--stay", "60"});
    ASSERT_TRUE(WaitUntil([&] { return folder_.Exists(kHostLog); }));
    const auto before = folder_.Contents();
    ChooseInCombo(chooser, IDC_CHOOSER_PET, 2);
    PostClick(chooser, IDOK);
    HWND message = WaitForDialog(zandry.Id(), "zandry");
    ASSERT_TRUE(message);
    EXPECT_EQ(MessageBoxText(message),
              SystemPlatform().CurrentDirectory() + Ansi(u"\\Kirimo.exe が動いています。終了してから、やり直してください。\n"
                                                         u"ペットを切り替えられないため、何も起動しませんでした。"));
    PostClick(message, IDOK);
    EXPECT_EQ(zandry.WaitForExit(), 0u);
    EXPECT_EQ(folder_.Contents(), before);
}

TEST_F(WithRoster, NameOverSixteenBytesShowsTheLengthMessage) {
    Program zandry(ZANDRY_PROGRAM);
    HWND chooser = WaitForDialog(zandry.Id(), kChooserCaption);
    ASSERT_TRUE(chooser);
    HWND manage = OpenManagement(chooser, zandry.Id());
    ASSERT_TRUE(manage);

    // Typed keys stop at the field's limit: 16 bytes are taken and accepted. The keys are
    // single-byte: Wine 8's ANSI edit field takes each byte of a typed double-byte
    // character as a character of its own, and counts its limit in characters.
    TypeKeys(manage, IDC_MANAGE_NAME, "abcdefghijklmnopqrst");
    PostClick(manage, IDC_MANAGE_ADOPT);
    EXPECT_TRUE(SettingsAre(Settings{{"default", "Momo", kSora, "abcdefghijklmnop"}, 3}))
        << ::testing::PrintToString(ReadSettings());

    // A longer text put in whole (as a paste would) is refused with the message, by the
    // adoption and by 戻る.
    const std::string nineDoubleBytes = kTama + kTama + kTama + kTama + "\x83~";
    for (int button : {IDC_MANAGE_ADOPT, IDOK}) {
        TypeInto(manage, IDC_MANAGE_NAME, nineDoubleBytes);
        ASSERT_EQ(ItemText(manage, IDC_MANAGE_NAME), nineDoubleBytes);
        PostClick(manage, button);
        Said said = Answer(manage, IDOK);
        EXPECT_EQ(said.caption, "zandry");
        EXPECT_EQ(said.text, kLengthMessage);
        EXPECT_TRUE(IsWindow(manage));
        EXPECT_EQ(ReadSettings().names.size(), 4u);
    }

    // The close box reads nothing, so the long text does not keep the window open.
    PressCloseBox(manage);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(manage); }));
    EXPECT_EQ(ReadSettings().names.size(), 4u);
    Click(chooser, IDCANCEL);
    EXPECT_EQ(zandry.WaitForExit(), 0u);
}

TEST_F(WithRoster, EnterAndEscapeDoNothingInTheManagementWindow) {
    Program zandry(ZANDRY_PROGRAM);
    HWND chooser = WaitForDialog(zandry.Id(), kChooserCaption);
    ASSERT_TRUE(chooser);
    HWND manage = OpenManagement(chooser, zandry.Id());
    ASSERT_TRUE(manage);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(manage) == GetDlgItem(manage, IDC_MANAGE_NAME); }));

    // Keys in the name field, then a click queued behind them: had Enter pressed 戻る or
    // Escape closed the window, the click would find no window.
    TypeInto(manage, IDC_MANAGE_NAME, kTama);
    PressKey(manage, VK_RETURN);
    PressKey(manage, VK_ESCAPE);
    PostClick(manage, IDC_MANAGE_ADOPT);
    EXPECT_TRUE(SettingsAre(Settings{{"default", "Momo", kSora, kTama}, 3}));
    EXPECT_TRUE(IsWindow(manage));

    // The focus is on 新しく飼う now: Enter does not press it, and Escape still does not
    // close the window, which the question of a discard queued behind them shows.
    ASSERT_EQ(FocusOf(manage), GetDlgItem(manage, IDC_MANAGE_ADOPT));
    TypeInto(manage, IDC_MANAGE_NAME, "Kuro");
    ChooseInList(manage, IDC_MANAGE_LIST, 0);
    PressKey(manage, VK_RETURN);
    PressKey(manage, VK_ESCAPE);
    PostClick(manage, IDC_MANAGE_DISCARD);
    EXPECT_EQ(Answer(manage, IDNO).text, kDiscardQuestion);
    PostClick(manage, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(manage); }));
    EXPECT_EQ(ReadSettings(), (Settings{{"default", "Momo", kSora, kTama}, 3}));

    // In the chooser, the same keys are the dialog manager's: Escape quits, nothing launched.
    ASSERT_TRUE(WaitUntil([&] {
        HWND focus = FocusOf(chooser);
        return IsWindowEnabled(chooser) && (focus == chooser || IsChild(chooser, focus));
    }));
    PressKey(chooser, VK_ESCAPE);
    EXPECT_EQ(zandry.WaitForExit(), 0u);
    EXPECT_FALSE(folder_.Exists(kHostLog));
}

TEST_F(WithRoster, SecondCopyEndsAtOnceWhileTheChooserIsOpen) {
    Program first(ZANDRY_PROGRAM);
    HWND chooser = WaitForDialog(first.Id(), kChooserCaption);
    ASSERT_TRUE(chooser);

    Program second(ZANDRY_PROGRAM, {"Momo"});
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_EQ(folder_.Read(kIni), initial_.Bytes());
    EXPECT_FALSE(folder_.Exists(kHostLog));

    // The first copy carries on and launches the pet chosen in it.
    EXPECT_TRUE(IsWindow(chooser));
    EXPECT_EQ(CountDialogs(first.Id(), kChooserCaption), 1);
    ChooseInCombo(chooser, IDC_CHOOSER_PET, 2);
    Click(chooser, IDOK);
    EXPECT_EQ(first.WaitForExit(), 0u);
    EXPECT_EQ(HostLog(), "started: live file holds \"Sora data\"\n");
    EXPECT_EQ(folder_.Read("Momo.kmc"), "Momo data");
    EXPECT_EQ(ReadSettings(), (Settings{{"default", "Momo", kSora}, 2}));
}

}  // namespace
