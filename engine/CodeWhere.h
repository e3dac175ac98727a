// Where a routine is in its code (engine/RoutineCode.h): the line of its
// listing it is at and the values of its variables, set by the routine at
// each step point. Only a window that shows the code turns it on; until then
// every point costs a test of one flag of this thread.
#pragma once

#include <array>
#include <climits>
#include <cstdint>

struct CodeWhere {
    static constexpr int kValues = 8;
    // A variable not in use at this line (shown as a dash).
    static constexpr std::int32_t kNone = INT32_MIN;
    int line = -1;  // the listing's line, -1 none yet
    int wrote = -1; // the last line that wrote SortData in this step, -1 none
    std::array<std::int32_t, kValues> values{};
    bool operator==(const CodeWhere&) const = default;
};

// Whether this thread's routine keeps CodeHere up to date.
extern thread_local constinit bool CodeWhereOn;
extern thread_local constinit CodeWhere CodeHere;

// The step point: the routine is at `line` with these variables, in the
// order its listing names them.
inline void CodeAt(int line, int a = 0, int b = 0, int c = 0, int d = 0, int e = 0, int f = 0, int g = 0, int h = 0)
{
    if (CodeWhereOn) [[unlikely]] {
        CodeHere.line = line;
        CodeHere.values = {a, b, c, d, e, f, g, h};
    }
}
