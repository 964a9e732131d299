// The Japanese user locale's comparison of code page 932 texts, as Wine 8 makes it: each text
// is turned into levels of weights (the letters themselves, their marks, their case and width,
// the kana's extra levels, and where the punctuation stands), compared one level after the
// other, so that a difference in an earlier level decides wherever it stands in the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/cp932.h"

namespace cp932 {

namespace {

#include "platform/cp932_sort_weights.inc"

// The sort tables' scripts that take a path of their own.
constexpr std::uint8_t kUnsortable = 0, kNonspaceMark = 1, kExpansion = 2, kKanaSpecial = 3,
                       kPunctuation = 6, kKana = 34, kPrivateUseFirst = 169, kPrivateUseLast = 175;
// Case weight bits. NORM_IGNORECASE drops only upper case and subscript: width and kana type
// still count, and the top two bits mark compressions, which the Japanese sort has none of.
constexpr std::uint8_t kFullWidth = 0x01, kFullSize = 0x02, kKatakana = 0x20;
constexpr std::uint8_t kCaseMask = 0x27;
// MultiByteToWideChar makes a byte pair the code page lacks, and a lead byte that ends the
// text, its default character.
constexpr unsigned kDefaultChar = 0x8145;

struct Weight {
    std::uint8_t primary, script, diacritic, caseBits;
    explicit Weight(std::uint32_t w)
        : primary(w & 0xFF), script(w >> 8 & 0xFF), diacritic(w >> 16 & 0xFF),
          caseBits(w >> 24 & kCaseMask) {}
};

std::uint32_t CodeWeight(unsigned code) {
    if (code < 0x100) return kSortWeights[code];
    unsigned lead = code >> 8, trail = code & 0xFF;
    if (trail < 0x40 || trail > 0xFC) return CodeWeight(kDefaultChar);
    unsigned row = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F;
    return kSortWeights[0x100 + row * 0xBD + trail - 0x40];
}

std::vector<std::uint32_t> CharWeights(const std::string& text) {
    std::vector<std::uint32_t> weights;
    weights.reserve(text.size());
    for (const char* p = text.c_str(); *p; p += CharLength(p)) {
        unsigned char lead = static_cast<unsigned char>(p[0]);
        unsigned c = IsLeadByte(lead) ? lead << 8 | static_cast<unsigned char>(p[1]) : lead;
        weights.push_back(CodeWeight(c));
    }
    return weights;
}

struct Key {
    std::string primary, diacritic, caseBits, special, extra[4];
    bool kana = false;

    void Add(Weight w) {
        primary += static_cast<char>(w.script);
        primary += static_cast<char>(w.primary);
        // Private-use characters are told apart by their third weight at the first level.
        if (w.script >= kPrivateUseFirst && w.script <= kPrivateUseLast)
            primary += static_cast<char>(w.diacritic);
        else
            diacritic += static_cast<char>(w.diacritic);
        caseBits += static_cast<char>(w.caseBits);
    }

    // A combining sound mark adds to the mark of the character before it.
    void AddMark(Weight w) {
        if (diacritic.empty())
            diacritic += static_cast<char>(w.diacritic);
        else
            diacritic.back() = static_cast<char>(diacritic.back() + w.diacritic);
    }

    // Punctuation weighs only here, after everything else, by where it stands.
    void AddPunctuation(Weight w) {
        int at = -static_cast<int>(primary.size() / 2) - 1;
        special += {static_cast<char>(at >> 8), static_cast<char>(at), static_cast<char>(w.primary),
                    static_cast<char>(w.caseBits | w.diacritic << 3)};
    }

    // Kana carry four extra levels: small or full size, the long vowel or repeat mark, kana
    // type and width. A mark that repeats (primary 0) or prolongs (1) takes the kana before it,
    // a long vowel only its vowel.
    void AddKana(const std::vector<std::uint32_t>& chars, std::size_t at, Weight w) {
        std::uint8_t mark = 3, caseBits = w.caseBits;
        if (w.primary <= 1) {
            Weight before(0);
            do {
                if (at == 0) return NoPrimary();
                before = Weight(chars[--at]);
                if (before.script == kExpansion) return NoPrimary();
                if (before.script != kKanaSpecial && before.script > kNonspaceMark) {
                    before.caseBits = 2;
                    return Add(before);
                }
            } while (before.script != kKanaSpecial || before.primary <= 1);
            caseBits = before.caseBits;
            if (w.primary == 1) {
                before.primary &= 0x87;
                caseBits = (caseBits & ~kFullWidth) | (w.caseBits & kFullWidth);
            }
            mark = 4 + w.primary;
            w.primary = before.primary;
        }
        extra[0] += static_cast<char>(0xC4 | (caseBits & kFullSize));
        extra[1] += static_cast<char>(mark);
        extra[2] += static_cast<char>(0xC4 | (caseBits & kKatakana));
        extra[3] += static_cast<char>(0xC4 | (caseBits & kFullWidth));
        w.script = kKana;
        w.caseBits = 2;
        Add(w);
    }

    void NoPrimary() { primary += "\xFF\xFF"; }

    // Plain weights at the end of a level, 2 and below or an extra one that says nothing, go.
    void Trim() {
        auto trim = [](std::string& level, auto plain) {
            std::size_t size = level.size();
            while (size > 0 && plain(static_cast<unsigned char>(level[size - 1]))) --size;
            level.resize(size);
        };
        trim(diacritic, [](unsigned b) { return b <= 2; });
        trim(caseBits, [](unsigned b) { return b <= 2; });
        kana = !extra[2].empty();
        const unsigned plain[4] = {0xC4u | kFullSize, 3, 0xC4u | kKatakana, 0xC4u | kFullWidth};
        for (int i = 0; kana && i < 4; ++i)
            trim(extra[i], [&](unsigned b) { return b == plain[i]; });
    }
};

Key MakeKey(const std::string& text) {
    const std::vector<std::uint32_t> chars = CharWeights(text);
    Key key;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        Weight w(chars[i]);
        switch (w.script) {
        case kUnsortable: break;
        case kNonspaceMark: key.AddMark(w); break;
        case kExpansion:
            for (std::uint32_t part : kExpansions[chars[i] >> 16]) key.Add(Weight(part));
            break;
        case kKanaSpecial: key.AddKana(chars, i, w); break;
        case kPunctuation: key.AddPunctuation(w); break;
        default: key.Add(w);
        }
    }
    key.Trim();
    return key;
}

// Byte by byte; where one level is the start of the other, the shorter first, or last.
int Order(const std::string& a, const std::string& b, bool shorterFirst = true) {
    const std::size_t n = std::min(a.size(), b.size());
    return shorterFirst || a.compare(0, n, b, 0, n) != 0 ? a.compare(b) : b.compare(a);
}

}  // namespace

int LocaleCompare(const std::string& a, const std::string& b) {
    const Key x = MakeKey(a), y = MakeKey(b);
    if (int c = Order(x.primary, y.primary)) return c;
    if (int c = Order(x.diacritic, y.diacritic)) return c;
    if (int c = Order(x.caseBits, y.caseBits)) return c;
    if (x.kana != y.kana) return x.kana ? 1 : -1;
    for (int i = 0; x.kana && i < 4; ++i)
        if (int c = Order(x.extra[i], y.extra[i], i == 1)) return c;
    return Order(x.special, y.special);
}

bool LocaleEqual(const std::string& a, const std::string& b) {
    // ASCII letters and digits weigh one each and differ only in case: texts of nothing else
    // need no keys. A roster's match compares thousands of names.
    auto plain = [](char c) { return (c >= '0' && c <= '9') || (AsciiUpper(c) >= 'A' && AsciiUpper(c) <= 'Z'); };
    if (std::all_of(a.begin(), a.end(), plain) && std::all_of(b.begin(), b.end(), plain))
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
    return LocaleCompare(a, b) == 0;
}

}  // namespace cp932
