// The data-set generator: rebuilds SourceData from the order, height and width.
#pragma once

// Resizes SourceData to 0..SortSet[2] and fills 1..SortSet[2] in the order
// SortSet[0]; element 0 is 0. Order codes outside 0..8 leave the values 0.
void FillSource();
