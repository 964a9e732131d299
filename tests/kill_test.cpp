// The program's effect on the disk ended at each of its platform calls in turn, as
// TerminateProcess ends it, on both kinds of Windows: those that replace a file in one step
// and those of the 95 family, which delete the old file first. Built for every build, so the
// Win32 layer runs it under Wine; a Wine prefix that reports Windows 98 runs it a second
// time with the system's own answer.
#include <gtest/gtest.h>

#include "app/zandry_app.h"
#include "tests/support/faulty_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/stop_scenarios.h"

namespace {

class StopAtAnyCall : public ::testing::TestWithParam<StopScenario> {};

void ExpectForEitherReplace(const StopScenario& scenario, bool oneStep) {
    ExpectEveryStopLeavesEachPetsDataWithItsName(scenario, [oneStep](const StopScenario& s, long stopAt) {
        FaultyPlatform dying(SystemPlatform());
        dying.Fail(Call::Start);
        if (!oneStep) dying.WithoutOneStepReplace();
        if (stopAt > 0) dying.KillAt(stopAt);
        ScriptedDialogs windows(s.input);
        CZandryApp(dying, s.arguments).Run();
        return dying.Calls();
    });
}

TEST_P(StopAtAnyCall, ReplacingInOneStep) { ExpectForEitherReplace(GetParam(), true); }
TEST_P(StopAtAnyCall, DeletingThenRenaming) { ExpectForEitherReplace(GetParam(), false); }

INSTANTIATE_TEST_SUITE_P(Actions, StopAtAnyCall, ::testing::ValuesIn(StopScenarios()),
                         [](const ::testing::TestParamInfo<StopScenario>& info) { return std::string(info.param.what); });

}  // namespace
