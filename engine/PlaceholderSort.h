// Stands in for a routine not yet written: an instrumented insertion sort.
#pragma once
void PlaceholderSort();
