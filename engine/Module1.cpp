#include "engine/Module1.h"

SortView* MainView = &TheNullView();
std::vector<Integer> SourceData;
std::vector<Integer> SortData;
std::vector<Integer> AuxData;
std::vector<Integer> CountData;
bool DataReady = false;
bool Sorting = false;
bool RoutineRunning = false;
bool Unloading = false;
std::array<Integer, 5> ColorSet{};
std::array<Integer, 2> DrawSet{};
std::array<Integer, 3> SortSet{};
Integer SortType = 0;
std::int32_t Comparisons = 0;
int HeapSize = 0;

void NullView::DoReset(int)
{
    // Even with no window a new phase starts with a fresh counter.
    Comparisons = 0;
}

SortView& TheNullView()
{
    static NullView view;
    return view;
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
