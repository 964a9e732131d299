// Zandry's three dialog templates as res/zandry.rc defines them, read by our own script
// reader, and the reader itself against what windres builds from the same statements.
#include "ui/framework/rc_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "res/resource.h"
#include "ui/framework/window_styles.h"

namespace {

using namespace style;

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) ADD_FAILURE() << "cannot open " << path;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

const std::string& ScriptText() {
    static const std::string text = ReadFile(ZANDRY_RC_PATH);
    return text;
}

const std::vector<DialogTemplate>& ScriptTemplates() {
    static const std::vector<DialogTemplate> templates =
        ReadDialogTemplates(ScriptText(), ReadFile(ZANDRY_RESOURCE_H_PATH));
    return templates;
}

std::string Hex(std::uint32_t value) {
    std::ostringstream out;
    out << "0x" << std::hex << value;
    return out.str();
}

// ＭＳ Ｐゴシック
const std::string kMsPGothic = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";

// ---- res/zandry.rc -------------------------------------------------------------------

TEST(ResourceIds, AreTheNumbersTheWindowsAreKnownBy) {
    struct Id {
        const char* name;
        int value, expected;
    };
    const Id ids[] = {
        {"IDI_ZANDRY", IDI_ZANDRY, 128},
        {"IDD_CHOOSER", IDD_CHOOSER, 102},
        {"IDC_CHOOSER_PET", IDC_CHOOSER_PET, 1025},
        {"IDC_CHOOSER_SETTINGS", IDC_CHOOSER_SETTINGS, 1026},
        {"IDD_PET_MANAGE", IDD_PET_MANAGE, 129},
        {"IDC_MANAGE_NAME", IDC_MANAGE_NAME, 1036},
        {"IDC_MANAGE_LIST", IDC_MANAGE_LIST, 1037},
        {"IDC_MANAGE_DISCARD", IDC_MANAGE_DISCARD, 1039},
        {"IDC_MANAGE_ADOPT", IDC_MANAGE_ADOPT, 1040},
        {"IDC_MANAGE_RENAME", IDC_MANAGE_RENAME, 1042},
        {"IDD_INIT_SETUP", IDD_INIT_SETUP, 136},
        {"IDC_SETUP_HOST", IDC_SETUP_HOST, 1049},
        {"IDC_SETUP_PETS", IDC_SETUP_PETS, 1050},
        {"IDC_STATIC", IDC_STATIC, -1},
    };
    for (const Id& id : ids) EXPECT_EQ(id.value, id.expected) << id.name;
}

struct DialogCase {
    const char* what;
    int id;
    bool extended;
    std::string caption;
    int x, y, width, height;
    int fontSize;
    bool visible;
    std::uint32_t exStyle;
};

const DialogCase kDialogs[] = {
    // ザンドリー Ver1.11
    {"chooser", IDD_CHOOSER, true, "\x83\x55\x83\x93\x83\x68\x83\x8a\x81\x5b Ver1.11", 0, 0, 106, 114,
     10, true, ex::kAppWindow},
    // 追加･削除, with the half-width middle dot
    {"pet management", IDD_PET_MANAGE, false, "\x92\xc7\x89\xc1\xa5\x8d\xed\x8f\x9c", 0, 0, 163,
     130, 10, false, 0},
    // 初期設定
    {"first-run setup", IDD_INIT_SETUP, false, "\x8f\x89\x8a\xfa\x90\xdd\x92\xe8", 0, 0, 151, 105,
     9, false, 0},
};

TEST(ZandryScript, HoldsTheThreeDialogs) {
    ASSERT_EQ(ScriptTemplates().size(), 3u);
    for (const DialogCase& c : kDialogs)
        EXPECT_NE(FindDialogTemplate(ScriptTemplates(), c.id), nullptr) << c.what;
}

TEST(ZandryScript, DialogFramesCaptionsAndFonts) {
    // Modal, with a title bar and a close box; never resizable, minimisable or maximisable.
    const std::uint32_t frame = kPopup | kCaption | kSysMenu | dialog::kModalFrame | dialog::kSetFont;
    const std::uint32_t never = kMinimizeBox | kMaximizeBox | kThickFrame | kChild | kDisabled;
    for (const DialogCase& c : kDialogs) {
        SCOPED_TRACE(c.what);
        const DialogTemplate* d = FindDialogTemplate(ScriptTemplates(), c.id);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->extended, c.extended);
        EXPECT_EQ(d->caption, c.caption);
        EXPECT_EQ(d->x, c.x);
        EXPECT_EQ(d->y, c.y);
        EXPECT_EQ(d->width, c.width);
        EXPECT_EQ(d->height, c.height);
        EXPECT_EQ(d->fontName, kMsPGothic);
        EXPECT_EQ(d->fontSize, c.fontSize);
        EXPECT_EQ(d->style & frame, frame) << Hex(d->style);
        EXPECT_EQ(d->style & never, 0u) << Hex(d->style);
        EXPECT_EQ((d->style & kVisible) != 0, c.visible) << Hex(d->style);
        EXPECT_EQ(d->exStyle, c.exStyle) << Hex(d->exStyle);
    }
}

// What a control's style must say: a type field compared whole, bits it must have, bits it
// must not have.
struct Kind {
    std::uint32_t typeMask, type, required, forbidden;
};

constexpr std::uint32_t kEveryControl = kChild | kVisible;
const Kind kPush{button::kTypeMask, button::kPushButton, kEveryControl | kTabStop, kDisabled};
const Kind kDefault{button::kTypeMask, button::kDefPushButton, kEveryControl | kTabStop, kDisabled};
const Kind kGroupFrame{button::kTypeMask, button::kGroupBox, kEveryControl, kTabStop};
const Kind kLabel{label::kTypeMask, label::kLeft, kEveryControl | kGroup, kTabStop};
const Kind kOneLineEdit{edit::kCenter | edit::kRight, edit::kLeft,
                        kEveryControl | kBorder | kTabStop | edit::kAutoHScroll,
                        kDisabled | edit::kMultiLine | edit::kReadOnly | edit::kPassword};
constexpr std::uint32_t kListRequired = kEveryControl | kBorder | kTabStop | kVScroll |
                                        listbox::kNotify | listbox::kNoIntegralHeight;
// Single selection: none of the multiple-selection styles, and selectable at all.
constexpr std::uint32_t kListForbidden =
    kDisabled | listbox::kMultipleSel | listbox::kExtendedSel | listbox::kNoSel;
const Kind kUnsortedList{0, 0, kListRequired, kListForbidden | listbox::kSort};
const Kind kSortedList{0, 0, kListRequired | listbox::kSort, kListForbidden};
const Kind kDropDownList{combo::kTypeMask, combo::kDropDownList, kEveryControl | kTabStop | kVScroll,
                         kDisabled | combo::kSort};

struct ControlCase {
    int id;
    const char* kind;
    std::string text;
    int x, y, width, height;
    Kind style;
};

struct DialogControls {
    const char* what;
    int id;
    std::vector<ControlCase> controls;  // in tab order
};

const DialogControls kControls[] = {
    {"chooser",
     IDD_CHOOSER,
     {
         {1, "DEFPUSHBUTTON", "\x8b\x4e\x93\xae", 30, 50, 43, 32, kDefault},  // 起動
         {1025, "COMBOBOX", "", 15, 25, 75, 70, kDropDownList},
         {1026, "PUSHBUTTON", "\x90\xdd\x92\xe8", 7, 93, 44, 14, kPush},  // 設定
         {2, "PUSHBUTTON", "\x8f\x49\x97\xb9", 55, 93, 44, 14, kPush},    // 終了
         // ペットを選んでください。
         {-1, "LTEXT",
          "\x83\x79\x83\x62\x83\x67\x82\xf0\x91\x49\x82\xf1\x82\xc5\x82\xad\x82\xbe\x82\xb3\x82\xa2"
          "\x81\x42",
          16, 7, 74, 8, kLabel},
     }},
    {"pet management",
     IDD_PET_MANAGE,
     {
         {1036, "EDITTEXT", "", 15, 30, 70, 12, kOneLineEdit},
         {1040, "PUSHBUTTON", "\x90\x56\x82\xb5\x82\xad\x8e\x94\x82\xa4", 100, 30, 51, 14,
          kPush},  // 新しく飼う
         {1042, "PUSHBUTTON", "\x96\xbc\x91\x4f\x82\xf0\x95\xcf\x82\xa6\x82\xe9", 100, 55, 51, 14,
          kPush},                                                              // 名前を変える
         {1039, "PUSHBUTTON", "\x8e\xcc\x82\xc4\x82\xe9", 100, 80, 51, 14, kPush},  // 捨てる
         {1, "DEFPUSHBUTTON", "\x96\xdf\x82\xe9", 100, 105, 51, 14, kDefault},     // 戻る
         {1037, "LISTBOX", "", 15, 64, 70, 51, kUnsortedList},
         // ペットの追加･削除をします。
         {-1, "LTEXT",
          "\x83\x79\x83\x62\x83\x67\x82\xcc\x92\xc7\x89\xc1\xa5\x8d\xed\x8f\x9c\x82\xf0\x82\xb5\x82"
          "\xdc\x82\xb7\x81\x42",
          38, 7, 89, 8, kLabel},
         {-1, "GROUPBOX", "\x96\xbc\x91\x4f", 10, 20, 80, 30, kGroupFrame},              // 名前
         {-1, "GROUPBOX", "\x83\x8a\x83\x58\x83\x67", 10, 54, 80, 66, kGroupFrame},  // リスト
     }},
    {"first-run setup",
     IDD_INIT_SETUP,
     {
         {1, "DEFPUSHBUTTON", "\x8f\x89\x8a\xfa\x89\xbb", 7, 75, 30, 14, kDefault},  // 初期化
         {2, "PUSHBUTTON", "\xb7\xac\xdd\xbe\xd9", 41, 75, 30, 14, kPush},  // ｷｬﾝｾﾙ, half-width
         {1049, "EDITTEXT", "", 15, 40, 48, 14, kOneLineEdit},
         {1050, "LISTBOX", "", 80, 35, 60, 51, kSortedList},
         // ザンドリーの初期設定を行います。
         {-1, "LTEXT",
          "\x83\x55\x83\x93\x83\x68\x83\x8a\x81\x5b\x82\xcc\x8f\x89\x8a\xfa\x90\xdd\x92\xe8\x82\xf0"
          "\x8d\x73\x82\xa2\x82\xdc\x82\xb7\x81\x42",
          11, 7, 128, 8, kLabel},
         // Kirimoバージョン
         {-1, "GROUPBOX", "Kirimo\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93", 7, 25, 64, 35,
          kGroupFrame},
         // 概存のペット
         {-1, "GROUPBOX", "\x8a\x54\x91\xb6\x82\xcc\x83\x79\x83\x62\x83\x67", 75, 25, 70, 67,
          kGroupFrame},
     }},
};

TEST(ZandryScript, ControlsInTabOrder) {
    for (const DialogControls& dialog : kControls) {
        SCOPED_TRACE(dialog.what);
        const DialogTemplate* d = FindDialogTemplate(ScriptTemplates(), dialog.id);
        ASSERT_NE(d, nullptr);
        ASSERT_EQ(d->controls.size(), dialog.controls.size());
        for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
            const ControlTemplate& got = d->controls[i];
            const ControlCase& want = dialog.controls[i];
            SCOPED_TRACE(std::string("control ") + std::to_string(i) + ", " + want.kind);
            EXPECT_EQ(got.id, want.id);
            EXPECT_EQ(got.kind, want.kind);
            EXPECT_EQ(got.text, want.text);
            EXPECT_EQ(got.x, want.x);
            EXPECT_EQ(got.y, want.y);
            EXPECT_EQ(got.width, want.width);
            EXPECT_EQ(got.height, want.height);
            EXPECT_EQ(got.style & want.style.typeMask, want.style.type) << Hex(got.style);
            EXPECT_EQ(got.style & want.style.required, want.style.required) << Hex(got.style);
            EXPECT_EQ(got.style & want.style.forbidden, 0u) << Hex(got.style);
            EXPECT_EQ(got.exStyle, 0u);
        }
    }
}

// windres reads a 0x5C byte in a string as an escape, our reader as the byte: a text with
// one (katakana SO ends in it) would differ between the two builds.
TEST(ZandryScript, DialogTextsHoldNoBackslashByte) {
    for (const DialogTemplate& d : ScriptTemplates()) {
        EXPECT_EQ(d.caption.find('\\'), std::string::npos) << "dialog " << d.id;
        EXPECT_EQ(d.fontName.find('\\'), std::string::npos) << "dialog " << d.id;
        for (const ControlTemplate& c : d.controls)
            EXPECT_EQ(c.text.find('\\'), std::string::npos) << "dialog " << d.id << ", control " << c.id;
    }
}

// ---- the reader ----------------------------------------------------------------------

std::vector<DialogTemplate> Read(const std::string& rc, const std::string& header = "") {
    return ReadDialogTemplates(rc, header);
}

ControlTemplate OnlyControl(const std::string& statement, const std::string& header = "") {
    std::vector<DialogTemplate> dialogs = Read("1 DIALOG 0, 0, 10, 10\nBEGIN\n    " + statement + "\nEND\n", header);
    if (dialogs.size() != 1 || dialogs[0].controls.size() != 1) {
        ADD_FAILURE() << "no single control from " << statement;
        return {};
    }
    return dialogs[0].controls[0];
}

// The line an error names, or 0 when none was thrown.
int ErrorLine(const std::string& rc) {
    try {
        Read(rc);
    } catch (const std::runtime_error& e) {
        int line = 0;
        if (std::sscanf(e.what(), "line %d:", &line) != 1) ADD_FAILURE() << "message: " << e.what();
        return line;
    }
    return 0;
}

// Each expected style is what GNU windres 2.40 writes into the .res for that statement.
TEST(ReadingControls, ImplicitStylesAsWindresBuildsThem) {
    struct Case {
        const char* statement;
        std::uint32_t style;
        const char* windowClass;
    };
    const Case cases[] = {
        {R"(PUSHBUTTON "a", 1, 0, 0, 1, 1)", 0x50010000, "BUTTON"},
        {R"(PUSHBUTTON "a", 1, 0, 0, 1, 1, WS_GROUP)", 0x50030000, "BUTTON"},
        {R"(PUSHBUTTON "a", 1, 0, 0, 1, 1, NOT WS_TABSTOP)", 0x50000000, "BUTTON"},
        {R"(PUSHBUTTON "a", 1, 0, 0, 1, 1, NOT WS_TABSTOP | WS_GROUP)", 0x50020000, "BUTTON"},
        {R"(PUSHBUTTON "a", 1, 0, 0, 1, 1, WS_GROUP | NOT WS_TABSTOP)", 0x50020000, "BUTTON"},
        {R"(DEFPUSHBUTTON "a", 1, 0, 0, 1, 1)", 0x50010001, "BUTTON"},
        {R"(DEFPUSHBUTTON "a", 1, 0, 0, 1, 1, WS_GROUP)", 0x50030001, "BUTTON"},
        {R"(DEFPUSHBUTTON "a", 1, 0, 0, 1, 1, NOT BS_DEFPUSHBUTTON)", 0x50010000, "BUTTON"},
        {R"(CHECKBOX "a", 1, 0, 0, 1, 1)", 0x50010002, "BUTTON"},
        {R"(CHECKBOX "a", 1, 0, 0, 1, 1, WS_BORDER)", 0x50810002, "BUTTON"},
        {R"(AUTOCHECKBOX "a", 1, 0, 0, 1, 1)", 0x50010003, "BUTTON"},
        {R"(AUTOCHECKBOX "a", 1, 0, 0, 1, 1, WS_BORDER)", 0x50810003, "BUTTON"},
        {R"(RADIOBUTTON "a", 1, 0, 0, 1, 1)", 0x50010004, "BUTTON"},
        {R"(RADIOBUTTON "a", 1, 0, 0, 1, 1, WS_BORDER)", 0x50800004, "BUTTON"},
        {R"(AUTORADIOBUTTON "a", 1, 0, 0, 1, 1)", 0x50010009, "BUTTON"},
        {R"(AUTORADIOBUTTON "a", 1, 0, 0, 1, 1, WS_BORDER)", 0x50800009, "BUTTON"},
        {R"(STATE3 "a", 1, 0, 0, 1, 1)", 0x50010005, "BUTTON"},
        {R"(STATE3 "a", 1, 0, 0, 1, 1, WS_BORDER)", 0x50800005, "BUTTON"},
        {R"(AUTO3STATE "a", 1, 0, 0, 1, 1)", 0x50010006, "BUTTON"},
        {R"(AUTO3STATE "a", 1, 0, 0, 1, 1, WS_BORDER)", 0x50800006, "BUTTON"},
        {R"(GROUPBOX "a", 1, 0, 0, 1, 1)", 0x50000007, "BUTTON"},
        {R"(GROUPBOX "a", 1, 0, 0, 1, 1, WS_TABSTOP)", 0x50010007, "BUTTON"},
        {R"(LTEXT "a", 1, 0, 0, 1, 1)", 0x50020000, "STATIC"},
        {R"(LTEXT "a", 1, 0, 0, 1, 1, WS_BORDER)", 0x50800000, "STATIC"},
        {R"(LTEXT "a", 1, 0, 0, 1, 1, NOT WS_GROUP)", 0x50000000, "STATIC"},
        {R"(LTEXT "a", 1, 0, 0, 1, 1, 0x100)", 0x50000100, "STATIC"},
        {R"(LTEXT "a", 1, 0, 0, 1, 1, 0x10L)", 0x50000010, "STATIC"},
        {R"(LTEXT "a", 1, 0, 0, 1, 1, (WS_BORDER|1))", 0x50800001, "STATIC"},
        {R"(LTEXT "a", 1, 0, 0, 1, 1, NOT (WS_VISIBLE | 1))", 0x40000000, "STATIC"},
        {R"(LTEXT "a", 1, 0, 0, 1, 1, WS_BORDER | (1 + 1))", 0x50800002, "STATIC"},
        {R"(CTEXT "a", 1, 0, 0, 1, 1)", 0x50020001, "STATIC"},
        {R"(CTEXT "a", 1, 0, 0, 1, 1, WS_BORDER)", 0x50800001, "STATIC"},
        {R"(RTEXT "a", 1, 0, 0, 1, 1)", 0x50020002, "STATIC"},
        {R"(RTEXT "a", 1, 0, 0, 1, 1, WS_BORDER)", 0x50800002, "STATIC"},
        {R"(EDITTEXT 1, 0, 0, 1, 1)", 0x50810000, "EDIT"},
        {R"(EDITTEXT 1, 0, 0, 1, 1, ES_AUTOHSCROLL)", 0x50810080, "EDIT"},
        {R"(EDITTEXT 1, 0, 0, 1, 1, NOT WS_BORDER)", 0x50010000, "EDIT"},
        {R"(LISTBOX 1, 0, 0, 1, 1)", 0x50800001, "LISTBOX"},
        {R"(LISTBOX 1, 0, 0, 1, 1, LBS_SORT)", 0x50800003, "LISTBOX"},
        {R"(LISTBOX 1, 0, 0, 1, 1, NOT LBS_NOTIFY)", 0x50800000, "LISTBOX"},
        {R"(COMBOBOX 1, 0, 0, 1, 1)", 0x50010001, "COMBOBOX"},
        {R"(COMBOBOX 1, 0, 0, 1, 1, CBS_DROPDOWNLIST)", 0x50000003, "COMBOBOX"},
        {R"(COMBOBOX 1, 0, 0, 1, 1, WS_VSCROLL)", 0x50200000, "COMBOBOX"},
        {R"(COMBOBOX 1, 0, 0, 1, 1, NOT WS_TABSTOP)", 0x50000000, "COMBOBOX"},
        {R"(SCROLLBAR 1, 0, 0, 1, 1)", 0x50000000, "SCROLLBAR"},
        {R"(SCROLLBAR 1, 0, 0, 1, 1, WS_BORDER)", 0x50800000, "SCROLLBAR"},
        {R"(CONTROL "a", 1, "Button", BS_AUTOCHECKBOX, 0, 0, 1, 1)", 0x50000003, "BUTTON"},
        {R"(CONTROL "a", 1, "Button", NOT WS_VISIBLE, 0, 0, 1, 1)", 0x40000000, "BUTTON"},
        {R"(CONTROL "", 1, "Edit", ES_AUTOHSCROLL | WS_BORDER, 0, 0, 1, 1)", 0x50800080, "EDIT"},
        {R"(CONTROL "", 1, "msctls_updown32", 0, 0, 0, 1, 1)", 0x50000000, "MSCTLS_UPDOWN32"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        ControlTemplate control = OnlyControl(c.statement);
        EXPECT_EQ(Hex(control.style), Hex(c.style));
        EXPECT_EQ(control.windowClass, c.windowClass);
    }
}

TEST(ReadingControls, FieldsAndExtendedStyles) {
    ControlTemplate c = OnlyControl(R"(PUSHBUTTON "Go", 7, 1, 2, 3, 4, WS_GROUP, WS_EX_CLIENTEDGE)");
    EXPECT_EQ(c.kind, "PUSHBUTTON");
    EXPECT_EQ(c.text, "Go");
    EXPECT_EQ(c.id, 7);
    EXPECT_EQ(std::vector<int>({c.x, c.y, c.width, c.height}), std::vector<int>({1, 2, 3, 4}));
    EXPECT_EQ(c.exStyle, ex::kClientEdge);

    c = OnlyControl(R"(CONTROL "t", 9, "Static", SS_NOTIFY, 5, 6, 7, 8, WS_EX_STATICEDGE)");
    EXPECT_EQ(c.kind, "CONTROL");
    EXPECT_EQ(c.id, 9);
    EXPECT_EQ(std::vector<int>({c.x, c.y, c.width, c.height}), std::vector<int>({5, 6, 7, 8}));
    EXPECT_EQ(c.exStyle, ex::kStaticEdge);
}

// Dialog styles and fonts as GNU windres 2.40 writes them.
TEST(ReadingDialogs, StyleStatementsInTheirOrder) {
    struct Case {
        const char* statements;
        std::uint32_t style, exStyle;
        int fontSize;
    };
    const Case cases[] = {
        {"", 0x80880000, 0, 0},  // WS_POPUP | WS_BORDER | WS_SYSMENU without a STYLE
        {"STYLE WS_CHILD", 0x40000000, 0, 0},
        {"CAPTION \"x\"\nFONT 9, \"A\"", 0x80c80040, 0, 9},
        {"CAPTION \"x\"\nSTYLE WS_CHILD", 0x40c00000, 0, 0},
        {"STYLE WS_CHILD\nCAPTION \"x\"", 0x40c00000, 0, 0},
        {"CAPTION \"x\"\nSTYLE NOT WS_CAPTION", 0, 0, 0},
        {"STYLE NOT WS_CAPTION\nCAPTION \"x\"", 0x00c00000, 0, 0},
        {"STYLE WS_CHILD\nSTYLE WS_POPUP", 0xc0000000, 0, 0},
        {"STYLE NOT 1 | 6", 0x6, 0, 0},
        {"STYLE WS_CHILD | 0x1 | (0x2) | 4L", 0x40000007, 0, 0},
        {"FONT 9, \"A\"\nSTYLE NOT DS_SETFONT", 0, 0, 0},  // no font in the template then
        {"STYLE WS_CHILD\nFONT 9, \"A\", 400, 0, 0x80", 0x40000040, 0, 9},
        {"EXSTYLE WS_EX_TOPMOST\nEXSTYLE WS_EX_APPWINDOW", 0x80880000, 0x40000, 0},
        {"EXSTYLE WS_EX_TOPMOST | WS_EX_APPWINDOW", 0x80880000, 0x40008, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statements);
        std::vector<DialogTemplate> dialogs =
            Read(std::string("1 DIALOGEX 0, 0, 10, 10\n") + c.statements + "\nBEGIN\nEND\n");
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(Hex(dialogs[0].style), Hex(c.style));
        EXPECT_EQ(Hex(dialogs[0].exStyle), Hex(c.exStyle));
        EXPECT_EQ(dialogs[0].fontSize, c.fontSize);
        EXPECT_EQ(dialogs[0].fontName, c.fontSize ? "A" : "");
    }
}

TEST(ReadingDialogs, HeaderFieldsAndBraces) {
    std::vector<DialogTemplate> dialogs = Read(
        "5 DIALOG DISCARDABLE 1, 2, 30, 40\nCAPTION \"One\"\n{\n  EDITTEXT 3, 0, 0, 1, 1\n}\n"
        "6 DIALOGEX 0, 0, 9, 9, 77\nBEGIN\nEND\n");
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0].id, 5);
    EXPECT_FALSE(dialogs[0].extended);
    EXPECT_EQ(dialogs[0].caption, "One");
    EXPECT_EQ(std::vector<int>({dialogs[0].x, dialogs[0].y, dialogs[0].width, dialogs[0].height}),
              std::vector<int>({1, 2, 30, 40}));
    ASSERT_EQ(dialogs[0].controls.size(), 1u);
    EXPECT_EQ(dialogs[1].id, 6);
    EXPECT_TRUE(dialogs[1].extended);
    EXPECT_TRUE(dialogs[1].controls.empty());
}

TEST(ReadingNames, FromTheHeaderTheScriptAndWindows) {
    struct Case {
        const char* what;
        std::string header, scriptDefines, id;
        int expected;
    };
    const Case cases[] = {
        {"a header symbol", "#define IDC_X 1234\n", "", "IDC_X", 1234},
        {"a header with C around its defines",
         "#pragma once\n#ifndef IDC_STATIC\n#define IDC_STATIC (-1)\n#endif\nint f(void);\n"
         "#define F(x) x\n#define S \"s\"\n#define GUARD\n  #  define IDC_X 7 // seven\n",
         "", "IDC_X", 7},
        {"a symbol built on another", "#define BASE 1000\n#define IDC_Y (BASE + 5)\n", "", "IDC_Y", 1005},
        {"a continued define", "#define IDC_Z \\\n  42\n", "", "IDC_Z", 42},
        {"a redefinition", "#define A 1\n#define A 2\n", "", "A", 2},
        {"a define in the script", "", "#define LOCAL 0x20\n", "LOCAL", 32},
        {"the script's define over the header's", "#define A 1\n", "#define A 3\n", "A", 3},
        {"IDOK", "", "", "IDOK", 1},
        {"IDCANCEL", "", "", "IDCANCEL", 2},
        {"IDC_STATIC without a header", "", "", "IDC_STATIC", -1},
        {"a negative number", "", "", "-1", -1},
        {"hexadecimal", "", "", "0x10", 16},
        {"a sum in parentheses", "", "", "(2+3)", 5},
        {"bits", "", "", "7 | 8", 15},
        {"a style name", "", "", "WS_TABSTOP", 0x10000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<DialogTemplate> dialogs =
            Read(c.scriptDefines + "1 DIALOG 0, 0, 1, 1\nBEGIN\n  EDITTEXT " + c.id + ", 0, 0, 1, 1\nEND\n",
                 c.header);
        ASSERT_EQ(dialogs.size(), 1u);
        ASSERT_EQ(dialogs[0].controls.size(), 1u);
        EXPECT_EQ(dialogs[0].controls[0].id, c.expected);
    }
}

TEST(ReadingNames, DialogNamesAndLookUps) {
    std::vector<DialogTemplate> dialogs = Read(
        "#include \"resource.h\"\nIDD_A DIALOG 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", IDC_STATIC, 0, 0, 1, 1\n"
        "  LTEXT \"b\", IDC_STATIC, 0, 0, 1, 1\n  EDITTEXT 4, 0, 0, 1, 1\nEND\n",
        "#define IDD_A 300\n");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(FindDialogTemplate(dialogs, 300), &dialogs[0]);
    EXPECT_EQ(FindDialogTemplate(dialogs, 301), nullptr);
    const ControlTemplate* label = FindControlTemplate(dialogs[0], -1);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, "a");  // the first of the repeated ids
    EXPECT_EQ(FindControlTemplate(dialogs[0], 4), &dialogs[0].controls[2]);
    EXPECT_EQ(FindControlTemplate(dialogs[0], 5), nullptr);
}

TEST(ReadingStrings, BytesKeptAndDoubledQuotes) {
    struct Case {
        const char* what;
        std::string written, text;
    };
    const Case cases[] = {
        {"doubled quotes inside", R"("say ""hi""")", R"(say "hi")"},
        {"only a quote", R"("""")", "\""},
        {"empty", R"("")", ""},
        // ソ: its trail byte is a backslash, which must not escape the closing quote.
        {"a trail byte 0x5C before the quote", "\"\x83\x5c\"", "\x83\x5c"},
        {"a backslash kept as it is", R"("a\tb")", R"(a\tb)"},
        {"a wide string's bytes", R"(L"wide")", "wide"},
        {"comment marks inside", R"("// not /* a comment")", "// not /* a comment"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ControlTemplate control = OnlyControl("LTEXT " + c.written + ", 1, 0, 0, 1, 1");
        EXPECT_EQ(control.text, c.text);
        EXPECT_EQ(control.id, 1);
    }
}

TEST(ReadingScripts, OtherResourcesArePassedOver) {
    const std::string rc =
        "// a comment with BEGIN in it\n"
        "#pragma code_page(932)\n"
        "#include <winres.h>\n"
        "/* a block comment\n   1 DIALOG 0, 0, 1, 1 BEGIN END\n*/\n"
        "LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT\n"
        "IDI_APP ICON \"app.ico\"\n"
        "1 VERSIONINFO\n"
        " FILEVERSION 1,11,1,1\n"
        " FILEOS 0x4L\n"
        "BEGIN\n"
        "  BLOCK \"StringFileInfo\"\n"
        "  BEGIN\n"
        "    BLOCK \"041103a4\"\n"
        "    BEGIN\n"
        "      VALUE \"FileDescription\", \"\x83\x5c\\\x83\x74\"\n"
        "    END\n"
        "  END\n"
        "  BLOCK \"VarFileInfo\" { VALUE \"Translation\", 0x411, 932 }\n"
        "END\n"
        "STRINGTABLE\nBEGIN\n  1, \"one\"\nEND\n"
        "7 MENU\nBEGIN\n  POPUP \"File\"\n  BEGIN\n    MENUITEM \"Exit\", 2\n  END\nEND\n"
        "1 24 \"app.manifest\"\n"
        "10 DIALOG 0, 0, 1, 1\nBEGIN\n  EDITTEXT 1, 0, 0, 1, 1\nEND\n"
        "2 RCDATA { 1, 2, 3 }\n"
        "11 DIALOGEX 0, 0, 1, 1\nBEGIN\n"
        "  CONTROL \"\", 2, \"Button\", 0, 0, 0, 1, 1, 0, 99\n"
        "  BEGIN\n    1, 2\n  END\n"
        "  EDITTEXT 3, 0, 0, 1, 1\n"
        "END\n";
    std::vector<DialogTemplate> dialogs = Read(rc);
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0].id, 10);
    EXPECT_EQ(dialogs[0].controls.size(), 1u);
    EXPECT_EQ(dialogs[1].id, 11);
    ASSERT_EQ(dialogs[1].controls.size(), 2u);
    EXPECT_EQ(dialogs[1].controls[1].id, 3);
}

TEST(ReadingScripts, MalformedInputNamesItsLine) {
    struct Case {
        const char* what;
        std::string rc;
        int line;
    };
    const std::string head = "1 DIALOG 0, 0, 1, 1\nBEGIN\n";
    const Case cases[] = {
        {"a string left open", head + "  LTEXT \"abc, 1, 0, 0, 1, 1\nEND\n", 3},
        {"a comment left open", "// fine\n/* open\n\n", 2},
        {"no END", head + "  EDITTEXT 1, 0, 0, 1, 1\n", 3},
        {"no BEGIN", "1 DIALOG 0, 0, 1, 1\nCAPTION \"x\"", 2},
        {"an undefined name", head + "  EDITTEXT 1, 0, 0, 1, 1\n  EDITTEXT IDC_NOPE, 0, 0, 1, 1\nEND\n", 4},
        {"a name after its #undef",
         "#define A 1\n#undef A\n" + head + "  EDITTEXT A, 0, 0, 1, 1\nEND\n", 5},
        {"an undefined dialog name", "\nIDD_NOPE DIALOG 0, 0, 1, 1\nBEGIN\nEND\n", 2},
        {"a control we do not read", head + "  ICON \"x\", 1, 0, 0\nEND\n", 3},
        {"a missing comma", head + "  EDITTEXT 1, 0, 0 1, 1\nEND\n", 3},
        {"a word for a number", head + "  EDITTEXT 12ab, 0, 0, 1, 1\nEND\n", 3},
        {"arithmetic outside parentheses in a style",
         head + "  LTEXT \"a\", 1, 0, 0, 1, 1, WS_BORDER + 1\nEND\n", 3},
        {"an unknown dialog statement", "1 DIALOG 0, 0, 1, 1\n\nMARGIN 4\nBEGIN\nEND\n", 3},
        {"a block never closed", "1 VERSIONINFO\nBEGIN\n  BLOCK \"x\"\n  BEGIN\nEND\n", 5},
        {"punctuation for a resource", "\n\n}\n", 3},
        {"a deep expression",
         head + "  EDITTEXT " + std::string(5000, '(') + "1" + std::string(5000, ')') + ", 0, 0, 1, 1\nEND\n", 3},
        {"a long run of minus signs", head + "  EDITTEXT " + std::string(5000, '-') + "1, 0, 0, 1, 1\nEND\n", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ErrorLine(c.rc), c.line);
    }
}

// Nothing but std::runtime_error may come out, whatever the bytes; under the sanitizers this
// also catches reads past the end.
void ExpectReadOrRuntimeError(const std::string& rc) {
    try {
        Read(rc, rc);
    } catch (const std::runtime_error&) {
    } catch (const std::exception& e) {
        ADD_FAILURE() << "threw " << e.what() << " for " << testing::PrintToString(rc);
    }
}

TEST(ReadingScripts, GarbageNeverBreaksTheReader) {
    const std::string& script = ScriptText();
    ASSERT_FALSE(script.empty());
    for (std::size_t length = 0; length <= script.size(); ++length)
        ExpectReadOrRuntimeError(script.substr(0, length));

    std::mt19937 random(1111);
    for (int round = 0; round < 500; ++round) {
        std::string mutated = script;
        for (int k = 0; k < 4; ++k)
            mutated[random() % mutated.size()] = static_cast<char>(random() % 256);
        ExpectReadOrRuntimeError(mutated);
    }

    const char* const pieces[] = {"1", "-", "(", ")", ",", "|", "NOT", "\"", "\"\"", "BEGIN", "END",
                                  "{", "}", "DIALOG", "DIALOGEX", "STYLE", "FONT", "CAPTION",
                                  "CONTROL", "LTEXT", "COMBOBOX", "#define X", "\n", " ", "/*",
                                  "*/", "//", "\\", "0x", "L", "WS_CHILD", "\x83", "\x5c", "~"};
    for (int round = 0; round < 3000; ++round) {
        std::string rc;
        for (int k = static_cast<int>(random() % 40); k > 0; --k)
            rc += pieces[random() % (sizeof pieces / sizeof pieces[0])];
        ExpectReadOrRuntimeError(rc);
    }
}

}  // namespace
