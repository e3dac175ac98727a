#include "engine/Module1.h"

namespace {
// Constant-initialised, so every thread's MainView starts on it.
NullView nullView;
} // namespace

constinit thread_local SortView* MainView = &nullView;
constinit thread_local std::vector<Integer> SourceData;
constinit thread_local std::vector<Integer> SortData;
constinit thread_local std::vector<Integer> AuxData;
constinit thread_local std::vector<Integer> CountData;
constinit thread_local bool DataReady = false;
constinit thread_local std::atomic<bool> Sorting = false;
constinit thread_local bool RoutineRunning = false;
constinit thread_local bool Unloading = false;
constinit thread_local std::array<Integer, 5> ColorSet{};
constinit thread_local std::array<Integer, 2> DrawSet{};
constinit thread_local std::array<Integer, 3> SortSet{};
constinit thread_local Integer SortType = 0;
constinit thread_local std::int64_t Comparisons = 0;
constinit thread_local int HeapSize = 0;

void NullView::DoReset(int)
{
    // Even with no window a new phase starts with a fresh counter.
    Comparisons = 0;
}

SortView& TheNullView()
{
    return nullView;
}

void ResetSharedState()
{
    MainView = &TheNullView();
    SourceData.clear();
    SortData.clear();
    AuxData.clear();
    CountData.clear();
    DataReady = false;
    Sorting = false;
    RoutineRunning = false;
    Unloading = false;
    ColorSet = {};
    DrawSet = {};
    SortSet = {};
    SortType = 0;
    Comparisons = 0;
    HeapSize = 0;
}
