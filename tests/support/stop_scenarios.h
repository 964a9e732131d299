// What a user does in one run (a switch, an adoption, a rename, a discard, a first run),
// stopped at each of its calls in turn by whichever way a test ends a process's effect on
// the disk; and where a stop left something unfinished, the next start, which finishes it,
// stopped at each of its own. Each folder is checked as it was left: every pet's data under
// its own name, and the settings file holding the roster from before or from after.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "roster/rename_record.h"
#include "tests/support/folder_names.h"
#include "tests/support/pet_data.h"
#include "tests/support/settings_file.h"
#include "tests/support/stored.h"
#include "tests/support/test_folder.h"

struct StopScenario {
    const char* what;
    std::vector<std::string> arguments;
    std::string input;                          // the lines its windows read
    std::map<std::string, std::string> files;   // the folder before, Zandry.ini among them
    std::map<std::string, std::string> owners;  // whose each datum is, before the action
    std::set<std::string> mayVanish;            // data the action is meant to delete
};

inline void PrintTo(const StopScenario& s, std::ostream* os) { *os << s.what; }

inline std::vector<StopScenario> StopScenarios() {
    const std::string sora = "\x83\x5c\x83\x89";  // "ソラ": the first trail byte is 0x5C
    // Three pets, the last one live, so that a discard of B moves the current index; no
    // host, so that none left running from one attempt stops the next.
    const std::map<std::string, std::string> threePets = {
        {kIni, Settings{{"A", "B", sora}, 2}.Bytes()},
        {"A.kmc", "A data"}, {"B.kmc", "B data"}, {"B.bak", "older B"}, {kLive, "Sora data"}};
    const std::map<std::string, std::string> owners = {
        {"A data", "A"}, {"B data", "B"}, {"older B", "B"}, {"Sora data", sora}};
    return {
        // The incoming backup is the one datum a switch replaces on purpose.
        {"switch", {"B"}, "", threePets, owners, {"older B"}},
        {"adopt", {}, "b\ntype C\na\nd\nc\n", threePets, owners, {}},
        {"rename", {}, "b\n2\ntype D\nb\nd\nc\n", threePets, owners, {}},
        {"discard", {}, "b\n2\nc\ny\nd\nc\n", threePets, owners, {"B data", "older B"}},
        {"first_run", {}, "\n", {{kLive, "live data"}, {"B.kmc", "B data"}, {kHostExe, "host"}},
         {{"live data", "default"}, {"B data", "B"}}, {}},
    };
}

// Runs the program once in the current directory, with these arguments and lines for its
// windows, its effect on the disk ended at its `stopAt`-th call (from 1; 0 lets it run to the
// end); the calls it made, or -1 when this machine cannot stop it so.
using StoppedRun =
    std::function<long(const std::vector<std::string>& arguments, const std::string& input, long stopAt)>;

inline void ExpectEveryStopLeavesEachPetsDataWithItsName(const StopScenario& scenario, const StoppedRun& run) {
    Settings before{{}, 0, ""}, after;
    long calls = 0;
    {
        TestFolder folder;
        for (const auto& [name, bytes] : scenario.files) folder.Write(name, bytes);
        if (folder.Exists(kIni)) before = StoredSettings();
        calls = run(scenario.arguments, scenario.input, 0);
        if (calls < 0) GTEST_SKIP() << "this machine cannot stop the program at a call";
        after = StoredSettings();
        ASSERT_FALSE(after == before) << "the action changed nothing";
    }
    std::map<std::string, std::string> owners = scenario.owners;
    for (const std::string& gone : scenario.mayVanish) owners.erase(gone);
    // The folder as a stop left it, checked as the next start finds it.
    auto expectSound = [&](const TestFolder& folder, const std::string& when) {
        Settings now = StoredSettings();
        // A rename that landed makes the pet's data the new name's.
        std::map<std::string, std::string> whose = owners;
        for (auto& [datum, owner] : whose)
            for (size_t i = 0; i < before.names.size() && before.names.size() == now.names.size(); ++i)
                if (owner == before.names[i]) owner = now.names[i];
        EXPECT_EQ(CheckPetData(folder.Contents(), whose, Roster{now.names, now.current},
                               ReadRenameRecord(StoredProfile())),
                  "")
            << when;
        if (!folder.Exists(kIni) && !folder.Exists(kIniNew))
            EXPECT_TRUE(before.names.empty()) << "the settings file is gone, " << when;
        else
            EXPECT_TRUE(now == before || now == after)
                << when << ": " << ::testing::PrintToString(now) << "\nbefore: " << ::testing::PrintToString(before)
                << "\nafter:  " << ::testing::PrintToString(after);
    };
    for (long stopAt = 1; stopAt <= calls && !::testing::Test::HasFailure(); ++stopAt) {
        std::map<std::string, std::string> left;
        {
            TestFolder folder;
            for (const auto& [name, bytes] : scenario.files) folder.Write(name, bytes);
            // The count can differ by a call or two from run to run; a run that ends first is
            // checked all the same.
            run(scenario.arguments, scenario.input, stopAt);
            const std::string when = "stopped at call " + std::to_string(stopAt) + " of " + std::to_string(calls);
            expectSound(folder, when);
            if (!folder.Exists(kIniNew) && ReadRenameRecord(StoredProfile()).from.empty()) continue;
            left = folder.Contents();
        }
        // What the stop left unfinished, the next start finishes: it too stopped at each call.
        for (long nextStopAt = 0, nextCalls = 1; nextStopAt <= nextCalls; ++nextStopAt) {
            TestFolder folder;
            for (const auto& [name, bytes] : left) folder.Write(name, bytes);
            long made = run({}, "", nextStopAt);
            if (nextStopAt == 0) nextCalls = made;
            expectSound(folder, "stopped at call " + std::to_string(stopAt) + ", then at call " +
                                    std::to_string(nextStopAt) + " of the next start");
        }
    }
}
