// The portable code page 932 rules: ordering, case folding, search and file titles, with
// the double-byte cases where a byte-by-byte rule would go wrong.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "tests/support/shown_bytes.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

struct Ordered {
    std::string a, b;
    int sign;
};

void ExpectOrders(int (*compare)(const std::string&, const std::string&),
                  const std::vector<Ordered>& cases) {
    for (const Ordered& c : cases) {
        SCOPED_TRACE(Shown(c.a) + " vs " + Shown(c.b));
        EXPECT_EQ(Sign(compare(c.a, c.b)), c.sign);
        EXPECT_EQ(Sign(compare(c.b, c.a)), -c.sign);
    }
}

TEST(Cp932Compare, OrdersWholeCharactersByCode) {
    ExpectOrders(cp932::Compare, {
        {"", "", 0}, {"pet", "pet", 0}, {"Pet", "pet", -1}, {"pet", "pets", -1},
        // A double-byte code (lead << 8 | trail) is above every single byte, even those whose
        // byte is above the lead byte: half-width kana and 0xFD-0xFF.
        {"\x7f", "\x81\x40", -1}, {"\xdf", "\x81\x40", -1}, {"\xa1z", "\x81\x40", -1},
        {"\xff", "\x81\x40", -1}, {"\x81\x40", "\x81\x41", -1}, {"\x83\x5c", "\x95\x5c", -1},
        {"\x83\x5c", "\x83\x5c", 0}, {"\x83\x5c" "a", "\x83\x5c" "b", -1},
        {"\x9f\xfc", "\xe0\x40", -1},
        // A lead byte before the end ends the string, whatever it would have opened.
        {"pet\x83", "pet", 0}, {"pet\x83", "pet\x9f", 0}, {"pet\x83", "pet\x01", -1},
        {"\x83", "", 0},
        // C strings: nothing after the first NUL counts.
        {std::string("pet\0a", 5), std::string("pet\0b", 5), 0},
    });
}

TEST(Cp932CompareNoCase, FoldsLettersOfEachScriptOnly) {
    ExpectOrders(cp932::CompareNoCase, {
        {"Pet.KMC", "pET.kmc", 0}, {"pet", "PETS", -1},
        // Folding is to capitals: "_" sorts after the letters, as with _mbsicmp.
        {"_", "a", 1}, {"[", "z", 1},
        // Full-width: a/A, z/Z and a mixed word; full-width is never ASCII.
        {"\x82\x81", "\x82\x60", 0}, {"\x82\x9a", "\x82\x79", 0},
        {"\x82\x6f\x82\x85\x82\x73", "\x82\x90\x82\x64\x82\x94", 0}, {"\x82\x60", "A", 1},
        {"\x82\x81", "a", 1},
        // Greek alpha/Alpha, omega/Omega.
        {"\x83\xbf", "\x83\x9f", 0}, {"\x83\xd6", "\x83\xb6", 0},
        // Cyrillic a, yo, en, o, ya against their capitals, across the gap at 0x847F.
        {"\x84\x70", "\x84\x40", 0}, {"\x84\x76", "\x84\x46", 0}, {"\x84\x7e", "\x84\x4e", 0},
        {"\x84\x80", "\x84\x4f", 0}, {"\x84\x91", "\x84\x60", 0}, {"\x84\x80", "\x84\x4e", 1},
        {"\x84\x76\x84\x7c\x84\x7b\x84\x70", "\x84\x46\x84\x4c\x84\x4b\x84\x40", 0},
        // Small Roman numerals i and x from both rows against the NEC capitals, and each other.
        {"\xfa\x40", "\x87\x54", 0}, {"\xfa\x49", "\x87\x5d", 0}, {"\xee\xef", "\x87\x54", 0},
        {"\xee\xf8", "\x87\x5d", 0}, {"\xee\xef", "\xfa\x40", 0},
        // Half-width kana are single bytes without case, even 0x20 apart.
        {"\xc1", "\xa1", 1}, {"\xda", "\xba", 1}, {"\xbf\xcc\xc4", "\x83\x5c\x83\x74\x83\x67", -1},
        // Trail bytes that are ASCII letters belong to other characters: katakana a / di,
        // two kanji, full-width B against an unused code.
        {"\x83\x41", "\x83\x61", -1}, {"\x8a\x41", "\x8a\x61", -1}, {"\x82\x61", "\x82\x41", 1},
        {"\x83\x61", "\x83\x41" "A", 1},
        // Kana type is not case.
        {"\x83\x5c\x83\x74\x83\x67", "\x82\xbb\x82\xd3\x82\xc6", 1}, {"pet\x83", "PET", 0},
        {"PET\x83", "pet\x84", 0},
    });
}

TEST(Cp932ToUpper, MapsEachCaseRunAndNothingBeside) {
    struct Case {
        unsigned code, upper;
    };
    const Case cases[] = {
        {'a', 'A'}, {'z', 'Z'}, {'A', 'A'}, {'`', '`'}, {'{', '{'}, {'5', '5'},
        {0xC1, 0xC1}, {0xE1, 0xE1}, {0xDF, 0xDF},
        {0x8281, 0x8260}, {0x829A, 0x8279}, {0x8280, 0x8280}, {0x829B, 0x829B}, {0x8260, 0x8260},
        {0x83BF, 0x839F}, {0x83D6, 0x83B6}, {0x83BE, 0x83BE}, {0x83D7, 0x83D7}, {0x839F, 0x839F},
        {0x8470, 0x8440}, {0x8476, 0x8446}, {0x847E, 0x844E}, {0x8480, 0x844F}, {0x8491, 0x8460},
        {0x846F, 0x846F}, {0x847F, 0x847F}, {0x8492, 0x8492}, {0x8446, 0x8446},
        {0xEEEF, 0x8754}, {0xEEF8, 0x875D}, {0xEEEE, 0xEEEE}, {0xEEF9, 0xEEF9},
        {0xFA40, 0x8754}, {0xFA49, 0x875D}, {0xFA4A, 0xFA4A}, {0x8754, 0x8754},
        {0x8341, 0x8341}, {0x8361, 0x8361}, {0x8A61, 0x8A61}, {0x8140, 0x8140},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "0x" << c.code);
        EXPECT_EQ(cp932::ToUpper(c.code), c.upper);
    }
}

TEST(Cp932ToUpper, AgreesWithCompareNoCaseForEveryDoubleByteCode) {
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!cp932::IsLeadByte(static_cast<unsigned char>(lead))) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            unsigned code = lead << 8 | trail, upper = cp932::ToUpper(code);
            SCOPED_TRACE(testing::Message() << std::hex << "0x" << code);
            // A capital is its own capital, and stays a double-byte character.
            EXPECT_EQ(cp932::ToUpper(upper), upper);
            ASSERT_GT(upper, 0xFFu);
            std::string ch{static_cast<char>(lead), static_cast<char>(trail)};
            std::string up{static_cast<char>(upper >> 8), static_cast<char>(upper & 0xFF)};
            EXPECT_EQ(cp932::CompareNoCase(ch, up), 0);
            EXPECT_EQ(cp932::Compare(ch, up) == 0, upper == code);
        }
    }
}

TEST(Cp932LocaleEqual, IgnoresCaseButNotWidthOrKanaType) {
    struct Case {
        std::string a, b;
        bool equal;
    };
    const Case cases[] = {
        {"", "", true}, {"Pet", "pET", true}, {"Pet", "Pets", false},
        {"\x82\x6f\x82\x64\x82\x73", "\x82\x90\x82\x85\x82\x94", true},
        {"PET", "\x82\x6f\x82\x64\x82\x73", false},
        {"\x83\xbf\x83\xc0\x83\xc1", "\x83\x9f\x83\xa0\x83\xa1", true},
        {"\x84\x76", "\x84\x46", true}, {"\xee\xef\xee\xf0", "\x87\x54\x87\x55", true},
        {"\xbf\xcc\xc4", "\x83\x5c\x83\x74\x83\x67", false},
        {"\x83\x5c\x83\x74\x83\x67", "\x82\xbb\x82\xd3\x82\xc6", false},
        {"\x83\x41", "\x83\x61", false}, {"\xed\x40", "\xfa\x5c", true},
        {std::string("pet\0x", 5), "PET", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Shown(c.a) + " vs " + Shown(c.b));
        EXPECT_EQ(cp932::LocaleEqual(c.a, c.b), c.equal);
        EXPECT_EQ(cp932::LocaleEqual(c.b, c.a), c.equal);
    }
}

// The Japanese locale's order, level after level: the characters themselves wherever they
// stand, then sound marks, then case, width and kana type, then the kana's own levels, and
// last where punctuation stands. Upper and lower case are one.
TEST(Cp932LocaleCompare, OrdersLevelAfterLevel) {
    ExpectOrders(cp932::LocaleCompare, {
        // Symbols, math, digits, Latin, Greek, Cyrillic, kana, kanji, then a lone long vowel.
        {"_", "~", -1}, {"~", "+", -1}, {"+", "1", -1}, {"9", "a", -1}, {"z", "\x83\xbf", -1},
        {"\x83\xd6", "\x84\x40", -1}, {"\x84\x91", "\xb1", -1}, {"\x82\xf1", "\x88\x9f", -1},
        {"\xea\xa4", "\x81\x5b", -1},
        // Kanji in JIS order: 亜 before 一, which Unicode puts first.
        {"\x88\x9f", "\x88\xea", -1},
        // A later letter outweighs an earlier case, width or sound mark: Ab, Ａb, ばあ.
        {"Ab", "ac", -1}, {"\x82\x60" "b", "ac", -1}, {"Ab", "aB", 0}, {"PET", "pet", 0},
        {"\x82\xce\x82\xa0", "\x82\xcd\x82\xa2", -1},
        // は ば ぱ, and ﾊ with a separate ﾞ as ば but half-width.
        {"\x82\xcd", "\x82\xce", -1}, {"\x82\xce", "\x82\xcf", -1}, {"\xca\xde", "\x82\xce", 1},
        // Width and kana type: abc ＡＢＣ, ｱ ア あ, ァ ア; a long vowel after its kana's vowel.
        {"abc", "\x82\x60\x82\x61\x82\x62", -1}, {"\xb1", "\x83\x41", -1},
        {"\x83\x41", "\x82\xa0", -1}, {"\x83\x40", "\x83\x41", -1},
        {"\x83\x4a\x83\x41", "\x83\x4a\x81\x5b", -1}, {"\xb6\xb0", "\x83\x4a\x81\x5b", -1},
        // Repeat marks repeat: かゞ after かが; after a kanji 々 is that kanji.
        {"\x82\xa9\x82\xaa", "\x82\xa9\x81\x55", -1}, {"\x8e\x9e\x81\x58", "\x8e\x9e\x8e\x9e", 0},
        // Apostrophe and hyphen weigh by place alone: a a- -a b.
        {"a", "a-", -1}, {"a-", "-a", -1}, {"-a", "b", -1}, {"a'b", "a-b", -1},
        // ㎜ is mm; one character at two codes (纊, ⅰ) is one; a lone lead byte is "・".
        {"\x87\x6f", "mm", 0}, {"\xed\x40", "\xfa\x5c", 0}, {"\xfa\x40", "\xee\xef", 0},
        {"pet\x83", "pet\x81\x45", 0}, {"\x81\x5b", "\xb0", 0},
        {std::string("pet\0x", 5), "PET", 0},
    });
}

TEST(Cp932Find, MatchesOnlyAtCharacterStarts) {
    const std::size_t npos = std::string::npos;
    struct Case {
        std::string haystack, needle;
        std::size_t at;
    };
    const Case cases[] = {
        {"pet", "", 0}, {"", "", 0}, {"", "p", npos}, {"pet.kmc", "t.k", 2},
        {"pet.kmc", "PET", npos}, {"pet", "pets", npos}, {"aaab", "aab", 1},
        // Trail bytes 0x5C and 0x40 are not "\" and "@".
        {"\x83\x5c", "\\", npos}, {"\x83\x5c\\", "\\", 2}, {"\x95\x5c\x8e\xa6", "\\", npos},
        {"\x81\x40", "@", npos}, {"\x81\x40@", "@", 2},
        // 0x81 0x40 after full-width a is its trail byte and "@", not a full-width space.
        {"\x82\x81\x40", "\x81\x40", npos}, {"\x82\x81\x81\x40", "\x81\x40", 2},
        {"\x82\x81\x40\x81\x40", "\x81\x40", 3}, {"\x95\x5c\x8e\xa6", "\x5c\x8e", npos},
        {"\x83\x5c\x83\x5c", "\x83\x5c", 0}, {"a\x83\x5c" "b\x83\x5c", "\x83\x5c" "b", 1},
        // A needle is bytes: a lone lead byte matches the first byte of a character.
        {"a\x83\x5c", "\x83", 1},
        // A lone lead byte at the end is one character of its own.
        {"pet\x83", "\x83", 3}, {"pet\x83", "t\x83", 2}, {std::string("pe\0t", 4), "t", npos},
        {"pet", std::string("e\0x", 3), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Shown(c.haystack) + " find " + Shown(c.needle));
        EXPECT_EQ(cp932::Find(c.haystack, c.needle), c.at);
    }
}

TEST(Cp932FileTitle, EndsBeforeTheLastDotThatIsACharacter) {
    struct Case {
        std::string name, title;
    };
    const Case cases[] = {
        {"pet.kmc", "pet"}, {"pet.backup.kmc", "pet.backup"}, {"\x83\x5c.kmc", "\x83\x5c"},
        {"\x95\x5c\x8e\xa6.kmc", "\x95\x5c\x8e\xa6"},
        {"\x83\x5c\x83\x74\x83\x67.kmc", "\x83\x5c\x83\x74\x83\x67"}, {"pet", "pet"},
        {"\x83\x5c", "\x83\x5c"}, {"", ""}, {".", ""}, {"..", "."}, {"...", ".."}, {".kmc", ""},
        {"pet.", "pet"},
        // A lone lead byte at the end is a character, and no dot.
        {"pet\x83", "pet\x83"}, {"pet.k\x83", "pet"},
        // A lead byte takes the byte after it as its trail, as the platform's walk does.
        {"\x83.kmc", "\x83.kmc"}, {"a.\x83.kmc", "a"}, {std::string("pet.kmc\0.x", 10), "pet"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Shown(c.name));
        EXPECT_EQ(cp932::FileTitle(c.name), c.title);
    }
}

}  // namespace
