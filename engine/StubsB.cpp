// Placeholders for codes 21..29, replaced one by one.
#include "engine/PlaceholderSort.h"
#include "engine/Routines.h"

void BottomUpMergeSort() { PlaceholderSort(); }
void TimSort() { PlaceholderSort(); }
void DualPivotQuickSort() { PlaceholderSort(); }
void ThreeWayQuickSort() { PlaceholderSort(); }
void IntroSort() { PlaceholderSort(); }
void MsdRadixSort() { PlaceholderSort(); }
void BitonicSort() { PlaceholderSort(); }
void OddEvenMergeSort() { PlaceholderSort(); }
void BogoSort() { PlaceholderSort(); }
