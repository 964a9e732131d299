// The command-line match: one leading mark skipped, then the locale's case-blind equality.
#include <gtest/gtest.h>

#include "app/zandry_app.h"

namespace {

TEST(MatchPetArgument, MarksAndCase) {
    struct Case {
        const char* argument;
        const char* name;
        int expected;
    } cases[] = {
        {"B", "B", 1},      {"-b", "B", 1},     {"/B", "B", 1},     {"--B", "B", 0},
        {"-/B", "B", 0},    {"-", "", 1},       {"/", "", 1},       {"", "", 1},
        {"-", "B", 0},      {"B", "", 0},       {"Momo", "momo", 1}, {"Mom", "Momo", 0},
        {"b ", "b", 0},     {"\\B", "B", 0},
        // Full-width "ａ" against "Ａ", and a 20-byte name from the first-run setup.
        {"\x82\x81", "\x82\x60", 1},
        {"/ABCDEFGHIJKLMNOPQRST", "abcdefghijklmnopqrst", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchPetArgument(c.argument, c.name), c.expected)
            << '"' << c.argument << "\" vs \"" << c.name << '"';
}

}  // namespace
