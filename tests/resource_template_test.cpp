// Zandry's three dialog templates as windres compiles them from res/zandry.rc, the bytes
// zandry.exe carries, read back by our dialog manager; and that reader over other resource
// files, well made or not.
#include "ui/framework/terminal/resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <sstream>

#include "res/resource.h"
#include "ui/framework/terminal/template_window.h"

namespace {

// Windows' style bits, by their names in windows.h.
constexpr std::uint32_t kPopup = 0x80000000, kChild = 0x40000000, kVisible = 0x10000000,
                        kDisabled = 0x08000000, kBorder = 0x00800000, kCaption = 0x00C00000,
                        kVScroll = 0x00200000, kSysMenu = 0x00080000, kThickFrame = 0x00040000,
                        kGroup = 0x00020000, kTabStop = 0x00010000, kMinimizeBox = 0x00020000,
                        kMaximizeBox = 0x00010000;
constexpr std::uint32_t kModalFrame = 0x80, kSetFont = 0x40, kAppWindow = 0x00040000;
constexpr std::uint32_t kButtonType = 0xF, kPushButton = 0, kDefPushButton = 1, kGroupBox = 7;
constexpr std::uint32_t kStaticType = 0x1F, kLeftText = 0;
constexpr std::uint32_t kEditCenter = 1, kEditRight = 2, kEditMultiLine = 4, kEditPassword = 0x20,
                        kEditAutoHScroll = 0x80, kEditReadOnly = 0x800;
constexpr std::uint32_t kListNotify = 1, kListSort = 2, kListMultipleSel = 8,
                        kListNoIntegralHeight = 0x100, kListExtendedSel = 0x800, kListNoSel = 0x4000;
constexpr std::uint32_t kComboType = 3, kDropDownList = 3, kComboSort = 0x100;

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
    std::string caption;
    int x, y, width, height;
    int fontSize;
    bool visible;
    std::uint32_t exStyle;
};

const DialogCase kDialogs[] = {
    // ザンドリー Ver1.11
    {"chooser", IDD_CHOOSER, "\x83\x55\x83\x93\x83\x68\x83\x8a\x81\x5b Ver1.11", 0, 0, 106, 114, 10,
     true, kAppWindow},
    // 追加･削除, with the half-width middle dot
    {"pet management", IDD_PET_MANAGE, "\x92\xc7\x89\xc1\xa5\x8d\xed\x8f\x9c", 0, 0, 163, 130, 10,
     false, 0},
    // 初期設定
    {"first-run setup", IDD_INIT_SETUP, "\x8f\x89\x8a\xfa\x90\xdd\x92\xe8", 0, 0, 151, 105, 9,
     false, 0},
};

TEST(ZandryTemplates, HoldTheThreeDialogsAndNoOther) {
    std::optional<std::vector<DialogTemplate>> all = ReadDialogTemplates(kZandryRes, kZandryResSize);
    ASSERT_TRUE(all.has_value());
    ASSERT_EQ(all->size(), 3u);
    for (const DialogCase& c : kDialogs) EXPECT_NE(FindDialogTemplate(c.id), nullptr) << c.what;
    EXPECT_EQ(FindDialogTemplate(IDI_ZANDRY), nullptr) << "the icon is no dialog";
}

TEST(ZandryTemplates, DialogFramesCaptionsAndFonts) {
    // Modal, with a title bar and a close box; never resizable, minimisable or maximisable.
    const std::uint32_t frame = kPopup | kCaption | kSysMenu | kModalFrame | kSetFont;
    const std::uint32_t never = kMinimizeBox | kMaximizeBox | kThickFrame | kChild | kDisabled;
    for (const DialogCase& c : kDialogs) {
        SCOPED_TRACE(c.what);
        const DialogTemplate* d = FindDialogTemplate(c.id);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->caption, c.caption);
        EXPECT_EQ(std::vector<int>({d->x, d->y, d->width, d->height}),
                  std::vector<int>({c.x, c.y, c.width, c.height}));
        EXPECT_EQ(d->fontName, kMsPGothic);
        EXPECT_EQ(d->fontSize, c.fontSize);
        EXPECT_EQ(d->style & frame, frame) << Hex(d->style);
        EXPECT_EQ(d->style & never, 0u) << Hex(d->style);
        EXPECT_EQ((d->style & kVisible) != 0, c.visible) << Hex(d->style);
        EXPECT_EQ(d->exStyle, c.exStyle) << Hex(d->exStyle);
    }
}

// What a control is to our dialog manager, and what its style must say: a type field
// compared whole, bits it must have, bits it must not have.
enum class Role { Push, Default, Frame, Label, Edit, List, SortedList };

struct Kind {
    int windowClass;
    Role role;
    std::uint32_t typeMask, type, required, forbidden;
};

constexpr std::uint32_t kEveryControl = kChild | kVisible;
const Kind kPush{control_class::kButton, Role::Push, kButtonType, kPushButton,
                 kEveryControl | kTabStop, kDisabled};
const Kind kDefault{control_class::kButton, Role::Default, kButtonType, kDefPushButton,
                    kEveryControl | kTabStop, kDisabled};
const Kind kGroupFrame{control_class::kButton, Role::Frame, kButtonType, kGroupBox, kEveryControl, kTabStop};
const Kind kLabel{control_class::kStatic, Role::Label, kStaticType, kLeftText, kEveryControl | kGroup, kTabStop};
const Kind kOneLineEdit{control_class::kEdit, Role::Edit, kEditCenter | kEditRight, 0,
                        kEveryControl | kBorder | kTabStop | kEditAutoHScroll,
                        kDisabled | kEditMultiLine | kEditReadOnly | kEditPassword};
constexpr std::uint32_t kListRequired =
    kEveryControl | kBorder | kTabStop | kVScroll | kListNotify | kListNoIntegralHeight;
// Single selection: none of the multiple-selection styles, and selectable at all.
constexpr std::uint32_t kListForbidden = kDisabled | kListMultipleSel | kListExtendedSel | kListNoSel;
const Kind kUnsortedList{control_class::kListBox, Role::List, 0, 0, kListRequired,
                         kListForbidden | kListSort};
const Kind kSortedList{control_class::kListBox, Role::SortedList, 0, 0, kListRequired | kListSort,
                       kListForbidden};
const Kind kDropDown{control_class::kComboBox, Role::List, kComboType, kDropDownList,
                     kEveryControl | kTabStop | kVScroll, kDisabled | kComboSort};

struct ControlCase {
    int id;
    std::string text;
    int x, y, width, height;
    Kind kind;
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
         {1, "\x8b\x4e\x93\xae", 30, 50, 43, 32, kDefault},  // 起動
         {1025, "", 15, 25, 75, 70, kDropDown},
         {1026, "\x90\xdd\x92\xe8", 7, 93, 44, 14, kPush},  // 設定
         {2, "\x8f\x49\x97\xb9", 55, 93, 44, 14, kPush},    // 終了
         // ペットを選んでください。
         {-1,
          "\x83\x79\x83\x62\x83\x67\x82\xf0\x91\x49\x82\xf1\x82\xc5\x82\xad\x82\xbe\x82\xb3\x82\xa2"
          "\x81\x42",
          16, 7, 74, 8, kLabel},
     }},
    {"pet management",
     IDD_PET_MANAGE,
     {
         {1036, "", 15, 30, 70, 12, kOneLineEdit},
         {1040, "\x90\x56\x82\xb5\x82\xad\x8e\x94\x82\xa4", 100, 30, 51, 14, kPush},  // 新しく飼う
         {1042, "\x96\xbc\x91\x4f\x82\xf0\x95\xcf\x82\xa6\x82\xe9", 100, 55, 51, 14,
          kPush},                                                       // 名前を変える
         {1039, "\x8e\xcc\x82\xc4\x82\xe9", 100, 80, 51, 14, kPush},    // 捨てる
         {1, "\x96\xdf\x82\xe9", 100, 105, 51, 14, kDefault},           // 戻る
         {1037, "", 15, 64, 70, 51, kUnsortedList},
         // ペットの追加･削除をします。
         {-1,
          "\x83\x79\x83\x62\x83\x67\x82\xcc\x92\xc7\x89\xc1\xa5\x8d\xed\x8f\x9c\x82\xf0\x82\xb5\x82"
          "\xdc\x82\xb7\x81\x42",
          38, 7, 89, 8, kLabel},
         {-1, "\x96\xbc\x91\x4f", 10, 20, 80, 30, kGroupFrame},          // 名前
         {-1, "\x83\x8a\x83\x58\x83\x67", 10, 54, 80, 66, kGroupFrame},  // リスト
     }},
    {"first-run setup",
     IDD_INIT_SETUP,
     {
         {1, "\x8f\x89\x8a\xfa\x89\xbb", 7, 75, 30, 14, kDefault},  // 初期化
         {2, "\xb7\xac\xdd\xbe\xd9", 41, 75, 30, 14, kPush},        // ｷｬﾝｾﾙ, half-width
         {1049, "", 15, 40, 48, 14, kOneLineEdit},
         {1050, "", 80, 35, 60, 51, kSortedList},
         // ザンドリーの初期設定を行います。
         {-1,
          "\x83\x55\x83\x93\x83\x68\x83\x8a\x81\x5b\x82\xcc\x8f\x89\x8a\xfa\x90\xdd\x92\xe8\x82\xf0"
          "\x8d\x73\x82\xa2\x82\xdc\x82\xb7\x81\x42",
          11, 7, 128, 8, kLabel},
         // Kirimoバージョン
         {-1, "Kirimo\x83\x6f\x81\x5b\x83\x57\x83\x87\x83\x93", 7, 25, 64, 35, kGroupFrame},
         // 概存のペット
         {-1, "\x8a\x54\x91\xb6\x82\xcc\x83\x79\x83\x62\x83\x67", 75, 25, 70, 67, kGroupFrame},
     }},
};

// The dialog manager tells the controls apart by class and style alone; what it makes of
// each template control decides which Enter presses, which the letters press, and which lists sort.
TEST(ZandryTemplates, ControlsInTabOrderAreWhatTheDialogManagerTakesThemFor) {
    for (const DialogControls& dialog : kControls) {
        SCOPED_TRACE(dialog.what);
        const DialogTemplate* d = FindDialogTemplate(dialog.id);
        ASSERT_NE(d, nullptr);
        ASSERT_EQ(d->controls.size(), dialog.controls.size());
        for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
            const ControlTemplate& got = d->controls[i];
            const ControlCase& want = dialog.controls[i];
            SCOPED_TRACE("control " + std::to_string(i));
            EXPECT_EQ(got.id, want.id);
            EXPECT_EQ(got.windowClass, want.kind.windowClass);
            EXPECT_EQ(got.text, want.text);
            EXPECT_EQ(std::vector<int>({got.x, got.y, got.width, got.height}),
                      std::vector<int>({want.x, want.y, want.width, want.height}));
            EXPECT_EQ(got.style & want.kind.typeMask, want.kind.type) << Hex(got.style);
            EXPECT_EQ(got.style & want.kind.required, want.kind.required) << Hex(got.style);
            EXPECT_EQ(got.style & want.kind.forbidden, 0u) << Hex(got.style);
            const ControlTemplate& c = got;
            const Role role = want.kind.role;
            EXPECT_EQ(IsPushButton(c), role == Role::Push || role == Role::Default);
            EXPECT_EQ(IsDefaultButton(c), role == Role::Default);
            EXPECT_EQ(IsGroupBox(c), role == Role::Frame);
            EXPECT_EQ(IsEdit(c), role == Role::Edit);
            EXPECT_EQ(IsList(c), role == Role::List || role == Role::SortedList);
            EXPECT_EQ(IsSortedList(c), role == Role::SortedList);
        }
    }
}

// ---- the reader ----------------------------------------------------------------------

// A .res file built by hand, for what windres may write but res/zandry.rc does not use.
class ResBytes {
public:
    ResBytes() { Entry(0, 0, {}); }  // the empty entry a .res file starts with

    // A resource whose type and name are ordinals; a negative one is written as a string.
    ResBytes& Entry(int type, int name, const std::vector<unsigned char>& data) {
        std::vector<unsigned char> header;
        Put(header, static_cast<std::uint32_t>(data.size()), 4);
        std::size_t sizeAt = header.size();
        Put(header, 0, 4);
        for (int id : {type, name}) {
            if (id < 0) {
                PutText(header, u"NAMED");
            } else {
                Put(header, 0xFFFF, 2);
                Put(header, static_cast<std::uint32_t>(id), 2);
            }
        }
        Align(header);
        Put(header, 0, 4);          // data version
        Put(header, 0x1030, 2);     // memory flags
        Put(header, 0x0411, 2);     // Japanese
        Put(header, 0, 8);          // version, characteristics
        header[sizeAt] = static_cast<unsigned char>(header.size());
        bytes_.insert(bytes_.end(), header.begin(), header.end());
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        Align(bytes_);
        return *this;
    }
    std::optional<std::vector<DialogTemplate>> Read() const {
        return ReadDialogTemplates(bytes_.data(), bytes_.size());
    }
    std::vector<unsigned char>& Bytes() { return bytes_; }

    static void Put(std::vector<unsigned char>& out, std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i, value >>= 8) out.push_back(static_cast<unsigned char>(value));
    }
    static void PutText(std::vector<unsigned char>& out, const std::u16string& text) {
        for (char16_t c : text) Put(out, c, 2);
        Put(out, 0, 2);
    }
    static void PutOrdinal(std::vector<unsigned char>& out, int id) {
        Put(out, 0xFFFF, 2);
        Put(out, static_cast<std::uint32_t>(id), 2);
    }
    static void Align(std::vector<unsigned char>& out) {
        while (out.size() % 4) out.push_back(0);
    }

private:
    std::vector<unsigned char> bytes_;
};

using R = ResBytes;

// A DIALOG of these controls, each written by `control`; no font.
std::vector<unsigned char> Dialog(int count, const std::u16string& caption,
                                  const std::vector<std::vector<unsigned char>>& controls) {
    std::vector<unsigned char> d;
    R::Put(d, kPopup, 4);
    R::Put(d, 0, 4);
    R::Put(d, static_cast<std::uint32_t>(count), 2);
    R::Put(d, 0x0004000300020001, 8);  // x, y, width, height: 1, 2, 3, 4
    R::Put(d, 0, 2);  // no menu
    R::Put(d, 0, 2);  // the dialog class
    R::PutText(d, caption);
    for (const std::vector<unsigned char>& control : controls) {
        R::Align(d);
        d.insert(d.end(), control.begin(), control.end());
    }
    return d;
}

TEST(ReadingResources, ControlsOfEveryKindWindresWrites) {
    std::vector<unsigned char> named, icon, withData, last;
    for (auto* c : {&named, &icon, &withData, &last}) {
        R::Put(*c, kChild | kVisible | kTabStop, 4);
        R::Put(*c, 0, 4);
        R::Put(*c, 0x0008000700060005, 8);
    }
    R::Put(named, 10, 2);
    R::PutText(named, u"msctls_updown32");  // a class by name
    R::PutText(named, u"\x30BD");             // ソ, whose trail byte is a backslash
    R::Put(named, 0, 2);
    R::Put(icon, 11, 2);
    R::PutOrdinal(icon, control_class::kStatic);
    R::PutOrdinal(icon, IDI_ZANDRY);  // a text that names a resource
    R::Put(icon, 0, 2);
    R::Put(withData, 12, 2);
    R::PutOrdinal(withData, control_class::kButton);
    R::PutText(withData, u"\xFF7A\xFF7A");  // half-width ko ko
    R::Put(withData, 2, 2);                  // two bytes of creation data, after two to align them
    R::Put(withData, 0xABCD0000, 4);
    R::Put(last, 0xFFFF, 2);
    R::PutOrdinal(last, control_class::kEdit);
    R::PutText(last, u"");
    R::Put(last, 0, 2);

    ResBytes res;
    res.Entry(6, 1, {1, 2, 3, 4})                                   // a string table
        .Entry(-1, 7, {9, 9})                                       // a type by name
        .Entry(5, -1, Dialog(0, u"by name", {}))                    // a dialog named by a string
        .Entry(5, 300, Dialog(4, u"Go", {named, icon, withData, last}));
    std::optional<std::vector<DialogTemplate>> dialogs = res.Read();
    ASSERT_TRUE(dialogs.has_value());
    ASSERT_EQ(dialogs->size(), 1u);
    const DialogTemplate& d = (*dialogs)[0];
    EXPECT_EQ(d.id, 300);
    EXPECT_EQ(d.caption, "Go");
    EXPECT_EQ(std::vector<int>({d.x, d.y, d.width, d.height}), std::vector<int>({1, 2, 3, 4}));
    EXPECT_EQ(d.style, kPopup);
    EXPECT_EQ(d.fontName, "");
    EXPECT_EQ(d.fontSize, 0);
    ASSERT_EQ(d.controls.size(), 4u);
    const std::vector<ControlTemplate>& c = d.controls;
    EXPECT_EQ(c[0].id, 10);
    EXPECT_EQ(c[0].windowClass, 0);
    EXPECT_EQ(c[0].text, "\x83\x5c");
    EXPECT_EQ(std::vector<int>({c[0].x, c[0].y, c[0].width, c[0].height}), std::vector<int>({5, 6, 7, 8}));
    EXPECT_EQ(c[0].style, kChild | kVisible | kTabStop);
    EXPECT_EQ(c[1].id, 11);
    EXPECT_EQ(c[1].windowClass, control_class::kStatic);
    EXPECT_EQ(c[1].text, "");
    EXPECT_EQ(c[2].id, 12);
    EXPECT_EQ(c[2].text, "\xba\xba");
    EXPECT_EQ(c[3].id, -1);
    EXPECT_EQ(c[3].windowClass, control_class::kEdit);
}

TEST(ReadingResources, MalformedFilesAreRefused) {
    std::vector<unsigned char> control;
    R::Put(control, kChild, 4);
    R::Put(control, 0, 12);
    R::Put(control, 1, 2);
    R::PutOrdinal(control, control_class::kButton);
    R::PutText(control, u"A");
    R::Put(control, 0, 2);
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, const std::function<void(std::vector<unsigned char>&)>& change) {
        ResBytes res;
        res.Entry(5, 1, Dialog(1, u"ok", {control}));
        std::vector<unsigned char> bytes = res.Bytes();
        change(bytes);
        cases.push_back({what, bytes});
    };
    const std::size_t entry = 32;  // where the dialog's entry starts, after the empty one
    add("a header size shorter than the header", [&](auto& b) { b[entry + 4] = 8; });
    add("a header size past the end", [&](auto& b) { b[entry + 5] = 0x10; });
    add("a data size past the end", [&](auto& b) { b[entry + 1] = 0x10; });
    add("more controls than the data holds", [&](auto& b) { b[entry + 32 + 8] = 2; });
    add("a caption without its end", [&](auto& b) {
        b.resize(entry + 32 + 28);
        b[entry] = 26;
    });
    add("a type name without its end", [&](auto& b) {
        b.resize(entry + 8);
        for (int i = 0; i < 4; ++i) b.push_back('A');
    });
    for (const Case& c : cases) EXPECT_FALSE(ReadDialogTemplates(c.bytes.data(), c.bytes.size())) << c.what;
    // The same file unharmed reads.
    ResBytes good;
    good.Entry(5, 1, Dialog(1, u"ok", {control}));
    ASSERT_TRUE(good.Read().has_value());
    EXPECT_EQ(good.Read()->at(0).controls.at(0).text, "A");
}

// Cut anywhere, Zandry's own file reads only where the cut falls between two entries, and
// then as the dialogs before it; harmed at random it may read or not, but never out of its
// bounds (which the sanitizer build holds to).
TEST(ReadingResources, CutOrHarmedFilesNeverReadPastTheirEnd) {
    const std::vector<unsigned char> whole(kZandryRes, kZandryRes + kZandryResSize);
    const std::optional<std::vector<DialogTemplate>> all = ReadDialogTemplates(whole.data(), whole.size());
    ASSERT_TRUE(all.has_value());
    std::vector<std::size_t> boundaries;
    for (std::size_t at = 0; at < whole.size();) {
        boundaries.push_back(at);
        auto field = [&](std::size_t i) { return std::size_t{whole[i]} | std::size_t{whole[i + 1]} << 8; };
        at += (field(at) + field(at + 4) + 3) / 4 * 4;
    }
    for (std::size_t length = 0; length < whole.size(); ++length) {
        std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        std::optional<std::vector<DialogTemplate>> read = ReadDialogTemplates(cut.data(), cut.size());
        bool between = std::find(boundaries.begin(), boundaries.end(), length) != boundaries.end();
        ASSERT_EQ(read.has_value(), between) << "cut at " << length;
        if (!read) continue;
        ASSERT_LE(read->size(), all->size());
        for (std::size_t i = 0; i < read->size(); ++i) EXPECT_EQ((*read)[i].id, (*all)[i].id);
    }
    std::mt19937 random(1111);
    for (int round = 0; round < 3000; ++round) {
        std::vector<unsigned char> harmed = whole;
        for (int k = 0; k < 4; ++k) harmed[random() % harmed.size()] = static_cast<unsigned char>(random());
        harmed.resize(random() % (harmed.size() + 1));
        ReadDialogTemplates(harmed.data(), harmed.size());
    }
}

}  // namespace
