// Every failure message, each with a folder and the user's actions that bring it about: the
// one table of the windows run in-process and of the native program in a terminal. The
// folder holds roster A, B with A live, B.kmc and the host Kirimo.exe.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/host_queries.h"
#include "platform/platform.h"
#include "roster/host_files.h"
#include "tests/support/faulty_platform.h"
#include "tests/support/folder_names.h"
#include "tests/support/stored.h"
#include "tests/support/test_folder.h"

// Roster A, B with A live, B.kmc and the host Kirimo.exe: where each case begins.
inline void WriteTwoPets(const TestFolder& folder) {
    SystemPlatform().CopyFileReplacing(STANDIN_HOST, kHostExe);
    StoreRoster({"A", "B"}, 0);
    folder.Write(kLiveFile, "A data");
    folder.Write("B.kmc", "B data");
}

struct FailureCase {
    const char* what;
    std::function<void(const TestFolder&)> prepare;
    std::function<void(FaultyPlatform&)> fault;  // none for a case a whole program can meet
    std::vector<std::string> arguments;
    std::string script;   // lines for the windows
    std::string message;  // code page 932
};

// Code page 932 from UTF-16, as the program's own texts come from its resources.
inline std::string Ansi(std::u16string_view text) {
    std::string out(text.size() * 2, '\0');
    int n = SystemPlatform().Host().WideToAnsi(reinterpret_cast<const unsigned char*>(text.data()),
                                               static_cast<int>(text.size()), out.data(),
                                               static_cast<int>(out.size()));
    out.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return out;
}

inline std::vector<FailureCase> FailureCases() {
    const std::string here = SystemPlatform().CurrentDirectory() + "\\";
    const std::string ini = here + kIni, live = Ansi(u"Kirimo設定.kmc");
    const std::string notLaunched = "\n" + Ansi(u"ペットを切り替えられないため、何も起動しませんでした。");
    auto renaming = [](const std::string& from, const std::string& to) {
        return from + Ansi(u" の名前を ") + to + Ansi(u" に変えられません。");
    };
    const std::string unwritable = ini + Ansi(u" に書き込めません。");
    auto stale = [](const TestFolder& folder) { folder.Write("A.kmc", "stale A"); };
    auto readOnly = [](const TestFolder& folder) { folder.MakeReadOnly(kIni); };
    // The start-up's own check finds no host; the next one does.
    auto hostLater = [](FaultyPlatform& p) { p.HostRunsFrom(2); };
    const std::string running = here + Ansi(u"Kirimo.exe が動いています。終了してから、やり直してください。\n");
    const std::string unfinished = Ansi(u"\n前回中断した作業を終えられないため、何もせずに終了します。");
    return {
        {"a name on the command line, the live file held back", stale, nullptr, {"B"}, "",
         renaming(live, "A.kmc") + notLaunched},
        {"the chooser, the settings file read-only", readOnly, nullptr, {}, "2\na\n", unwritable + notLaunched},
        {"the settings file unreadable", nullptr, [](FaultyPlatform& p) { p.Fail(Call::Read); }, {"B"}, "",
         ini + Ansi(u" を読み込めません。") + notLaunched},
        {"the chosen pet's file held back", nullptr, [](FaultyPlatform& p) { p.FailNth(Call::Rename, 2, false); },
         {"B"}, "", renaming("B.kmc", live) + notLaunched},
        {"the host gone", [](const TestFolder&) { SystemPlatform().RemoveFile(kHostExe); }, nullptr,
         {"B"}, "", here + Ansi(u"Kirimo.exe を起動できません。")},
        {"the first run, the settings file read-only",
         [](const TestFolder& folder) {
             folder.Write(kIni, "");
             folder.MakeReadOnly(kIni);
         },
         nullptr, {}, "a\n\nb\n", unwritable + Ansi(u"\n初期設定を保存できませんでした。")},
        {"adopting, the live file held back", stale, nullptr, {}, "b\ntype New\na\n",
         renaming(live, "A.kmc") + Ansi(u"\nペットを飼えませんでした。")},
        {"adopting, the folder taking no new file", nullptr, [](FaultyPlatform& p) { p.Fail(Call::Probe); }, {},
         "b\ntype New\na\n", Ansi(u"New.kmc に書き込めません。\nペットを飼えませんでした。")},
        {"renaming, the settings file read-only", readOnly, nullptr, {}, "b\n2\ntype Z\nb\n",
         unwritable + Ansi(u"\n名前を変えられませんでした。")},
        {"renaming, the pet's file held back", nullptr, [](FaultyPlatform& p) { p.Fail(Call::Rename); }, {},
         "b\n2\ntype Z\nb\n", renaming("B.kmc", "Z.kmc") + Ansi(u"\n名前を変えられませんでした。")},
        {"discarding, the settings file read-only", readOnly, nullptr, {}, "b\n2\nc\ny\n",
         unwritable + Ansi(u"\nペットを捨てられませんでした。")},
        {"the chooser, the host started meanwhile", nullptr, hostLater, {}, "2\na\n", running + notLaunched.substr(1)},
        {"adopting, the host started meanwhile", nullptr, hostLater, {}, "b\ntype New\na\n",
         running + Ansi(u"ペットを飼えませんでした。")},
        {"discarding the live pet, the host started meanwhile", nullptr, hostLater, {}, "b\n1\nc\ny\n",
         running + Ansi(u"ペットを捨てられませんでした。")},
        {"the settings file left beside its place for good",
         [](const TestFolder& folder) {
             folder.Write(kIniNew, *folder.Read(kIni));
             SystemPlatform().RemoveFile(kIni);
         },
         [](FaultyPlatform& p) { p.Fail(Call::Rename); }, {"B"}, "", renaming(ini + ".new", ini) + unfinished},
        {"a recorded rename whose files cannot move",
         [](const TestFolder& folder) {
             folder.Write(kIni, *folder.Read(kIni) + "[Rename]\r\nfrom=Y\r\nto=B\r\n");
             folder.Write("Y.kmc", "Y data");
         },
         nullptr, {"B"}, "", renaming("Y.kmc", "B.kmc") + unfinished},
    };
}

// Runs each case in a fresh folder set up as the case begins: the one setup of every run of
// the table. The messages name the folder, so the table is made inside it.
inline void ForEachFailureCase(const std::function<void(const FailureCase&, const TestFolder&)>& run) {
    for (size_t i = 0; i < FailureCases().size(); ++i) {
        TestFolder folder;
        const FailureCase c = FailureCases()[i];
        WriteTwoPets(folder);
        if (c.prepare) c.prepare(folder);
        run(c, folder);
    }
}
