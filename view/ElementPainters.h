// The styles that give every element a place of its own: the column styles
// (dots, rainbow) and the disc styles (colour circle, disparity circle,
// spiral). Reached through PlotPainter::Make.
#pragma once

#include "view/PlotPainter.h"

std::unique_ptr<PlotPainter> MakeDotsPainter();
std::unique_ptr<PlotPainter> MakeRainbowPainter();
std::unique_ptr<PlotPainter> MakeCirclePainter(PlotStyle style);
