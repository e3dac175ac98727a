// Reading a rendered or recorded sound: where it is audible, its largest
// sample-to-sample step, its peak and level, and the pitch of a single voice.
#pragma once

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

using Samples = std::vector<float>;

// First and one past the last sample above `floor`; {0, 0} when none.
inline std::pair<std::size_t, std::size_t> Audible(const Samples& s, float floor = 1e-4f)
{
    std::size_t from = s.size(), to = 0;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (std::fabs(s[i]) > floor) { from = std::min(from, i); to = i + 1; }
    return to ? std::pair{from, to} : std::pair<std::size_t, std::size_t>{0, 0};
}

inline float LargestJump(const Samples& s)
{
    float jump = 0;
    for (std::size_t i = 1; i < s.size(); ++i)
        jump = std::max(jump, std::fabs(s[i] - s[i - 1]));
    return jump;
}

inline float Peak(const Samples& s)
{
    float peak = 0;
    for (float x : s)
        peak = std::max(peak, std::fabs(x));
    return peak;
}

inline float Rms(const Samples& s, std::size_t from, std::size_t to)
{
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += double(s[i]) * s[i];
    return to > from ? static_cast<float>(std::sqrt(sum / double(to - from))) : 0.0f;
}

// Whole periods between the first and last rising zero crossing in
// [from, to), interpolated; 0 with fewer than two crossings.
inline double Pitch(const Samples& s, std::size_t from, std::size_t to, int rate)
{
    double first = -1, last = -1;
    int periods = -1;
    for (std::size_t i = std::max<std::size_t>(from, 1); i < std::min(to, s.size()); ++i)
        if (s[i - 1] < 0 && s[i] >= 0) {
            last = double(i - 1) + s[i - 1] / double(s[i - 1] - s[i]);
            first = first < 0 ? last : first;
            ++periods;
        }
    return periods > 0 ? periods * rate / (last - first) : 0.0;
}

// The audible stretches of at least `shortest` samples, told apart by at
// least `gap` silent samples.
inline int Bursts(const Samples& s, std::size_t gap, std::size_t shortest, float floor = 1e-4f)
{
    int bursts = 0;
    std::size_t start = 0, last = 0;
    bool in = false;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        const bool audible = i < s.size() && std::fabs(s[i]) > floor;
        if (audible && !in) { in = true; start = i; }
        if (audible) last = i;
        if (in && (i == s.size() || i - last > gap)) {
            in = false;
            bursts += last + 1 - start >= shortest;
        }
    }
    return bursts;
}
