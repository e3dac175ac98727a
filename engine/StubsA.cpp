// Placeholders for codes 13..20, replaced one by one.
#include "engine/PlaceholderSort.h"
#include "engine/Routines.h"

void CocktailShakerSort() { PlaceholderSort(); }
void OddEvenSort() { PlaceholderSort(); }
void GnomeSort() { PlaceholderSort(); }
void CombSort() { PlaceholderSort(); }
void ShellSort() { PlaceholderSort(); }
void CycleSort() { PlaceholderSort(); }
void SmoothSort() { PlaceholderSort(); }
void PancakeSort() { PlaceholderSort(); }
