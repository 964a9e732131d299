// IniDocument against the way Windows' profile functions read and write Zandry.ini: values
// found, exact bytes written, and documents of random bytes that must neither crash nor drift.
#include "platform/ini_document.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace std::string_literals;

const std::optional<std::string> kAbsent;

struct ReadCase {
    const char* what;
    std::string file, section, key;
    std::optional<std::string> expected;
};

void ExpectReads(const std::vector<ReadCase>& cases) {
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(IniDocument(c.file).Find(c.section, c.key), c.expected);
    }
}

TEST(IniDocumentReading, NamesAndBlanks) {
    ExpectReads({
        {"names ignore ASCII case", "[PetList]\r\nEntry=2\r\n", "petLIST", "ENTRY", "2"},
        {"blanks around key and value", "[S]\r\n \t key \t = \t value \t \r\n", "S", "key", "value"},
        {"^Z, \\v and \\f are blanks", "[S]\r\n\x1a\vkey\f=\x1a" "v\x1a\r\n", "S", "key", "v"},
        {"inner blanks stay", "[S]\r\nk=a  b\r\n", "S", "k", "a  b"},
        {"query names are trimmed", "[S]\r\nkey=v\r\n", " S\t", "\tkey ", "v"},
        {"a header's name is trimmed", "[ S ]\r\nkey=v\r\n", "S", "key", "v"},
        {"an empty key finds nothing", "[S]\r\n=v\r\n", "S", "", kAbsent},
        {"query names end at a NUL", "[S]\r\nk=v\r\n", "S\0junk"s, "k\0"s, "v"},
        {"a trail byte 0x41 is not the letter A", "[S]\r\n\x83\x41=v\r\n", "S", "\x83\x61", kAbsent},
        {"letters after a double-byte character fold", "[\x83\x41" "a]\r\n\x83\x41" "b=v\r\n",
         "\x83\x41" "A", "\x83\x41" "B", "v"},
    });
}

TEST(IniDocumentReading, QuotesStrippedOnceWhenTheyMatch) {
    auto in = [](const std::string& value) { return "[S]\r\nk=" + value + "\r\n"; };
    ExpectReads({
        {"double quotes", in("\"abc\""), "S", "k", "abc"},
        {"single quotes", in("'abc'"), "S", "k", "abc"},
        {"mismatched", in("\"abc'"), "S", "k", "\"abc'"},
        {"only at the start", in("\"abc"), "S", "k", "\"abc"},
        {"one pair only", in("\"\"abc\"\""), "S", "k", "\"abc\""},
        {"a lone quote", in("\""), "S", "k", "\""},
        {"an empty pair", in("''"), "S", "k", ""},
        {"blanks outside trimmed first", in(" \t\"a b\" "), "S", "k", "a b"},
        {"blanks inside kept", in("\" a \""), "S", "k", " a "},
    });
}

TEST(IniDocumentReading, FirstSectionAndFirstKeyWin) {
    const std::string twice = "[S]\r\na=1\r\n[s]\r\na=2\r\nb=3\r\n";
    ExpectReads({
        {"first of two sections", twice, "S", "a", "1"},
        {"a second section is not searched", twice, "S", "b", kAbsent},
        {"first of two keys", "[S]\r\na=1\r\nA=2\r\n", "S", "a", "1"},
        {"a key without '=' has no value", "[S]\r\nflag\r\n", "S", "flag", kAbsent},
        {"a key without '=' hides a later one", "[S]\r\na\r\na=2\r\n", "S", "a", kAbsent},
        {"an empty value is not absent", "[S]\r\na=\r\n", "S", "a", ""},
        {"keys before any section", "a=1\r\n[S]\r\nb=2\r\n", "", "a", kAbsent},
        {"keys before any section, named", "a=1\r\n[S]\r\nb=2\r\n", "S", "a", kAbsent},
        {"an empty section name", "[]\r\na=1\r\n", "", "a", kAbsent},
        {"a header ends the section before it", "[S]\r\na=1\r\n[T]\r\nb=2\r\n", "S", "b", kAbsent},
        {"the next section", "[S]\r\na=1\r\n[T]\r\nb=2\r\n", "T", "b", "2"},
        {"a comment line is a key like any other", "[S]\r\n;x=1\r\n", "S", ";x", "1"},
    });
}

TEST(IniDocumentReading, HeadersAndLineShapes) {
    const std::string mixed = "[S]\nA=1\r\nB=2\nC=3";
    ExpectReads({
        {"LF line", mixed, "S", "A", "1"},
        {"CRLF line", mixed, "S", "B", "2"},
        {"last line without an ending", mixed, "S", "C", "3"},
        {"a lone CR does not end a line", "[S]\r\nA=1\rB=2\r\n", "S", "A", "1\rB=2"},
        {"nor start one", "[S]\r\nA=1\rB=2\r\n", "S", "B", kAbsent},
        {"blank lines and indented lines", "\r\n\r\n  [S]  \r\n\r\n\tk=v\r\n", "S", "k", "v"},
        {"the name runs to the last ']'", "[a]b]\r\nk=1\r\n", "a]b", "k", "1"},
        {"text after the last ']' is dropped", "[S] ; note\r\nk=1\r\n", "S", "k", "1"},
        {"'[' without ']' is a key", "[S]\r\n[k=1\r\n", "S", "[k", "1"},
        {"']' as a trail byte in a name", "[\x83\x5d]\r\nk=1\r\n", "\x83\x5d", "k", "1"},
        {"']' as a trail byte after the last ']'", "[a]\x83\x5d\r\nk=1\r\n", "a", "k", "1"},
        {"a trail ']' does not close a header", "[S]\r\n[\x83\x5d\r\nk=1\r\n", "S", "k", "1"},
        {"so that line is a key", "[S]\r\n[\x83\x5d=v\r\n", "S", "[\x83\x5d", "v"},
    });
}

struct Step {
    std::string section, key;
    std::optional<std::string> value;  // none removes the key
    bool changes;
};

struct WriteCase {
    const char* what;
    std::string before;
    std::vector<Step> steps;
    std::string after;
};

void ExpectWrites(const std::vector<WriteCase>& cases) {
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.what);
        IniDocument doc(c.before);
        for (const Step& s : c.steps) {
            SCOPED_TRACE(s.section + "/" + s.key);
            bool changed =
                s.value ? doc.Set(s.section, s.key, *s.value) : doc.Remove(s.section, s.key);
            EXPECT_EQ(changed, s.changes);
        }
        EXPECT_EQ(doc.Bytes(), c.after);
    }
}

TEST(IniDocumentWriting, BuildsAndEditsFilesAsWindowsWould) {
    ExpectWrites({
        {"the first-run file", "",
         {{"PetList", "entry", "2", true},
          {"PetList", "Petname0", "default", true},
          {"PetList", "Petname1", "Momo", true},
          {"NowPet", "number", "0", true},
          {"Kirimo", "Ver", "Kirimo.exe", true}},
         "[PetList]\r\nentry=2\r\nPetname0=default\r\nPetname1=Momo\r\n[NowPet]\r\nnumber=0\r\n"
         "[Kirimo]\r\nVer=Kirimo.exe\r\n"},
        {"a replaced value leaves every other line alone",
         "; Zandry\n[PetList]\nentry=2\n\nPetname0=default\r\nPetname1=Momo\n \r\n[NowPet]\n",
         {{"PetList", "Petname1", "Kuro", true}},
         "; Zandry\n[PetList]\nentry=2\n\nPetname0=default\r\nPetname1=Kuro\r\n \r\n[NowPet]\n"},
        {"a replaced last line gains an ending", "[NowPet]\r\nnumber=0",
         {{"NowPet", "number", "1", true}}, "[NowPet]\r\nnumber=1\r\n"},
        {"a replaced line keeps the file's spelling of the key", "[S]\r\n  ENTRY = 2 \r\n",
         {{"s", "entry", "3", true}}, "[S]\r\nENTRY=3\r\n"},
        {"a key without '=' is replaced", "[S]\r\nflag\r\n",
         {{"S", "flag", "", true}}, "[S]\r\nflag=\r\n"},
        {"a new key follows the section's last key, before blanks and the next section",
         "[PetList]\r\nentry=1\r\nPetname0=default\r\n\r\n[NowPet]\r\nnumber=0\r\n",
         {{"PetList", "Petname1", "Momo", true}},
         "[PetList]\r\nentry=1\r\nPetname0=default\r\nPetname1=Momo\r\n"
         "\r\n[NowPet]\r\nnumber=0\r\n"},
        {"a new key in a section of blank lines", "[S]\r\n\r\na=1\r\n\r\n\r\n",
         {{"S", "b", "2", true}}, "[S]\r\n\r\na=1\r\nb=2\r\n\r\n\r\n"},
        {"a new key right before the next header", "[A]\r\na=1\r\n[B]\r\nb=1\r\n",
         {{"A", "c", "2", true}}, "[A]\r\na=1\r\nc=2\r\n[B]\r\nb=1\r\n"},
        {"a new key after a last line without an ending", "[S]\r\na=1",
         {{"S", "b", "2", true}}, "[S]\r\na=1\r\nb=2\r\n"},
        {"a new key under a bare header", "[S]",
         {{"S", "a", "1", true}}, "[S]\r\na=1\r\n"},
        {"a new key goes to the first of two sections", "[S]\r\na=1\r\n[S]\r\nb=2\r\n",
         {{"S", "c", "3", true}}, "[S]\r\na=1\r\nc=3\r\n[S]\r\nb=2\r\n"},
        {"a new section after a last line without an ending", "[S]\r\na=1",
         {{"T", "b", "2", true}}, "[S]\r\na=1\r\n[T]\r\nb=2\r\n"},
        {"a new section with the caller's names, trimmed", "[S]\na=1\n",
         {{" T ", "\tbEE ", "2", true}}, "[S]\na=1\n[T]\r\nbEE=2\r\n"},
        {"leading blanks of a value are dropped, trailing kept", "",
         {{"S", "a", " \t x ", true}}, "[S]\r\na=x \r\n"},
        {"the value ends at a NUL", "",
         {{"S", "a", "x\0y"s, true}}, "[S]\r\na=x\r\n"},
        {"values in code page 932 are kept raw", "",
         {{"PetList", "Petname0", "\x83\x5c\x83\x89", true},
          {"\x83\x5d", "\x83\x41", "\x83", true}},
         "[PetList]\r\nPetname0=\x83\x5c\x83\x89\r\n[\x83\x5d]\r\n\x83\x41=\x83\r\n"},
        {"empty names are not written", "[S]\r\n",
         {{"", "a", "1", false}, {"S", " ", "1", false}}, "[S]\r\n"},
    });
}

TEST(IniDocumentWriting, UnchangedValuesAreNotWritten) {
    ExpectWrites({
        {"same value, blanks and case aside", "[S]\n a = x \n",
         {{"S", "a", "x", false}, {"s", "A", "  x", false}}, "[S]\n a = x \n"},
        {"the stored value is compared before its quotes are stripped", "[S]\r\na=\"x\"\r\n",
         {{"S", "a", "\"x\"", false}, {"S", "a", "x", true}}, "[S]\r\na=x\r\n"},
    });
}

TEST(IniDocumentWriting, RemovesTheFirstMatchingLine) {
    const std::string roster =
        "[PetList]\r\nentry=2\r\nPetname0=default\r\nPetname1=Momo\r\n"
        "[NowPet]\r\nnumber=1\r\n";
    ExpectWrites({
        {"the last name key", roster,
         {{"PetList", "entry", "1", true}, {"PetList", "Petname1", std::nullopt, true}},
         "[PetList]\r\nentry=1\r\nPetname0=default\r\n[NowPet]\r\nnumber=1\r\n"},
        {"nothing to remove", roster,
         {{"PetList", "Petname2", std::nullopt, false},
          {"Nowhere", "entry", std::nullopt, false},
          {"NowPet", "entry", std::nullopt, false}},
         roster},
        {"only the first of two keys", "[S]\r\na=1\r\nA=2\r\n",
         {{"s", " A", std::nullopt, true}}, "[S]\r\nA=2\r\n"},
        {"a last line without an ending", "[S]\r\na=1\r\nb=2",
         {{"S", "b", std::nullopt, true}}, "[S]\r\na=1\r\n"},
        {"sections stay", "[S]\r\na=1\r\n",
         {{"S", "a", std::nullopt, true}, {"S", "a", std::nullopt, false}}, "[S]\r\n"},
    });
}

TEST(IniDocumentWriting, WrittenValuesReadBack) {
    IniDocument doc("[S]\r\na=1\r\n[T]\r\nb=2\r\n");
    doc.Set("S", "c", "\x83\x5c\x83\x89");
    doc.Remove("S", "a");
    doc.Set("T", "b", "3");
    EXPECT_EQ(doc.Find("S", "a"), kAbsent);
    EXPECT_EQ(doc.Find("S", "c"), "\x83\x5c\x83\x89");
    EXPECT_EQ(doc.Find("T", "b"), "3");
}

// A document must always mean what its bytes mean, however it was edited.
void ExpectSameAsReread(const IniDocument& doc,
                        const std::vector<std::pair<std::string, std::string>>& queries) {
    IniDocument reread(doc.Bytes());
    ASSERT_EQ(reread.Bytes(), doc.Bytes());
    for (const auto& [section, key] : queries)
        ASSERT_EQ(doc.Find(section, key), reread.Find(section, key)) << section << "/" << key;
}

// Pieces that random documents and names are drawn from, so that names do meet.
const std::vector<std::string> kPieces = {
    "[", "]", "=", "\r", "\n", "\r\n", " ", "\t", "\0"s, "\x1a", "\x81", "\x83", "\x83\x5d",
    "\x83\x41", "S", "s", "k", "K", "a", "\"", "'", "x", "\xfc", "\x7f",
};

std::string Draw(std::mt19937& rng, std::size_t pieces) {
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size());
    std::string out;
    for (std::size_t i = 0; i < pieces; ++i) {
        std::size_t p = pick(rng);
        out += p < kPieces.size() ? kPieces[p] : std::string(1, static_cast<char>(rng()));
    }
    return out;
}

// Set then Find must give the value back for a plain key, whatever surrounds it.
void ExpectSaneRoundTrip(IniDocument& doc, const std::string& value) {
    ASSERT_TRUE(doc.Set("S", "Sane", value));
    ASSERT_EQ(doc.Find("s", "SANE"), value);
    ASSERT_FALSE(doc.Set("S", "Sane", value));
    ASSERT_TRUE(doc.Remove("S", "Sane"));
}

TEST(IniDocumentRobustness, ValuesThatReshapeTheFile) {
    IniDocument doc("[S]\r\n[k=1\r\nb=2\r\n");
    EXPECT_TRUE(doc.Set("S", "[k", "x]"));  // the line is now the header "[k=x]"
    EXPECT_EQ(doc.Find("S", "[k"), kAbsent);
    EXPECT_EQ(doc.Find("k=x", "b"), "2");
    EXPECT_TRUE(doc.Set("S", "a", "1\n[T]\nc=3"));
    EXPECT_EQ(doc.Find("S", "a"), "1");
    EXPECT_EQ(doc.Find("T", "c"), "3");
    ExpectSameAsReread(doc, {{"S", "a"}, {"S", "[k"}, {"k=x", "b"}, {"T", "c"}});
}

TEST(IniDocumentRobustness, OddDocuments) {
    const std::vector<std::string> odd = {
        "", "\x81", "[", "[\x81", "[\x81]", "[S]\x81", "[S]\r\nk=\x81", "\r", "\r\r\n\n", "=",
        "\0\0\0"s, "[S]\r\n\0=\0\r\n"s, "[S\0]\r\nk=v"s,
        "[S]\r\nk=\"" + std::string(5000, 'x') + "\"",
        "[S]\r\n" + std::string(1 << 20, 'k'), "[" + std::string(100001, '\x83'),
        std::string(5000, '\n'), "[S]\r\nk=" + std::string(5000, '\x83'),
    };
    const std::vector<std::pair<std::string, std::string>> queries = {
        {"S", "k"}, {"S", ""}, {"", "k"}, {"\x81", "k"}, {"S", "\x83"}, {"[", "="}};
    for (const std::string& bytes : odd) {
        SCOPED_TRACE(testing::PrintToString(bytes.substr(0, 40)));
        IniDocument doc(bytes);
        EXPECT_EQ(doc.Bytes(), bytes);
        ExpectSameAsReread(doc, queries);
        ExpectSaneRoundTrip(doc, "value \x83\x5d");
        ExpectSameAsReread(doc, queries);
        doc.Set("S", "k", std::string(5000, 'v'));
        EXPECT_EQ(doc.Find("S", "k"), std::string(5000, 'v'));
        ExpectSameAsReread(doc, queries);
    }
}

TEST(IniDocumentRobustness, RandomDocumentsAndEdits) {
    std::mt19937 rng(20240601);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        std::string bytes = Draw(rng, round % 50 == 0 ? 20000 : rng() % 400);
        IniDocument doc(bytes);
        ASSERT_EQ(doc.Bytes(), bytes);

        std::vector<std::pair<std::string, std::string>> queries;
        for (int i = 0; i < 20; ++i)
            queries.emplace_back(Draw(rng, 1 + rng() % 3), Draw(rng, 1 + rng() % 3));
        ExpectSameAsReread(doc, queries);

        for (int edit = 0; edit < 10; ++edit) {
            const auto& [section, key] = queries[rng() % queries.size()];
            if (rng() % 3 == 0)
                doc.Remove(section, key);
            else
                doc.Set(section, key, Draw(rng, rng() % 8));
            ExpectSameAsReread(doc, queries);
        }

        // No NUL, line break, quote or blank at either end: read back unchanged.
        const std::vector<std::string> inner = {"x", "\x83\x5d", "a b", "=", "]", "[", "\x83"};
        std::string value = "v";
        for (std::size_t i = rng() % 6; i > 0; --i) value += inner[rng() % inner.size()];
        ExpectSaneRoundTrip(doc, value);
    }
}

}  // namespace
