// The portable code page 932 rules against the platform's own: _mbctoupper, _mbsicmp and
// _mbscmp over every double-byte code, _mbsstr and lstrcmpiA (order and equality) over mixed
// names. Win32 build only; run under Wine (LANG=ja_JP.UTF-8, for code page 932) or Windows.
#include <windows.h>

#include <mbctype.h>
#include <mbstring.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/cp932.h"
#include "tests/support/shown_bytes.h"

namespace {

const unsigned char* U(const char* s) { return reinterpret_cast<const unsigned char*>(s); }
const unsigned char* U(const std::string& s) { return U(s.c_str()); }

int Sign(int v) { return (v > 0) - (v < 0); }

std::string Char(unsigned code) {
    if (code <= 0xFF) return std::string(1, static_cast<char>(code));
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

std::string Hex(unsigned code) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", code);
    return buf;
}

// Every lead byte with every trail byte, whether the code page gives it a character or not.
std::vector<unsigned> AllDoubleByteCodes() {
    std::vector<unsigned> codes;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!cp932::IsLeadByte(static_cast<unsigned char>(lead))) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
            if (trail != 0x7F) codes.push_back(lead << 8 | trail);
    }
    return codes;
}

// What the platform's case mapping makes of a code on its way through Unicode and back:
// the code itself; the preferred code of a character the code page holds twice (NEC row 13,
// NEC-selected and IBM rows); or 0 for a code without a character, which the runtime's
// LCMapStringA refuses, as it converts with MB_ERR_INVALID_CHARS.
unsigned RoundTrip(unsigned code) {
    static const std::vector<unsigned> table = [] {
        std::vector<unsigned> same(0x10000);
        for (unsigned b = 0; b <= 0xFF; ++b) same[b] = b;
        for (unsigned code : AllDoubleByteCodes()) {
            std::string bytes = Char(code);
            wchar_t wide[2];
            if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), 2, wide, 2) != 1)
                continue;
            char back[2];
            BOOL defaulted = FALSE;
            int n = WideCharToMultiByte(932, 0, wide, 1, back, 2, nullptr, &defaulted);
            if (n == 2 && !defaulted)
                same[code] = static_cast<unsigned char>(back[0]) << 8 |
                             static_cast<unsigned char>(back[1]);
        }
        return same;
    }();
    return table[code & 0xFFFF];
}

// A code the platform keeps as itself: a character with a code of its own.
bool Plain(unsigned code) {
    return code != 0 && RoundTrip(code) == code &&
           (code > 0xFF || !cp932::IsLeadByte(static_cast<unsigned char>(code)));
}

// Disagreements, counted, with the first few kept for the failure message.
class Mismatches {
public:
    void Add(const std::string& what) {
        if (count_++ < 12) first_ += "\n  " + what;
    }
    int count() const { return count_; }
    const std::string& first() const { return first_; }

private:
    int count_ = 0;
    std::string first_;
};

// Where Wine's msvcrt departs from Microsoft's. Each is probed rather than assumed, so that
// on Windows every comparison runs.
struct Quirks {
    // Wine's _mbsstr is strstr, so it also finds a needle that starts on a trail byte.
    bool findsAtTrailBytes;
    // Wine's _mbsnextc takes the NUL after a lone lead byte as its trail byte, and _mbscmp
    // and _mbsicmp read on past the end.
    bool readsPastLoneLead;
    // Wine's _mbsicmp compares lower-case forms, which orders "_" before "a"; Windows
    // compares capitals. Only equality is comparable then.
    bool foldsToLower;
};

Quirks Probe() {
    const unsigned char a[] = {'x', 0x83, 0, 1, 0}, b[] = {'x', 0x83, 0, 2, 0};
    const unsigned char* inside = _mbsstr(U("\x83\x5c"), U("\\"));
    return {inside != nullptr, _mbscmp(a, b) != 0, _mbsicmp(U("_"), U("a")) < 0};
}

class TextReference : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(_setmbcp(932), 0);
        if (GetACP() != 932) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 932";
        quirks_ = Probe();
    }

    Quirks quirks_{};
};

TEST_F(TextReference, ToUpperMatchesMbctoupper) {
    std::vector<unsigned> codes = AllDoubleByteCodes();
    for (unsigned b = 1; b <= 0xFF; ++b) codes.push_back(b);
    Mismatches wrong;
    for (unsigned code : codes) {
        unsigned platform = _mbctoupper(code), ours = cp932::ToUpper(code), same = RoundTrip(code);
        // The platform also turns a duplicate without case into its preferred code (IBM
        // Roman capitals into the NEC ones, NEC-selected kanji into IBM ones); the portable
        // rule leaves it. A duplicate with a case must reach the same capital.
        bool caselessDuplicate = same != 0 && same != code && cp932::ToUpper(same) == same;
        if (caselessDuplicate ? ours != code || platform != same : ours != platform)
            wrong.Add(Hex(code) + ": ToUpper " + Hex(ours) + ", _mbctoupper " + Hex(platform));
    }
    EXPECT_EQ(wrong.count(), 0) << wrong.first();
}

TEST_F(TextReference, CompareNoCaseMatchesMbsicmp) {
    Mismatches wrong;
    auto check = [&](const std::string& x, const std::string& y) {
        int ours = cp932::CompareNoCase(x, y), platform = _mbsicmp(U(x), U(y));
        bool agree = quirks_.foldsToLower ? (ours == 0) == (platform == 0)
                                          : Sign(ours) == Sign(platform);
        if (!agree)
            wrong.Add(Shown(x) + " vs " + Shown(y) + ": CompareNoCase " + std::to_string(ours) +
                      ", _mbsicmp " + std::to_string(platform));
    };
    // Duplicates and codes without a character are left out: Windows' _mbsicmp finds the two
    // codes of a duplicate equal, and fails (_NLSCMPERROR) on a code without a character.
    for (unsigned code : AllDoubleByteCodes()) {
        if (!Plain(code)) continue;
        unsigned trail = code & 0xFF;
        bool letterTrail = (trail >= 'A' && trail <= 'Z') || (trail >= 'a' && trail <= 'z');
        const unsigned partners[] = {cp932::ToUpper(code), _mbctoupper(code), _mbctolower(code),
                                     _mbctombb(code),      letterTrail ? code ^ 0x20 : code,
                                     code - 1,             code + 1};
        for (unsigned other : partners) {
            if (!Plain(other)) continue;
            check(Char(code), Char(other));
            check("k" + Char(code) + "Z", "K" + Char(other) + "z");
        }
    }
    if (!quirks_.readsPastLoneLead)
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
            if (cp932::IsLeadByte(static_cast<unsigned char>(lead))) {
                check("pet" + Char(lead), "PET");
                check("Pet" + Char(lead), "pET\x01");
            }
    EXPECT_EQ(wrong.count(), 0) << wrong.first();
}

TEST_F(TextReference, CompareMatchesMbscmp) {
    Mismatches wrong;
    auto check = [&](const std::string& x, const std::string& y) {
        for (const auto& [p, q] : {std::make_pair(x, y), std::make_pair(y, x)}) {
            int ours = cp932::Compare(p, q), platform = _mbscmp(U(p), U(q));
            if (Sign(ours) != Sign(platform))
                wrong.Add(Shown(p) + " vs " + Shown(q) + ": Compare " + std::to_string(ours) +
                          ", _mbscmp " + std::to_string(platform));
        }
    };
    // Single bytes below, between and above the lead byte ranges: ASCII, half-width kana and
    // the unused 0x80, 0xA0 and 0xFD-0xFF.
    const unsigned singles[] = {0x01, 'A', 'a', '\\', 0x7F, 0x80, 0xA0, 0xA1, 0xDF, 0xFD, 0xFF};
    std::vector<unsigned> codes = AllDoubleByteCodes();
    for (std::size_t i = 0; i < codes.size(); ++i) {
        std::string c = Char(codes[i]);
        if (i + 1 < codes.size()) check(c, Char(codes[i + 1]));
        check(c + "a", c + "B");
        check(c, c + "\x81\x40");
        for (unsigned s : singles) check(c, Char(s));
    }
    if (!quirks_.readsPastLoneLead)
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
            if (cp932::IsLeadByte(static_cast<unsigned char>(lead))) {
                check("x" + Char(lead), "x");
                check("x" + Char(lead), "x\x01");
                check("x" + Char(lead), "x\x81");
            }
    EXPECT_EQ(wrong.count(), 0) << wrong.first();
}

// Names of every kind the program meets: ASCII, full-width, kana of both widths, trail bytes
// 0x5C and 0x40, Greek, Cyrillic, Roman numerals, and a lone lead byte at the end.
const std::vector<std::string> kNames = {
    "pet", "Pet", "PET", "pets", "pet.kmc", "PET.KMC", "Pet.Kmc.bak", "a@b", "A@B",
    "\x82\x6f\x82\x64\x82\x73",              // full-width PET
    "\x82\x90\x82\x85\x82\x94",              // full-width pet
    "\x82\x90\x82\x85\x82\x94\x81\x44\x82\x8b\x82\x8d\x82\x83",  // full-width pet.kmc
    "\x83\x5c\x83\x74\x83\x67",              // katakana sofuto
    "\xbf\xcc\xc4",                          // the same in half-width kana
    "\x82\xbb\x82\xd3\x82\xc6",              // hiragana sofuto
    "\x83\x5c.kmc", "\x83\x5c\\", "\x95\x5c\x8e\xa6", "\x95\x5c\\\x8e\xa6",
    "\x81\x40", "\x81\x40\x81\x40", "\x82\x81\x40", "\x82\x81\x81\x40",
    "\x83\x41", "\x83\x61", "\x8a\x41", "\x8a\x61",
    "\x83\xbf\x83\xc0\x83\xc1", "\x83\x9f\x83\xa0\x83\xa1",                  // Greek
    "\x84\x76\x84\x7c\x84\x7b\x84\x70", "\x84\x46\x84\x4c\x84\x4b\x84\x40",  // Cyrillic
    "\xfa\x40\xfa\x41", "\xee\xef\xee\xf0", "\x87\x54\x87\x55",              // Roman i, ii
    "pet\x83", "PET\x84", "\x83\x5c\x83",
    // One character at two codes: a kanji at NEC's and IBM's, "≒" and "¬" in JIS and their rows.
    "\xed\x40", "\xfa\x5c", "\x81\xe0", "\x87\x90", "pet\x81\xca", "PET\xfa\x54",
};

bool EndsInLoneLead(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) i += cp932::IsLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    return i > s.size();
}

bool StartsCharacter(const std::string& s, std::size_t at) {
    std::size_t i = 0;
    while (i < at) i += cp932::IsLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    return i == at;
}

TEST_F(TextReference, FindMatchesMbsstr) {
    std::vector<std::string> needles = kNames;
    for (const char* n : {"", "\\", "@", "\x81\x40", "\x5c\x8e", ".", ".kmc", "t", "T", "\x83",
                          "t\x83"})
        needles.push_back(n);
    Mismatches wrong;
    for (const std::string& haystack : kNames)
        for (const std::string& needle : needles) {
            std::size_t bytewise = haystack.find(needle);
            if (quirks_.findsAtTrailBytes && bytewise != std::string::npos &&
                !StartsCharacter(haystack, bytewise))
                continue;
            const unsigned char* hit = _mbsstr(U(haystack), U(needle));
            std::size_t platform =
                hit ? static_cast<std::size_t>(hit - U(haystack)) : std::string::npos;
            std::size_t ours = cp932::Find(haystack, needle);
            if (ours != platform)
                wrong.Add(Shown(haystack) + " find " + Shown(needle) + ": Find " +
                          std::to_string(static_cast<long long>(ours)) + ", _mbsstr " +
                          std::to_string(static_cast<long long>(platform)));
        }
    EXPECT_EQ(wrong.count(), 0) << wrong.first();
}

// A lone lead byte is left out: how MultiByteToWideChar ends such a text under lstrcmpiA is
// not a rule anyone relies on, and Wine's differs.
TEST_F(TextReference, LocaleCompareAndEqualMatchLstrcmpiA) {
    Mismatches wrong;
    for (const std::string& a : kNames)
        for (const std::string& b : kNames) {
            if (EndsInLoneLead(a) || EndsInLoneLead(b)) continue;
            int platform = lstrcmpiA(a.c_str(), b.c_str()), ours = cp932::LocaleCompare(a, b);
            if (Sign(ours) != Sign(platform) || cp932::LocaleEqual(a, b) != (platform == 0))
                wrong.Add(Shown(a) + " vs " + Shown(b) + ": LocaleCompare " + std::to_string(ours) +
                          ", LocaleEqual " + (cp932::LocaleEqual(a, b) ? "true" : "false") +
                          ", lstrcmpiA " + std::to_string(platform));
        }
    EXPECT_EQ(wrong.count(), 0) << wrong.first();
}

}  // namespace
