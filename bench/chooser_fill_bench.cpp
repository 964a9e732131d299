// Opening the chooser: FillPetCombo into the native dialog manager's combo box of the
// chooser's own template, the settings file read in one look each time.
#include <benchmark/benchmark.h>

#include "bench/bench_roster.h"
#include "res/resource.h"
#include "ui/pet_actions.h"
#include "ui/framework/terminal/template_window.h"

namespace {

void FillChooserCold(benchmark::State& state) {
    const DialogTemplate* chooser = FindDialogTemplate(IDD_CHOOSER);
    if (!chooser) return state.SkipWithError("no chooser template");
    int count = static_cast<int>(state.range(0));
    std::filesystem::path folder = MakeRosterFolder(count);
    std::filesystem::path file = folder / "Zandry.ini";
    ProfileStore store(SystemPlatform());
    store.Bind(CorePath(file));
    for (auto _ : state) {
        state.PauseTiming();
        TemplateWindow window(*chooser, [](const std::string&, const std::string&, unsigned) { return 1; });
        ListControl& combo = window.List(IDC_CHOOSER_PET);
        state.ResumeTiming();
        FillPetCombo(combo, store);
        if (combo.Count() != count) state.SkipWithError("short list");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(FillChooserCold)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
