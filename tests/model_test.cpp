// Long random sessions of a user, the host and failing platform calls against the real
// program logic on a real folder, checked after every step against a small model of whose
// data is where: no pet's data may vanish unless that pet was discarded with Yes, and every
// pet's data is found under its own name. Odd sessions play a Windows of the 95 family,
// which cannot replace a file in one step.
//
// ZANDRY_MODEL_SEED, ZANDRY_MODEL_SESSIONS and ZANDRY_MODEL_STEPS choose other, more or
// longer sessions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <sstream>

#include "app/zandry_app.h"
#include "roster/pet_files.h"
#include "roster/roster.h"
#include "tests/support/faulty_platform.h"
#include "tests/support/folder_names.h"
#include "tests/support/pet_data.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/settings_file.h"
#include "tests/support/test_folder.h"

namespace {

const std::string kSetupCaption = "\x8f\x89\x8a\xfa\x90\xdd\x92\xe8";  // 初期設定
const Call kFaultKinds[] = {Call::Rename, Call::Copy, Call::Remove, Call::Stat,
                           Call::Probe,  Call::Read, Call::Write,  Call::Replace};

enum class Action {
    Adopt, Rename, DiscardYes, DiscardNo, LaunchByName, LaunchFromChooser, DropStray, DeleteByHand, AddTwin,
    AdoptAlias
};
const char* const kActionNames[] = {"adopt",          "rename",              "discard (Yes)", "discard (No)",
                                    "launch by name", "launch from chooser", "drop a stray pet file",
                                    "delete a pet file or backup by hand", "add a name's twin by hand",
                                    "adopt a pet file's short alias"};

// Which calls of a kind fail during a step: every one (nth 0), or the nth, alone or with
// every one after it.
struct Fault {
    int nth;
    bool persist;
};

struct Step {
    Action action;
    int index;          // list entry, counted from 0
    std::string name;   // typed, given on the command line, or the stray file's title
    std::map<Call, Fault> faults;
};

std::string Describe(const Step& step) {
    std::ostringstream out;
    out << kActionNames[static_cast<int>(step.action)] << " #" << step.index << " \"" << step.name << "\"";
    if (!step.faults.empty()) {
        out << " failing:";
        const char* const kinds[] = {"lock", "directory", "rename", "remove", "copy", "stat",
                                     "probe", "find", "start", "read", "write", "replace"};
        for (const auto& [kind, fault] : step.faults) {
            out << " " << kinds[static_cast<int>(kind)];
            if (fault.nth > 0) out << "#" << fault.nth << (fault.persist ? "+" : "");
        }
    }
    return out.str();
}

// Names that collide in every way the program distinguishes: case, double-byte trail bytes
// 0x5C, names it refuses, names the settings file would give back as others, and the live
// file's own title.
const std::vector<std::string> kNames = {"A", "a", "B", "C", "\x83\x5c", "\x95\x5c", "\x83\x5c\x83\x89",
                                         "Kirimo\x90\xdd\x92\xe8", "x y", "", "dot.name",
                                         "0123456789abcdefg", "'A'", " B"};

std::vector<Step> MakeSession(unsigned seed, int count) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % n); };
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i) {
        Step step{static_cast<Action>(pick(10)), pick(5), kNames[pick(static_cast<int>(kNames.size()))], {}};
        if (pick(3) == 0)
            for (Call kind : kFaultKinds)
                if (pick(3) == 0) step.faults[kind] = Fault{pick(4), pick(2) == 0};
        steps.push_back(step);
    }
    return steps;
}

// One session played from the start in a fresh folder; the failure, or empty when none.
class Session {
public:
    explicit Session(bool oneStepReplace) {
        outside_.Write("outside.kmc", "not ours");
        outsideNames_ = outside_.Names();
        folder_.Write(kIni, Settings{{"A", "B", "C"}, 0}.Bytes());
        if (!oneStepReplace) files_.WithoutOneStepReplace();
        Create("A", kLive);
        Create("B", "B.kmc");
        Create("C", "C.kmc");
        // The host is never really started: its play is simulated below, in the folder.
        files_.Fail(Call::Start);
    }

    std::string Play(Step step) {
        Roster before = Stored();
        if (step.action == Action::AdoptAlias) step = {Action::Adopt, step.index, AliasTitle(step.index), step.faults};
        for (const auto& [kind, fault] : step.faults) files_.FailNth(kind, fault.nth, fault.persist);
        std::size_t calls = files_.FileCalls().size();
        std::string shown = Act(step);
        for (const auto& entry : step.faults) files_.Heal(entry.first);
        bool started = false;
        for (std::size_t i = calls; i < files_.FileCalls().size(); ++i)
            started = started || files_.FileCalls()[i].rfind("start ", 0) == 0;

        if (shown.find("== " + kSetupCaption + " ==") != std::string::npos)
            return "the settings file was lost: the setup window came back";
        std::optional<std::string> discarded;  // a pet may be named ""
        if (step.action == Action::DiscardYes && step.index < static_cast<int>(before.names.size()))
            discarded = before.names[step.index];
        // The folder as the next start finds it, which finishes what this run left undone.
        Roster after = Stored();
        if (step.action == Action::Rename) Relabel(before, after, step);
        if (step.action == Action::Adopt)
            if (std::string taken = TakeOver(before, after, step.name); !taken.empty()) return taken;
        // Only a discard, or a rename, takes a name off the roster.
        const bool mayGo = step.action == Action::DiscardYes || step.action == Action::Rename;
        for (const std::string& name : before.names)
            if (std::count(after.names.begin(), after.names.end(), name) +
                    (mayGo && step.index < static_cast<int>(before.names.size()) && before.names[step.index] == name) <
                std::count(before.names.begin(), before.names.end(), name))
                return "the pet \"" + name + "\" left the roster without a discard";
        // A discard that landed lets its pet's data go.
        if (discarded && std::count(after.names.begin(), after.names.end(), *discarded) <
                             std::count(before.names.begin(), before.names.end(), *discarded))
            for (auto it = owners_.begin(); it != owners_.end();)
                it = it->second == *discarded ? owners_.erase(it) : std::next(it);
        std::optional<std::string> settings = folder_.Read(kIni);
        if (!settings) settings = folder_.Read(kIniNew);  // until the next start puts it back
        if (!settings || settings->empty()) return "Zandry.ini is gone";
        if (std::string lost = CheckPetData(folder_.Contents(), owners_, after, Pending()); !lost.empty())
            return lost;
        if (started) HostPlays();
        if (outside_.Read("outside.kmc") != "not ours" || outside_.Names() != outsideNames_)
            return "a file outside the working folder changed";
        return "";
    }

    // Every file call of the session, for the report of a failure.
    const std::vector<std::string>& Calls() const { return files_.FileCalls(); }
    long Refused() const { return files_.Refused(); }

private:
    ProfileStore& Store() {
        store_.Bind(SystemPlatform().CurrentDirectory() + "\\" + kIni);
        return store_;
    }

    Roster Stored() { return ReadRoster(Store().Load().value_or(Profile())); }
    RenameRecord Pending() { return ReadRenameRecord(Store().Load().value_or(Profile())); }

    // The pet files and backups of the folder.
    std::vector<std::string> PetFiles() {
        std::vector<std::string> files;
        for (const std::string& name : folder_.Names())
            if (name != kLive && name.size() > 4 &&
                (name.rfind(".kmc") == name.size() - 4 || name.rfind(".bak") == name.size() - 4))
                files.push_back(name);
        return files;
    }

    // A pet file's short alias, without its extension: a name a user could copy from a listing.
    std::string AliasTitle(int index) {
        std::vector<std::string> files = PetFiles();
        if (files.empty()) return "";
        std::string alias = folder_.ShortName(files[index % files.size()]);
        return alias.substr(0, alias.rfind('.'));
    }

    void Create(const std::string& owner, const std::string& file) {
        std::string token = "data " + std::to_string(next_++);
        folder_.Write(file, token);
        owners_[token] = owner;
    }

    std::string Run(const std::vector<std::string>& arguments, const std::string& script) {
        ScriptedDialogs dialogs(script);
        CZandryApp(files_, arguments).Run();
        return dialogs.Shown();
    }

    std::string Act(const Step& step) {
        std::string entry = std::to_string(step.index + 1) + "\n";
        switch (step.action) {
            case Action::Adopt:
            case Action::AdoptAlias: return Run({}, "b\ntype " + step.name + "\na\nd\nc\n");
            case Action::Rename: return Run({}, "b\n" + entry + "type " + step.name + "\nb\nd\nc\n");
            case Action::DiscardYes: return Run({}, "b\n" + entry + "c\ny\nd\nc\n");
            case Action::DiscardNo: return Run({}, "b\n" + entry + "c\nn\nd\nc\n");
            // The answer, should a pet with only its backup left be brought back from it.
            case Action::LaunchByName: return Run({step.name}, step.index % 2 ? "n\n" : "y\n");
            case Action::LaunchFromChooser: return Run({}, entry + "\n" + (step.index % 2 ? "n\n" : "y\n"));
            case Action::DropStray: {
                // A file dropped in under the live name, or a listed pet's in any letter case
                // (one file on Windows), or an unfinished rename's old name, is not a stray but
                // that pet's.
                std::vector<std::string> listed = Stored().names;
                listed.push_back(Pending().from);
                if (!step.name.empty() && step.name.find(' ') == std::string::npos &&
                    step.name + ".kmc" != kLive && !folder_.Exists(step.name + ".kmc") &&
                    std::none_of(listed.begin(), listed.end(), [&](auto& n) { return SameFileName(n, step.name); }))
                    Create(step.name, step.name + ".kmc");
                return "";
            }
            case Action::DeleteByHand: {
                std::vector<std::string> files = PetFiles();
                if (files.empty()) return "";
                SystemPlatform().RemoveFile(files[step.index % files.size()]);
                // What was only there is the user's own loss.
                std::map<std::string, std::string> left = folder_.Contents();
                for (auto it = owners_.begin(); it != owners_.end();) {
                    bool somewhere = false;
                    for (const auto& [name, bytes] : left) somewhere = somewhere || bytes == it->first;
                    it = somewhere ? std::next(it) : owners_.erase(it);
                }
                return "";
            }
            case Action::AddTwin: {
                // As a hand edit or the first run may leave: one name under two letter cases.
                // Where the folder tells letter case apart (Linux), those are two names on
                // disk, while the program keeps Windows' rule and takes them for one.
                if (!folder_.Exists("zANDRY.INI")) return "";
                std::optional<Profile> profile = Store().Load();
                Roster roster = ReadRoster(*profile);
                if (roster.names.empty()) return "";
                std::string twin = roster.names[step.index % roster.names.size()];
                for (char& c : twin)
                    if (std::isalpha(static_cast<unsigned char>(c))) c = static_cast<char>(c ^ 0x20);
                // The model knows each pet by its name's bytes.
                if (std::count(roster.names.begin(), roster.names.end(), twin)) return "";
                roster.names.push_back(twin);
                SaveRoster(*profile, roster.names, roster.current);
                Store().Save(*profile);
                return "";
            }
        }
        return "";
    }

    // A rename that reached the settings file makes the pet's data the new name's.
    void Relabel(const Roster& before, const Roster& after, const Step& step) {
        if (step.index >= static_cast<int>(before.names.size()) ||
            step.index >= static_cast<int>(after.names.size()))
            return;
        const std::string& old = before.names[step.index];
        const std::string& now = after.names[step.index];
        if (old == now) return;
        // The files of a name that two entries share stay, and are the other entry's now;
        // the live data goes with the index.
        bool filesMove = HasOwnFiles(before.names, step.index);
        std::string heir = old;
        for (const std::string& name : after.names)
            if (!filesMove && name != now && SameFileName(name, old)) heir = name;
        std::optional<std::string> live = folder_.Read(kLive);
        for (auto& [token, owner] : owners_)
            if (owner == old) owner = filesMove || (live == token && step.index == before.current) ? now : heir;
    }

    // An adoption takes over a pet file already lying under the new name, but only one whose
    // data is no listed pet's: a stray's.
    std::string TakeOver(const Roster& before, const Roster& after, const std::string& name) {
        bool adopted = std::count(after.names.begin(), after.names.end(), name) >
                       std::count(before.names.begin(), before.names.end(), name);
        std::optional<std::string> found = folder_.Read(name + ".kmc");
        if (!adopted || !found || !owners_.count(*found)) return "";
        std::string& owner = owners_[*found];
        if (std::count(before.names.begin(), before.names.end(), owner))
            return "the adoption of \"" + name + "\" took over the data of the pet \"" + owner + "\"";
        owner = name;
        return "";
    }

    // The host saves over whatever pet it found in the live file, or starts a new one for
    // the pet the roster calls current.
    void HostPlays() {
        std::optional<std::string> found = folder_.Read(kLive);
        std::string owner;
        if (found && owners_.count(*found)) {
            owner = owners_[*found];
            owners_.erase(*found);
        } else {
            owner = GetCurrentPetName(Store().Load().value_or(Profile()));
        }
        Create(owner, kLive);
    }

    TestFolder outside_;
    TestFolder folder_{"", TestFolder::kInsideCurrent};
    std::set<std::string> outsideNames_;
    FaultyPlatform files_{SystemPlatform()};
    ProfileStore store_{SystemPlatform()};
    std::map<std::string, std::string> owners_;  // data token -> the pet it belongs to
    int next_ = 0;
};

// The index of the step that fails, or -1; `calls` gets the session's file calls.
// `refused` gets how many platform calls were made to fail.
int FirstFailure(unsigned seed, const std::vector<Step>& steps, std::string& why,
                 std::vector<std::string>* calls = nullptr, long* refused = nullptr) {
    Session session(seed % 2 == 0);
    int failed = -1;
    for (std::size_t i = 0; i < steps.size() && failed < 0; ++i)
        if (why = session.Play(steps[i]); !why.empty()) failed = static_cast<int>(i);
    if (calls) *calls = session.Calls();
    if (refused) *refused = session.Refused();
    return failed;
}

// Drops ever smaller runs of steps while the session still fails.
std::vector<Step> Shrink(unsigned seed, std::vector<Step> steps) {
    std::string why;
    for (std::size_t chunk = steps.size() / 2; chunk >= 1; chunk /= 2) {
        for (std::size_t at = 0; at + chunk <= steps.size();) {
            std::vector<Step> shorter(steps.begin(), steps.begin() + at);
            shorter.insert(shorter.end(), steps.begin() + at + chunk, steps.end());
            int failed = FirstFailure(seed, shorter, why);
            if (failed >= 0)
                steps.assign(shorter.begin(), shorter.begin() + failed + 1);
            else
                at += chunk;
        }
    }
    return steps;
}

unsigned FromEnvironment(const char* name, unsigned fallback) {
    const char* value = std::getenv(name);
    return value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

TEST(Model, EveryPetsDataStaysWithItsNameWhateverFails) {
    unsigned firstSeed = FromEnvironment("ZANDRY_MODEL_SEED", 1);
    unsigned seeds = FromEnvironment("ZANDRY_MODEL_SESSIONS", std::getenv("ZANDRY_MODEL_SEED") ? 1 : 4);
    int stepCount = static_cast<int>(FromEnvironment("ZANDRY_MODEL_STEPS", 2500));
    long played = 0, refused = 0;
    for (unsigned seed = firstSeed; seed < firstSeed + seeds; ++seed) {
        std::vector<Step> steps = MakeSession(seed, stepCount);
        std::string why;
        long refusedHere = 0;
        int failed = FirstFailure(seed, steps, why, nullptr, &refusedHere);
        played += failed < 0 ? stepCount : failed + 1;
        refused += refusedHere;
        if (failed < 0) continue;
        steps.resize(failed + 1);
        std::vector<Step> shortest = Shrink(seed, steps);
        std::vector<std::string> calls;
        FirstFailure(seed, shortest, why, &calls);
        std::ostringstream shown;
        for (const Step& step : shortest) shown << "\n  " << Describe(step);
        shown << "\nits file calls:";
        for (const std::string& call : calls) shown << "\n  " << call;
        ADD_FAILURE() << "seed " << seed << ", step " << failed << ": " << why
                      << "\nshortest sequence:" << shown.str();
    }
    std::printf("%ld steps played, %ld platform calls made to fail\n", played, refused);
}

}  // namespace
