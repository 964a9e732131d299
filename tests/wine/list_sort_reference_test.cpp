// The sorted list of our dialog manager against a real LBS_SORT list box: the same names added
// in the same order end in the same order; and the portable locale comparison orders every
// character of the code page, and names made of them, as lstrcmpiA does. Win32 build only; run
// under Wine (LANG=ja_JP.UTF-8, for code page 932) or Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "tests/support/shown_bytes.h"
#include "ui/framework/terminal/list_model.h"

namespace {

// Names of each kind the order tells apart, and of kinds it takes as equal.
const std::vector<std::string> kNames = {
    // ASCII, symbols and punctuation: !a _x ~a [a] a.b a-b ab a- -a a'b
    "!a", "_x", "~a", "[a]", "a.b", "a-b", "ab", "a-", "-a", "a'b",
    // digits: 1a 10 2 １a ①
    "1a", "10", "2", "\x82\x50" "a", "\x87\x40",
    // letter case: a A ab Ab aB AB abc ABC Alpha moko Moko
    "a", "A", "ab", "Ab", "aB", "AB", "abc", "ABC", "Alpha", "moko", "Moko",
    // full-width letters, Greek, Cyrillic: ａ ＡＢＣ ａｂｃ α Ω ж Ж
    "\x82\x81", "\x82\x60\x82\x61\x82\x62", "\x82\x81\x82\x82\x82\x83", "\x83\xbf", "\x83\xb6",
    "\x84\x77", "\x84\x47",
    // kana of both widths and types, sound marks:
    // ｱ ア あ ァ ぁ アア あい は ば パ ぱ ﾊ ﾊﾞ ﾊﾟ ヴ ｳﾞ ん ン ゛ ﾞ か゛
    "\xb1", "\x83\x41", "\x82\xa0", "\x83\x40", "\x82\x9f", "\x83\x41\x83\x41", "\x82\xa0\x82\xa2",
    "\x82\xcd", "\x82\xce", "\x83\x70", "\x82\xcf", "\xca", "\xca\xde", "\xca\xdf", "\x83\x94",
    "\xb3\xde", "\x82\xf1", "\x83\x93", "\x81\x4a", "\xde", "\x82\xa9\x81\x4a",
    // long vowel and repeat marks: カー かあ カア ｶｰ かゝ かゞ カヽ カヾ 時々 ー ｰ ヽ ゝ 々 ―
    "\x83\x4a\x81\x5b", "\x82\xa9\x82\xa0", "\x83\x4a\x83\x41", "\xb6\xb0", "\x82\xa9\x81\x54",
    "\x82\xa9\x81\x55", "\x83\x4a\x81\x52", "\x83\x4a\x81\x53", "\x8e\x9e\x81\x58", "\x81\x5b",
    "\xb0", "\x81\x52", "\x81\x54", "\x81\x58", "\x81\x5c",
    // kanji in JIS order, not Unicode's: 亜 一 犬 猫
    "\x88\x9f", "\x88\xea", "\x8c\xa2", "\x94\x4c",
    // units that expand: ㎜ mm ㎝ cm ㏍ KK
    "\x87\x6f", "mm", "\x87\x70", "cm", "\x87\x83", "KK",
    // one character at two codes, NEC's and IBM's: 纊 ≒ ⅰ Ⅰ; private use; nothing
    "\xed\x40", "\xfa\x5c", "\x81\xe0", "\x87\x90", "\xee\xef", "\xfa\x40", "\x87\x54", "\xfa\x4a",
    "\xf0\x40", "\xf0\x41", "",
};

int Sign(int v) { return (v > 0) - (v < 0); }

// Sorted by LocaleCompare, each two neighbours compare so with lstrcmpiA too, either way round.
void ExpectOrderOfLstrcmpiA(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return cp932::LocaleCompare(a, b) < 0;
    });
    int wrong = 0;
    for (std::size_t i = 0; i + 1 < names.size(); ++i)
        for (const auto& [a, b] : {std::make_pair(names[i], names[i + 1]),
                                   std::make_pair(names[i + 1], names[i])}) {
            int ours = Sign(cp932::LocaleCompare(a, b));
            int platform = Sign(lstrcmpiA(a.c_str(), b.c_str()));
            if (ours != platform && wrong++ < 12)
                ADD_FAILURE() << Shown(a) << " vs " << Shown(b) << ": LocaleCompare " << ours
                              << ", lstrcmpiA " << platform;
        }
    EXPECT_EQ(wrong, 0);
}

class ListSortReference : public testing::Test {
protected:
    void SetUp() override {
        if (GetACP() != 932) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 932";
        // A message-only window needs no display.
        box_ = CreateWindowExA(0, "LISTBOX", "", LBS_SORT, 0, 0, 100, 100, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(box_, nullptr) << "no list box: error " << GetLastError();
    }
    void TearDown() override {
        if (box_) DestroyWindow(box_);
    }

    HWND box_ = nullptr;
};

// Equal names end in the order the search meets them, which depends on the order of adding:
// the names are added as listed, reversed, and shuffled.
TEST_F(ListSortReference, SortedListModelOrdersAsTheListBox) {
    std::vector<std::size_t> order(kNames.size());
    std::iota(order.begin(), order.end(), 0);
    std::mt19937 random(932);
    for (int round = 0; round < 30; ++round) {
        if (round == 1)
            std::reverse(order.begin(), order.end());
        else if (round > 1)
            std::shuffle(order.begin(), order.end(), random);
        SendMessageA(box_, LB_RESETCONTENT, 0, 0);
        ListModel model(true);
        for (std::size_t i : order) {
            const char* name = kNames[i].c_str();
            LRESULT at = SendMessageA(box_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
            ASSERT_GE(at, 0);
            SendMessageA(box_, LB_SETITEMDATA, at, static_cast<LPARAM>(i));
            ASSERT_EQ(model.Add(kNames[i]), at) << "round " << round << ", adding " << Shown(name);
        }
        std::vector<std::string> shown;
        for (int i = 0; i < model.Count(); ++i) {
            LRESULT added = SendMessageA(box_, LB_GETITEMDATA, i, 0);
            shown.push_back(kNames[static_cast<std::size_t>(added)]);
        }
        ASSERT_EQ(model.Items(), shown) << "round " << round;
    }
}

// Every single byte and every lead byte with every trail byte: what the code page lacks too.
TEST_F(ListSortReference, LocaleCompareOrdersEveryCharacterAsLstrcmpiA) {
    std::vector<std::string> characters;
    for (unsigned b = 1; b <= 0xFF; ++b) {
        if (!cp932::IsLeadByte(static_cast<unsigned char>(b))) {
            characters.push_back(std::string(1, static_cast<char>(b)));
            continue;
        }
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
            characters.push_back({static_cast<char>(b), static_cast<char>(trail)});
    }
    ExpectOrderOfLstrcmpiA(characters);
}

// Names drawn from the table's characters, each beside itself with one character more, so that
// neighbours often differ only in a later level: sound and repeat marks after kana and after
// other characters, long vowels after each width, punctuation at every place.
TEST_F(ListSortReference, LocaleCompareOrdersMixedNamesAsLstrcmpiA) {
    std::vector<std::string> characters;
    for (const std::string& name : kNames)
        for (std::size_t i = 0; i < name.size(); i += cp932::CharLength(name, i))
            characters.push_back(name.substr(i, cp932::CharLength(name, i)));
    std::mt19937 random(1);
    auto any = [&] { return characters[random() % characters.size()]; };
    std::vector<std::string> names;
    for (int n = 0; n < 2000; ++n) {
        std::vector<std::string> name(random() % 5);
        for (std::string& c : name) c = any();
        names.push_back(std::accumulate(name.begin(), name.end(), std::string()));
        auto at = name.begin() + static_cast<std::ptrdiff_t>(random() % (name.size() + 1));
        name.insert(at, any());
        names.push_back(std::accumulate(name.begin(), name.end(), std::string()));
    }
    ExpectOrderOfLstrcmpiA(names);
}

}  // namespace
