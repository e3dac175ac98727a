// The title strip and status bar texts of a run: the reset that opens a phase
// (no data set, data set taken into use, run beginning) and the report of the
// elapsed time and comparison count when a run ends.
#pragma once

#include <QString>

#include <functional>

class StatusStrip;

class StatusView {
public:
    // sortName gives the display name of the routine last chosen.
    StatusView(StatusStrip& sbTitleBar, StatusStrip& sbStatusBar, std::function<QString()> sortName);

    // Restarts the run clock, zeroes Comparisons and puts the labels back;
    // then by X: 0 no data set, 1 a data set taken into use, 2 a run begins.
    void DoReset(int X);
    // Shows the time since the last reset (less the time held paused), the comparisons, and "Status".
    void DoStatus();

    float StartTime = 0; // Timer() at the last DoReset
    double HeldAtStart = 0; // HeldSeconds() at the last DoReset

private:
    StatusStrip& sbTitleBar_;
    StatusStrip& sbStatusBar_;
    std::function<QString()> sortName_;
};

// "Delay: " and the step delay in seconds, then " secs" (status panel 2).
QString DelayText();
