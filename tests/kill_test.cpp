// The program's effect on the disk ended at each of its platform calls in turn, as
// TerminateProcess ends it, on both kinds of Windows: those that replace a file in one step
// and those of the 95 family, which delete the old file first. Built for every build, so the
// Win32 layer runs it under Wine; a Wine prefix that reports Windows 98 runs it a second
// time with the system's own answer.
#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/zandry_app.h"
#include "tests/support/faulty_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/stop_scenarios.h"
#ifdef _WIN32
#include "tests/support/win32/windows98.h"
#endif

namespace {

class StopAtAnyCall : public ::testing::TestWithParam<StopScenario> {};

void ExpectForEitherReplace(const StopScenario& scenario, bool oneStep) {
    ExpectEveryStopLeavesEachPetsDataWithItsName(
        scenario, [oneStep](const std::vector<std::string>& arguments, const std::string& input, long stopAt) {
            FaultyPlatform dying(SystemPlatform());
            dying.Fail(Call::Start);
            if (!oneStep) dying.WithoutOneStepReplace();
            if (stopAt > 0) dying.KillAt(stopAt);
            ScriptedDialogs windows(input);
            CZandryApp(dying, arguments).Run();
            return dying.Calls();
        });
}

TEST_P(StopAtAnyCall, ReplacingInOneStep) { ExpectForEitherReplace(GetParam(), true); }
TEST_P(StopAtAnyCall, DeletingThenRenaming) { ExpectForEitherReplace(GetParam(), false); }

INSTANTIATE_TEST_SUITE_P(Actions, StopAtAnyCall, ::testing::ValuesIn(StopScenarios()),
                         [](const ::testing::TestParamInfo<StopScenario>& info) { return std::string(info.param.what); });

#ifdef _WIN32
// Wine tells a program the version its AppDefaults key names, from its start: a copy of this
// suite under a name of its own is told Windows 98, and the Win32 layer itself then refuses
// to replace in one step, so the runs take the delete-then-rename path and the recovery.
TEST(StopAtAnyCallOnWindows98, TheSystemsOwnAnswer) {
    const char kMark[] = "ZANDRY_KILL_TESTS_ON_WINDOWS98";
    if (std::getenv(kMark)) {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        ASSERT_TRUE(GetVersionExA(&version));
        ASSERT_EQ(version.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
        TestFolder folder;
        folder.Write("new", "new");
        ASSERT_EQ(SystemPlatform().ReplaceFile("new", "old"), ReplaceResult::Unsupported);
        for (const StopScenario& scenario : StopScenarios()) ExpectForEitherReplace(scenario, true);
        return;
    }
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    const std::string copy = std::string(self) + ".98.exe";
    ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
    {
        Windows98For windows98(copy.substr(copy.rfind('\\') + 1));
        ASSERT_TRUE(windows98.Set());
        SetEnvironmentVariableA(kMark, "1");
        EXPECT_EQ(RunProgram(copy, {"--gtest_filter=StopAtAnyCallOnWindows98.*"}), 0);
        SetEnvironmentVariableA(kMark, nullptr);
    }
    DeleteFileA(copy.c_str());
}
#endif

}  // namespace
