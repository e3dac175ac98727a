// Each sort routine over 1000 random values of height 1000, delay 0, on a view
// that only counts the marker and bar calls: how many steps and comparisons
// a second the engine itself can carry, drawing aside.
#include "engine/FillSource.h"
#include "engine/Module1.h"
#include "engine/Routines.h"
#include "platform/Runtime.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string_view>

namespace {

class CountingView final : public SortView {
public:
    void DrawLine(int, int, int) override { ++steps; }
    void DrawPlot(int, bool) override { ++steps; }
    void DoReset(int) override { Comparisons = 0; }
    void DoStatus() override {}
    std::int64_t steps = 0;
};

void BM_Routine(benchmark::State& state)
{
    const Routine& routine = RoutineTable[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(routine.name);
    ResetSharedState();
    RestartRnd();
    SortSet = {6, 1000, 1000};
    DrawSet = {1, 0};
    FillSource();
    CountingView view;
    MainView = &view;
    std::int64_t comparisons = 0;
    for (auto _ : state) {
        SortData = SourceData;
        Sorting = true;
        routine.entry();
        comparisons += Comparisons;
    }
    MainView = &TheNullView();
    const double runs = static_cast<double>(state.iterations());
    state.counters["steps/s"] = benchmark::Counter(static_cast<double>(view.steps), benchmark::Counter::kIsRate);
    // The engine's own time per step: what a routine adds to the drawing.
    state.counters["s/step"] = benchmark::Counter(static_cast<double>(view.steps),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["comparisons/s"] = benchmark::Counter(static_cast<double>(comparisons), benchmark::Counter::kIsRate);
    state.counters["steps/run"] = static_cast<double>(view.steps) / runs;
    state.counters["comparisons/run"] = static_cast<double>(comparisons) / runs;
}

} // namespace

int main(int argc, char** argv)
{
    // Every routine of the table that runs on 1000 values, in the sort type
    // list's order. One run is enough of those worse than quadratic on
    // average (Stooge Sort makes about 1.4e8 calls on 1000 values).
    for (int type = 0; type < kRoutineCount; ++type) {
        const Routine& routine = RoutineTable[static_cast<std::size_t>(type)];
        if (!routine.entry || (routine.sizeLimit != 0 && routine.sizeLimit < 1000))
            continue;
        auto* bench = benchmark::RegisterBenchmark("BM_Routine", BM_Routine)->Arg(type)->Unit(benchmark::kMillisecond);
        if (std::string_view(routine.cost.average).find("n^2") != std::string_view::npos)
            bench->Iterations(1);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
