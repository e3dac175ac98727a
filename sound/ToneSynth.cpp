#include "sound/ToneSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double ToneFrequency(int value, int height)
{
    if (height < 1)
        height = 1;
    const double share = std::clamp(static_cast<double>(value) / height, 0.0, 1.0);
    return ToneSynth::kLowest * std::pow(ToneSynth::kHighest / ToneSynth::kLowest, share);
}

ToneSynth::ToneSynth(int sampleRate)
    : rate_(std::max(sampleRate, 8000)),
      holdSamples_(static_cast<int>(kHold * rate_)),
      attackStep_(static_cast<float>(1.0 / (kAttack * rate_))),
      releaseStep_(static_cast<float>(1.0 / (kRelease * rate_))),
      fadeStep_(static_cast<float>(1.0 / (kFade * rate_))),
      glideCoefficient_(1.0 - std::exp(-1.0 / (kGlide * rate_)))
{
}

void ToneSynth::SetHeight(int height)
{
    height_.store(height, std::memory_order_relaxed);
}

void ToneSynth::Silence()
{
    // Release: the touches stored before it are visible to the renderer that
    // sees the new count, so it forgets them instead of sounding them.
    silence_.store(++silenceCount_, std::memory_order_release);
}

bool ToneSynth::Idle() const
{
    if (!quiet_.load(std::memory_order_acquire))
        return false;
    for (int k = 0; k < kVoices; ++k)
        if (heard_[k].load(std::memory_order_relaxed) != touched_[k].load(std::memory_order_relaxed))
            return false;
    return true;
}

namespace {

// A soft triangle: its first two partials. Rounder than a triangle, a little
// brighter than a sine, so low notes still carry on small speakers.
float Wave(double phase)
{
    constexpr double kTwoPi = 2 * std::numbers::pi;
    return static_cast<float>(0.9 * (std::sin(kTwoPi * phase) - std::sin(3 * kTwoPi * phase) / 9));
}

} // namespace

void ToneSynth::Render(float* out, int frames)
{
    const int height = height_.load(std::memory_order_relaxed);
    const std::uint32_t silence = silence_.load(std::memory_order_acquire);
    const bool silenced = silence != silenceSeen_;
    silenceSeen_ = silence;
    for (int k = 0; k < kVoices; ++k) {
        Voice& v = voices_[k];
        const std::uint32_t word = touched_[k].load(std::memory_order_relaxed);
        if (silenced) {
            v.fading = true;
            v.hold = 0;
        } else if (word != v.seen) {
            const int value = static_cast<std::int16_t>(word & 0xFFFFu);
            v.target = std::log(ToneFrequency(value, height) * kDetune[k]);
            // A silent voice starts on its note, in phase with the voices
            // already there (two markers on one value reinforce each other);
            // a sounding one glides there.
            if (v.level <= 0) {
                v.pitch = v.target;
                v.phase = 0;
                for (int other = 0; other < k; ++other)
                    if (voices_[other].level > 0 || voices_[other].hold > 0)
                        v.phase = voices_[other].phase;
            }
            v.fading = false;
            v.hold = holdSamples_;
        }
        v.seen = word;
        heard_[k].store(word, std::memory_order_relaxed);
    }

    std::fill(out, out + std::max(frames, 0), 0.0f);
    bool quiet = true;
    for (Voice& v : voices_) {
        if (v.level <= 0 && v.hold == 0)
            continue;
        for (int i = 0; i < frames; ++i) {
            if (v.hold > 0) {
                v.level = std::min(1.0f, v.level + attackStep_);
                --v.hold;
            } else {
                v.level = std::max(0.0f, v.level - (v.fading ? fadeStep_ : releaseStep_));
            }
            v.pitch += (v.target - v.pitch) * glideCoefficient_;
            v.phase += std::exp(v.pitch) / rate_;
            v.phase -= std::floor(v.phase);
            out[i] += kVoiceLevel * v.level * Wave(v.phase);
        }
        if (v.level > 0 || v.hold > 0)
            quiet = false;
    }
    // A soft limit: never reaches full scale, however many voices meet.
    for (int i = 0; i < frames; ++i)
        out[i] = std::tanh(out[i]);
    quiet_.store(quiet, std::memory_order_release);
}
