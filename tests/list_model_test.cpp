// The one list model, alone and as the windows' list box and combo box. Sorted, it puts names
// where a list box with LBS_SORT does in a Japanese locale: the orders below are Wine's list
// box's, which tests/wine/list_sort_reference_test.cpp holds the model to wherever Wine runs.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "ui/framework/terminal/list_model.h"
#include "ui/framework/terminal/template_window.h"

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

// The selection follows its entry as Windows' list box moves it on LB_INSERTSTRING and
// LB_DELETESTRING, and goes with it.
TEST(ListControls, SelectionFollowsItsEntry) {
    struct Case {
        const char* what;
        std::function<void(ListControl&)> act;
        std::vector<std::string> items;
        int selected;
    };
    const Case cases[] = {
        {"inserted before it", [](ListControl& l) { l.Insert(0, "X"); }, {"X", "A", "B", "C"}, 2},
        {"inserted at it", [](ListControl& l) { l.Insert(1, "X"); }, {"A", "X", "B", "C"}, 2},
        {"inserted after it", [](ListControl& l) { l.Insert(2, "X"); }, {"A", "B", "X", "C"}, 1},
        {"inserted at -1, the end", [](ListControl& l) { l.Insert(-1, "X"); }, {"A", "B", "C", "X"}, 1},
        {"inserted past the end", [](ListControl& l) { l.Insert(4, "X"); }, {"A", "B", "C"}, 1},
        {"added", [](ListControl& l) { EXPECT_EQ(l.Add("0"), 3); }, {"A", "B", "C", "0"}, 1},
        {"deleted before it", [](ListControl& l) { l.Delete(0); }, {"B", "C"}, 0},
        {"deleted itself", [](ListControl& l) { l.Delete(1); }, {"A", "C"}, -1},
        {"deleted after it", [](ListControl& l) { l.Delete(2); }, {"A", "B"}, 1},
        {"deleted outside", [](ListControl& l) { l.Delete(3), l.Delete(-1); }, {"A", "B", "C"}, 1},
        {"renamed as the windows rename", [](ListControl& l) { l.Delete(1), l.Insert(1, "b"); },
         {"A", "b", "C"}, -1},
        {"selected outside", [](ListControl& l) { l.Select(3); }, {"A", "B", "C"}, -1},
        {"cleared", [](ListControl& l) { l.Clear(); }, {}, -1},
    };
    auto none = [](const std::string&, const std::string&, unsigned) { return kIdOk; };
    TemplateWindow manage(*FindDialogTemplate(IDD_PET_MANAGE), none);
    TemplateWindow chooser(*FindDialogTemplate(IDD_CHOOSER), none);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListModel plain;
        for (ListControl* list : {static_cast<ListControl*>(&plain), &manage.List(IDC_MANAGE_LIST),
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
                         [](const std::string&, const std::string&, unsigned) { return kIdOk; });
    ListModel plain(true);
    for (ListControl* list : {static_cast<ListControl*>(&plain), &setup.List(IDC_SETUP_PETS)}) {
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
