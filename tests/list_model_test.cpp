// The sorted list model puts names where a list box with LBS_SORT does in a Japanese locale:
// the orders below are Wine's list box's, which tests/wine/list_sort_reference_test.cpp holds
// the model to wherever Wine runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/framework/terminal/list_model.h"

namespace {

// !a _x ~a 1a １a A a a- -a ａ ABC abc ＡＢＣ Alpha moko ｱ ア あ アア あい は ば パ ぱ ﾊﾟ 亜 犬 猫 ー ｰ
const std::vector<std::string> kSorted = {
    "!a", "_x", "~a", "1a", "\x82\x50" "a", "A", "a", "a-", "-a", "\x82\x81", "ABC", "abc",
    "\x82\x60\x82\x61\x82\x62", "Alpha", "moko", "\xb1", "\x83\x41", "\x82\xa0", "\x83\x41\x83\x41",
    "\x82\xa0\x82\xa2", "\x82\xcd", "\x82\xce", "\x83\x70", "\x82\xcf", "\xca\xdf", "\x88\x9f",
    "\x8c\xa2", "\x94\x4c", "\x81\x5b", "\xb0"};

// Equal names (A a, ABC abc, ー ｰ) stand in the order the list box's search meets them.
TEST(SortedListModel, PutsNamesWhereTheListBoxDoes) {
    struct Case {
        const char* what;
        std::vector<std::string> added, shown;
    };
    std::vector<std::string> backwards(kSorted.rbegin(), kSorted.rend()), forwards = kSorted;
    // Added in order, each pair of equal names comes out the other way round.
    std::swap(forwards[5], forwards[6]);
    std::swap(forwards[10], forwards[11]);
    std::swap(forwards[28], forwards[29]);
    const Case cases[] = {
        {"one case added after the other", {"a", "A"}, {"A", "a"}},
        {"four cases", {"ab", "Ab", "aB", "AB"}, {"aB", "AB", "Ab", "ab"}},
        {"every kind, added backwards", backwards, kSorted},
        {"every kind, added in order", kSorted, forwards},
        {"the first run's example",
         {"_x", "1a", "abc", "Alpha", "moko", "\x82\x60\x82\x61\x82\x62", "\x82\xa0", "\x83\x41"},
         {"_x", "1a", "abc", "\x82\x60\x82\x61\x82\x62", "Alpha", "moko", "\x83\x41", "\x82\xa0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListModel list(true);
        for (const std::string& name : c.added) list.Add(name);
        EXPECT_EQ(list.Items(), c.shown);
    }
}

}  // namespace
