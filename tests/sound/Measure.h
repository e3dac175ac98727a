// Reading a rendered or recorded sound: where it is audible, how fast it
// moves from sample to sample, and the pitch of a single voice.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

using Samples = std::vector<float>;

// First and one past the last sample louder than `floor`; {0, 0} when none.
inline std::pair<std::size_t, std::size_t> Audible(const Samples& s, float floor = 1e-4f)
{
    const auto loud = [floor](float x) { return std::fabs(x) > floor; };
    const auto first = std::find_if(s.begin(), s.end(), loud);
    if (first == s.end())
        return {0, 0};
    const auto last = std::find_if(s.rbegin(), s.rend(), loud);
    return {static_cast<std::size_t>(first - s.begin()), static_cast<std::size_t>(s.rend() - last)};
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

// The frequency of one voice over [from, to): whole periods between the
// first and the last rising zero crossing (interpolated); 0 when fewer than
// two crossings.
inline double Pitch(const Samples& s, std::size_t from, std::size_t to, int rate)
{
    double first = -1, last = -1;
    int periods = -1;
    for (std::size_t i = std::max<std::size_t>(from, 1); i < to && i < s.size(); ++i) {
        if (s[i - 1] < 0 && s[i] >= 0) {
            const double at = double(i - 1) + s[i - 1] / double(s[i - 1] - s[i]);
            if (first < 0)
                first = at;
            last = at;
            ++periods;
        }
    }
    return periods > 0 ? periods * rate / (last - first) : 0.0;
}
