// Host detection over scripted system answers: the choice of strategy, both scans with every
// failure and what each releases, and the walks over tables and blocks built in the
// published layouts. Full paths and name conversion are the real system's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/host_detection.h"
#include "platform/perf_data_layout.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Put32(Bytes& b, size_t at, std::uint32_t v) {
    if (b.size() < at + 4) b.resize(at + 4);
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

void PutName(Bytes& b, size_t at, const std::u16string& name) {
    if (b.size() < at + 2 * name.size() + 2) b.resize(at + 2 * name.size() + 2);
    for (size_t i = 0; i <= name.size(); ++i) {
        char16_t c = i < name.size() ? name[i] : u'\0';
        b[at + 2 * i] = static_cast<unsigned char>(c & 0xFF);
        b[at + 2 * i + 1] = static_cast<unsigned char>(c >> 8);
    }
}

struct Instance {
    std::u16string name;
    std::uint32_t definitionLength = 0;  // 0: just enough for the name
    std::uint32_t counterLength = 16;
};

// A PERF_DATA_BLOCK whose first object holds these instances; lengths vary as providers
// make them, and the bytes nobody should read are 0xEE.
Bytes PerfBlock(const std::vector<Instance>& instances, std::int32_t numInstances = -2,
                const char* signature = "PERF", std::uint32_t objectDefinition = 64 + 3 * 40) {
    Bytes b(88, 0xEE);
    for (int i = 0; i < 4; ++i) {
        b[2 * i] = static_cast<unsigned char>(signature[i]);
        b[2 * i + 1] = 0;
    }
    using namespace perf_layout;
    const std::uint32_t header = 88;
    Put32(b, kHeaderLength, header);
    b.resize(header + objectDefinition, 0xEE);
    Put32(b, header + kDefinitionLength, objectDefinition);
    Put32(b, header + kNumInstances, static_cast<std::uint32_t>(
                              numInstances == -2 ? static_cast<std::int32_t>(instances.size())
                                                 : numInstances));
    for (const Instance& in : instances) {
        size_t at = b.size();
        std::uint32_t length = in.definitionLength
                                   ? in.definitionLength
                                   : static_cast<std::uint32_t>((24 + 2 * in.name.size() + 2 + 7) / 8 * 8);
        b.resize(at + length, 0xEE);
        Put32(b, at + kInstanceByteLength, length);
        Put32(b, at + kNameOffset, 24);
        PutName(b, at + 24, in.name);
        b.resize(at + length + in.counterLength, 0xEE);
        Put32(b, at + length + kCounterBlockByteLength, in.counterLength);
    }
    return b;
}

Bytes Table(const std::vector<std::string>& elements) {
    Bytes b;
    for (const std::string& e : elements) {
        b.insert(b.end(), e.begin(), e.end());
        b.push_back(0);
    }
    b.push_back(0);
    return b;
}

// The system's answers, scripted; every call is recorded, and open handles are counted.
class ScriptedHost final : public HostQueries {
public:
    std::uint32_t platformId = 2;
    std::vector<std::string> processes;
    bool noSnapshot = false;
    long openResult = kErrorSuccess, sizeResult = kErrorSuccess, readResult = kErrorSuccess;
    Bytes counters = Table({"1", "1847", "230", "Process", "232", "Thread"});
    std::vector<long> perfResults;  // answered in turn; success once they run out
    long alwaysPerf = -1;           // when set, every query gets this
    Bytes block = PerfBlock({{u"kirimo"}});
    size_t reported = SIZE_MAX;     // byte count on success; the block's size unless set

    std::vector<std::string> calls;
    std::vector<std::uint32_t> offered;
    bool buffersZeroed = true;
    int openKeys = 0, openSnapshots = 0, conversions = 0;

    HostQueries& system = SystemPlatform().Host();

    bool GetVersion(VersionInfo& info) override {
        calls.push_back("version " + std::to_string(info.size));
        info.platformId = platformId;
        return true;
    }
    SnapshotHandle CreateSnapshot(std::uint32_t flags, std::uint32_t id) override {
        calls.push_back("snapshot " + std::to_string(flags) + " " + std::to_string(id));
        if (noSnapshot) return nullptr;
        ++openSnapshots;
        next_ = 0;
        return this;
    }
    bool FirstProcess(SnapshotHandle, ProcessEntry& entry) override {
        calls.push_back("first " + std::to_string(entry.size));
        next_ = 0;
        return Give(entry);
    }
    bool NextProcess(SnapshotHandle, ProcessEntry& entry) override {
        calls.push_back("next");
        return Give(entry);
    }
    void CloseSnapshot(SnapshotHandle snapshot) override {
        EXPECT_EQ(snapshot, this);
        --openSnapshots;
    }
    long OpenMachineKey(const std::string& path, std::uint32_t options, std::uint32_t access,
                        RegistryKey& key) override {
        char text[32];
        std::snprintf(text, sizeof text, " %u %#x", options, access);
        calls.push_back("open " + path + text);
        if (openResult != kErrorSuccess) return openResult;
        ++openKeys;
        key = &counters;
        return kErrorSuccess;
    }
    long QueryValue(RegistryKey key, const std::string& name, std::uint32_t* type,
                    unsigned char* data, std::uint32_t* size) override {
        EXPECT_EQ(key, &counters);
        calls.push_back("value " + name + (data ? " read " + std::to_string(*size) : " size"));
        if (type) *type = 7;  // REG_MULTI_SZ
        if (!data) {
            *size = static_cast<std::uint32_t>(counters.size());
            return sizeResult;
        }
        if (readResult != kErrorSuccess) return readResult;
        buffersZeroed &= std::all_of(data, data + *size, [](unsigned char c) { return c == 0; });
        std::copy(counters.begin(), counters.begin() + std::min<size_t>(*size, counters.size()), data);
        return kErrorSuccess;
    }
    long CloseKey(RegistryKey key) override {
        EXPECT_EQ(key, &counters);
        calls.push_back("close key");
        --openKeys;
        return kErrorSuccess;
    }
    long QueryPerformanceData(const std::string& name, unsigned char* data,
                              std::uint32_t* size) override {
        calls.push_back("perf '" + name + "'");
        offered.push_back(*size);
        if (offered.size() <= 8)
            buffersZeroed &= std::all_of(data, data + *size, [](unsigned char c) { return c == 0; });
        long result = alwaysPerf >= 0 ? alwaysPerf : kErrorSuccess;
        if (alwaysPerf < 0 && !perfResults.empty()) {
            result = perfResults.front();
            perfResults.erase(perfResults.begin());
        }
        if (result != kErrorSuccess) return result;
        if (block.size() > *size) return kErrorMoreData;
        std::copy(block.begin(), block.end(), data);
        *size = static_cast<std::uint32_t>(std::min(reported, block.size()));
        return kErrorSuccess;
    }
    long ClosePerformanceData() override {
        calls.push_back("close perf");
        return kErrorSuccess;
    }
    std::uint32_t FullPathName(const std::string& path, std::uint32_t size, char* buffer,
                               char** filePart) override {
        return system.FullPathName(path, size, buffer, filePart);
    }
    int WideToAnsi(const unsigned char* utf16, int units, char* out, int outSize) override {
        ++conversions;
        return system.WideToAnsi(utf16, units, out, outSize);
    }

    int Count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }
    bool AllReleased() const { return openKeys == 0 && openSnapshots == 0; }

private:
    bool Give(ProcessEntry& entry) {
        if (next_ >= processes.size()) return false;
        entry.exeFile = processes[next_++];
        return true;
    }
    size_t next_ = 0;
};

const std::string kHost = "D:\\pets\\Kirimo.exe";
const std::string kPerflibKey = "software\\microsoft\\windows nt\\currentversion\\perflib\\011";

int Match(const Bytes& block, const std::string& target) {
    ScriptedHost host;
    return MatchPerfInstances(block.data(), block.size(), target, host);
}

std::string Index(const Bytes& table) { return FindCounterIndex(table.data(), table.size()); }

TEST(HostStrategy, PlatformFamilyPicksTheScan) {
    struct Case {
        std::uint32_t id;
        std::string firstScanCall;  // none: no check at all
    } cases[] = {{1, "snapshot 2 0"}, {2, "open " + kPerflibKey + " 0 0x20019"}, {0, ""}, {3, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        ScriptedHost host;
        host.platformId = c.id;
        host.processes = {kHost};
        EXPECT_EQ(IsHostRunning(host, kHost), c.firstScanCall.empty() ? 0 : 1);
        ASSERT_FALSE(host.calls.empty());
        EXPECT_EQ(host.calls[0], "version 148");
        if (c.firstScanCall.empty())
            EXPECT_EQ(host.calls.size(), 1u);
        else
            EXPECT_EQ(host.calls[1], c.firstScanCall);
    }
}

TEST(ProcessSnapshot, WholePathComparedWithoutCase) {
    struct Case {
        std::vector<std::string> processes;
        std::string hostPath;
        int expected;
    } cases[] = {
        {{"C:\\WINDOWS\\EXPLORER.EXE", "d:\\PETS\\kirimo.EXE"}, kHost, 1},
        {{"C:\\other\\Kirimo.exe", "Kirimo2.exe"}, kHost, 0},
        // A bare name, as a 95-family compatibility mode on NT lists it, is a file name.
        {{"kirimo.EXE"}, kHost, 1},
        {{"D:\\pets\\Kirimo.exe", "Kirimo.exe"}, "D:\\pets\\", 0},
        {{}, kHost, 0},
    };
    for (const Case& c : cases) {
        ScriptedHost host;
        host.processes = c.processes;
        EXPECT_EQ(ScanProcessSnapshot(host, c.hostPath), c.expected) << c.hostPath;
        EXPECT_EQ(host.Count("first 296"), 1);
        EXPECT_TRUE(host.AllReleased());
    }
}

TEST(ProcessSnapshot, StopsAtTheFirstMatchAndFailsQuietly) {
    ScriptedHost found;
    found.processes = {"a.exe", kHost, kHost, "b.exe"};
    EXPECT_EQ(ScanProcessSnapshot(found, kHost), 1);
    EXPECT_EQ(found.Count("next"), 1);
    EXPECT_TRUE(found.AllReleased());

    ScriptedHost none;
    none.noSnapshot = true;
    EXPECT_EQ(ScanProcessSnapshot(none, kHost), 0);
    EXPECT_EQ(none.Count("first 296"), 0);
}

TEST(CounterTable, LastProcessElementGivesItsIndex) {
    struct Case {
        const char* label;
        Bytes table;
        std::string expected;
    } cases[] = {
        {"Process", Table({"1", "1847", "612", "Process", "614", "Thread"}), "612"},
        {"mixed case", Table({"1", "1847", "612", "pRoCeSs"}), "612"},
        {"leading zeros", Table({"0230", "PROCESS"}), "0230"},
        {"later wins", Table({"230", "Process", "232", "Thread", "7000", "process", "7002", "x"}), "7000"},
        {"digits that end the element", Table({"abc612", "process"}), "612"},
        {"no digits before", Table({"612abc", "process"}), ""},
        {"first element", Table({"Process", "230"}), ""},
        {"index element compared too", Table({"230", "Thread", "process"}), ""},
        {"none", Table({"230", "Thread", "232", "Processes"}), ""},
        {"first byte NUL", Bytes{0, '2', '3', '0', 0, 'P', 'r', 'o', 'c', 'e', 's', 's', 0, 0}, ""},
        {"empty", Bytes{}, ""},
        {"unterminated tail ends it", Bytes{'2', '3', '0', 0, 'p', 'r', 'o', 'c', 'e', 's', 's'}, ""},
        {"earlier match stands", Bytes{'9', 0, 'p', 'r', 'o', 'c', 'e', 's', 's', 0, '5', 0, 'p', 'r', 'o'}, "9"},
    };
    for (const Case& c : cases) EXPECT_EQ(Index(c.table), c.expected) << c.label;
}

TEST(PerfInstances, NamePlusExeMatchesTheFileName) {
    Bytes block = PerfBlock({{u"kirimo"}, {u"Explorer"}, {u"Idle"}});
    EXPECT_EQ(Match(block, "Kirimo.exe"), 1);
    EXPECT_EQ(Match(block, "IDLE.EXE"), 1);
    EXPECT_EQ(Match(block, "Kirimo2.exe"), 0);
    EXPECT_EQ(Match(block, "Kirimo"), 0);
    EXPECT_EQ(Match(block, ""), 0);
    EXPECT_EQ(Match(PerfBlock({{u"Kirimo.com"}, {u"Kirimo"}}), "Kirimo.com"), 0);
    // ｋｉｒｉｍｏ in full width matches after the double-byte upper-casing of _mbsicmp.
    EXPECT_EQ(Match(PerfBlock({{u"\uFF4B\uFF49\uFF52\uFF49\uFF4D\uFF4F"}}),
                    "\x82\x6a\x82\x68\x82\x71\x82\x68\x82\x6c\x82\x6e.exe"),
              1);
}

TEST(PerfInstances, StepsByBothByteLengths) {
    std::vector<Instance> instances = {
        {u"System", 24 + 16, 4}, {u"smss", 200, 1000}, {u"a", 32, 96}, {u"Kirimo", 4096, 8}};
    EXPECT_EQ(Match(PerfBlock(instances), "kirimo.exe"), 1);
    EXPECT_EQ(Match(PerfBlock(instances, -2, "PERF", 48), "kirimo.exe"), 1)
        << "the first instance follows the object's own DefinitionLength";
}

TEST(PerfInstances, CountDecidesAndNothingBeyondIt) {
    EXPECT_EQ(Match(PerfBlock({{u"Kirimo"}}, 0), "Kirimo.exe"), 0);
    EXPECT_EQ(Match(PerfBlock({{u"Kirimo"}}, -1), "Kirimo.exe"), 0);
    EXPECT_EQ(Match(PerfBlock({{u"Idle"}, {u"Kirimo"}}, 1), "Kirimo.exe"), 0);
    // More instances counted than the block holds: the sanitizer builds catch a read beyond.
    EXPECT_EQ(Match(PerfBlock({{u"Idle"}, {u"Explorer"}}, 1000000), "Kirimo.exe"), 0);
    ScriptedHost host;
    Bytes two = PerfBlock({{u"Kirimo"}, {u"Kirimo"}, {u"Idle"}});
    EXPECT_EQ(MatchPerfInstances(two.data(), two.size(), "Kirimo.exe", host), 1);
    EXPECT_EQ(host.conversions, 1) << "the walk stops at the first match";
}

TEST(PerfInstances, NamesThatTakeTheDefaultCharacterOrDoNotConvert) {
    // U+AC00 has no code page 932 form.
    EXPECT_EQ(Match(PerfBlock({{u"Kirimo\uAC00"}}), "Kirimo?.exe"), 1);
    EXPECT_EQ(Match(PerfBlock({{u"Kirimo\uAC00"}}), "Kirimo.exe"), 0);
    std::u16string wide(200, u'\u3042');  // 400 bytes in code page 932
    EXPECT_EQ(Match(PerfBlock({{wide}, {u"Kirimo"}}), "Kirimo.exe"), 1) << "skipped, not the end";
    EXPECT_EQ(Match(PerfBlock({{std::u16string(600, u'k')}, {u"Kirimo"}}), "Kirimo.exe"), 1);
    // 259 bytes and the NUL: exactly 260.
    Bytes block = PerfBlock({{std::u16string(259, u'k')}, {std::u16string(260, u'k')}});
    EXPECT_EQ(Match(block, std::string(259, 'K') + ".exe"), 1);
    EXPECT_EQ(Match(block, std::string(260, 'K') + ".exe"), 0);
}

TEST(PerfInstances, FieldsLeadingOutsideTheBlockEndTheWalk) {
    const Bytes good = PerfBlock({{u"Idle"}, {u"Kirimo"}});
    const size_t object = 88, first = 88 + 64 + 120;
    const std::uint32_t firstLength = 40;  // "Idle" rounded up to 8
    struct Case {
        const char* label;
        size_t at;
        std::uint32_t value;
    } cases[] = {
        {"HeaderLength", 24, 0x7FFFFFF0},
        {"HeaderLength wraps", 24, 0xFFFFFFF0},
        {"DefinitionLength", object + 4, 0xFFFFFF00},
        {"NameOffset", first + 16, 0x10000},
        {"instance ByteLength", first, 0xFFFFFFFC},
        {"counter ByteLength", first + firstLength, 0x7FFFFFFF},
        {"counter ByteLength zero and instance ByteLength zero", first, 0},
    };
    EXPECT_EQ(Match(good, "Kirimo.exe"), 1);
    for (const Case& c : cases) {
        Bytes block = good;
        Put32(block, c.at, c.value);
        EXPECT_EQ(Match(block, "Kirimo.exe"), 0) << c.label;
    }
    for (size_t cut : {size_t(0), size_t(7), size_t(27), object + 43, first + 19, good.size() - 30}) {
        Bytes block(good.begin(), good.begin() + cut);
        EXPECT_EQ(Match(block, "Kirimo.exe"), 0) << "cut at " << cut;
    }
    // The name of the last instance runs up to the block's end without its NUL.
    Bytes unterminated = PerfBlock({{u"Idle"}, {u"Kirimo"}});
    unterminated.resize(first + firstLength + 16 + 24 + 12);
    EXPECT_EQ(Match(unterminated, "Kirimo.exe"), 0);
}

TEST(PerfInstances, CorruptCountCannotLoopForEver) {
    Bytes block = PerfBlock({{u"Idle"}}, 0x7FFFFFFF);
    const size_t first = 88 + 64 + 120;
    Put32(block, first + 32, 0);  // the counter block leads back to itself
    ScriptedHost host;
    EXPECT_EQ(MatchPerfInstances(block.data(), block.size(), "Kirimo.exe", host), 0);
    EXPECT_LE(host.conversions, 2);
}

TEST(PerformanceData, FindsTheHostThroughTheTableIndex) {
    ScriptedHost host;
    EXPECT_EQ(ScanPerformanceData(host, kHost), 1);
    EXPECT_EQ(host.calls, (std::vector<std::string>{
                              "open " + kPerflibKey + " 0 0x20019", "value Counters size",
                              "value Counters read " + std::to_string(host.counters.size()),
                              "perf '230'", "close key", "close perf"}));
    EXPECT_TRUE(host.buffersZeroed);
    EXPECT_TRUE(host.AllReleased());
}

TEST(PerformanceData, BufferGrowsByStepsOnMoreData) {
    ScriptedHost twice;
    twice.perfResults = {kErrorMoreData, kErrorMoreData};
    EXPECT_EQ(ScanPerformanceData(twice, kHost), 1);
    EXPECT_EQ(twice.offered, (std::vector<std::uint32_t>{51200, 76800, 102400}));
    EXPECT_TRUE(twice.buffersZeroed);

    ScriptedHost large;  // a real block too large for the first buffer
    std::vector<Instance> many(900, Instance{u"svchost", 0, 64});
    many.push_back({u"KIRIMO"});
    large.block = PerfBlock(many);
    ASSERT_GT(large.block.size(), 76800u);
    EXPECT_EQ(ScanPerformanceData(large, kHost), 1);
    EXPECT_EQ(large.offered.back(), 102400u);
}

TEST(PerformanceData, EndlessMoreDataEndsWithNothingHeld) {
    ScriptedHost host;
    host.alwaysPerf = kErrorMoreData;
    EXPECT_EQ(ScanPerformanceData(host, kHost), 0);
    ASSERT_GT(host.offered.size(), 100u);
    EXPECT_LE(host.offered.back(), 4u * 1024 * 1024);
    EXPECT_EQ(host.Count("close perf"), 1);
    EXPECT_TRUE(host.AllReleased());
}

TEST(PerformanceData, EveryFailureAnswersZeroAndReleases) {
    struct Case {
        const char* label;
        void (*arrange)(ScriptedHost&);
        bool reachesQuery;
    } cases[] = {
        {"key 011 missing", [](ScriptedHost& h) { h.openResult = kErrorFileNotFound; }, false},
        {"size query fails", [](ScriptedHost& h) { h.sizeResult = 5; }, false},
        {"read fails", [](ScriptedHost& h) { h.readResult = kErrorMoreData; }, false},
        {"query fails", [](ScriptedHost& h) { h.perfResults = {kErrorMoreData, 6}; }, true},
        {"PERG", [](ScriptedHost& h) { h.block = PerfBlock({{u"Kirimo"}}, -2, "PERG"); }, true},
        {"no instances", [](ScriptedHost& h) { h.block = PerfBlock({{u"Kirimo"}}, -1); }, true},
        {"host beyond the reported size",
         [](ScriptedHost& h) {
             h.block = PerfBlock({{u"Idle"}, {u"Kirimo"}});
             h.reported = h.block.size() - 20;
         },
         true},
    };
    for (const Case& c : cases) {
        ScriptedHost host;
        c.arrange(host);
        EXPECT_EQ(ScanPerformanceData(host, kHost), 0) << c.label;
        EXPECT_EQ(host.Count("close perf"), 1) << c.label;
        EXPECT_EQ(host.Count("close key"), host.openResult == kErrorSuccess ? 1 : 0) << c.label;
        EXPECT_EQ(host.Count("perf '230'") > 0, c.reachesQuery) << c.label;
        EXPECT_TRUE(host.AllReleased()) << c.label;
    }
}

TEST(PerformanceData, TableWithoutProcessStillQueriesWithAnEmptyName) {
    ScriptedHost host;
    host.counters = Bytes{0, 0};
    host.block = PerfBlock({{u"Kirimo"}});
    EXPECT_EQ(ScanPerformanceData(host, kHost), 1);
    EXPECT_EQ(host.Count("perf ''"), 1);
}

TEST(PerformanceData, HostPathWithoutFileNameOrExeIsNeverFound) {
    // A full path beyond 260 bytes gives no file name either.
    for (const std::string& path : {std::string("D:\\pets\\"), std::string("D:\\pets\\Kirimo"),
                                    "D:\\" + std::string(300, 'p') + "\\Kirimo.exe"}) {
        ScriptedHost host;
        host.block = PerfBlock({{u""}, {u"Kirimo"}, {u"pets"}});
        EXPECT_EQ(ScanPerformanceData(host, path), 0) << path;
    }
}

// The real layer's conversion and full path, which both scans rely on.
TEST(HostQueriesContract, ConversionAndFileName) {
    HostQueries& system = SystemPlatform().Host();
    Bytes name;
    PutName(name, 0, u"ab\u3042\uAC00");
    char out[260] = {};
    EXPECT_EQ(system.WideToAnsi(name.data(), 5, out, sizeof out), 6);
    EXPECT_EQ(std::string(out), "ab\x82\xa0?");
    EXPECT_EQ(system.WideToAnsi(name.data(), 5, out, 5), 0) << "does not fit";
    Bytes odd(1, 0);
    odd.insert(odd.end(), name.begin(), name.end());
    EXPECT_EQ(system.WideToAnsi(odd.data() + 1, 5, out, sizeof out), 6) << "an unaligned name";

    char full[260] = {};
    char* part = nullptr;
    std::uint32_t n = system.FullPathName("D:\\pets\\..\\pets\\Kirimo.exe", sizeof full, full, &part);
    ASSERT_GT(n, 0u);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(std::string(part), "Kirimo.exe");
    part = nullptr;
    system.FullPathName("D:\\pets\\", sizeof full, full, &part);
    EXPECT_EQ(part, nullptr);
}

}  // namespace
