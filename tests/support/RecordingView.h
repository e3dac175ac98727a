// A view that remembers every call a routine makes, for checking marker
// sequences and step counts without a window.
#pragma once

#include "engine/Module1.h"

#include <functional>
#include <ostream>
#include <vector>

struct ViewCall {
    enum Kind { Line, Plot, Reset, Status } kind;
    int a = 0, b = 0, c = 0; // Line: X, Y, z; Plot: X, o; Reset: X
    bool operator==(const ViewCall&) const = default;
};
inline void PrintTo(const ViewCall& c, std::ostream* os) { *os << "LPRS"[c.kind] << '(' << c.a << ',' << c.b << ',' << c.c << ')'; }

class RecordingView : public SortView {
public:
    void DrawLine(int X, int Y, int z) override { Record({ViewCall::Line, X, Y, z}); }
    void DrawPlot(int X, bool o) override { Record({ViewCall::Plot, X, o}); }
    void DoReset(int X) override { Comparisons = 0; Record({ViewCall::Reset, X}); } // zeroes as the window's reset does
    void DoStatus() override { Record({ViewCall::Status}); }

    std::vector<ViewCall> calls;
    // Runs after every recorded call: tests use it to act "during a step".
    std::function<void(const ViewCall&)> onCall;

private:
    void Record(const ViewCall& call)
    {
        calls.push_back(call);
        if (onCall)
            onCall(call);
    }
};

// Installs itself as MainView for its lifetime and restores the null view after.
struct ScopedView {
    explicit ScopedView(SortView& view) { MainView = &view; }
    ~ScopedView() { MainView = &TheNullView(); }
};
