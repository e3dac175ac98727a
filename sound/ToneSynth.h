// The tone of the sort: a few voices whose pitch follows the values a step
// touched. The window publishes each touch with one atomic store; the audio
// thread reads the latest touches whenever it needs samples and glides its
// voices there. Nothing is queued, so at any speed the sound follows the
// picture and never lags behind it. Pure C++: renders into a buffer with or
// without a device.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

// The pitch of a value: 120 Hz at 0 (and below), 1,200 Hz at the height of
// the data set (and above), exponential in between, so equal steps of value
// are equal musical steps.
double ToneFrequency(int value, int height);

class ToneSynth {
public:
    // Marker 1, 2 and 3 each have a voice; a single drawn bar uses the first.
    static constexpr int kVoices = 3;
    static constexpr double kLowest = 120.0;
    static constexpr double kHighest = 1200.0;
    // Envelope of a touch, in seconds: a rise short enough to sound like a
    // step yet too slow to click, the tone held, then let go.
    static constexpr double kAttack = 0.004;
    static constexpr double kHold = 0.035;
    static constexpr double kRelease = 0.030;
    // How fast Silence takes every voice out.
    static constexpr double kFade = 0.004;
    // How fast a sounding voice glides to a new pitch (time constant).
    static constexpr double kGlide = 0.004;
    // Peak of one voice; three at once stay well below full scale.
    static constexpr float kVoiceLevel = 0.22f;
    // Markers 2 and 3 sound a few cents off marker 1, so two markers held on
    // equal values beat slowly instead of cancelling each other for good.
    static constexpr std::array<double, kVoices> kDetune{1.0, 1.0025, 0.9975};

    explicit ToneSynth(int sampleRate);
    ToneSynth(const ToneSynth&) = delete;
    ToneSynth& operator=(const ToneSynth&) = delete;

    // --- The publishing side: one thread (the window's).
    // The value that reaches the top pitch.
    void SetHeight(int height);
    // Voice `voice` now sounds `value`: a new touch even when the value is
    // the same as before.
    void Touch(int voice, int value)
    {
        counts_[voice] = static_cast<std::uint16_t>(counts_[voice] + 1);
        touched_[voice].store(static_cast<std::uint32_t>(counts_[voice]) << 16 | static_cast<std::uint16_t>(value),
                              std::memory_order_relaxed);
    }
    // Every voice fades out within kFade; touches before this one are forgotten.
    void Silence();
    // The rendering side has fallen quiet and nothing has been touched since
    // it last looked: the device may rest until the next touch.
    bool Idle() const;

    // --- The rendering side: one thread (the audio device's).
    // Writes `frames` mono samples in [-1, 1].
    void Render(float* out, int frames);
    int SampleRate() const { return rate_; }

private:
    struct Voice {
        std::uint32_t seen = 0; // the last touch taken
        double phase = 0;       // in periods, 0..1
        double pitch = 0;       // natural log of the frequency now sounding
        double target = 0;      // and of the one it glides to
        float level = 0;        // envelope, 0..1
        int hold = 0;           // samples still held at full level
        bool fading = false;    // let go by Silence
    };

    // Each side writes its own cache lines, so a run's touches never wait
    // for the audio thread's writes.
    // Publishing side: per voice the count of touches in the high half and
    // the value in the low half, so one store is a whole touch.
    alignas(64) std::array<std::atomic<std::uint32_t>, kVoices> touched_{};
    std::array<std::uint16_t, kVoices> counts_{};
    std::atomic<int> height_{100};
    std::atomic<std::uint32_t> silence_{0};
    std::uint32_t silenceCount_ = 0;
    // What the rendering side has taken, for Idle.
    alignas(64) std::array<std::atomic<std::uint32_t>, kVoices> heard_{};
    std::atomic<bool> quiet_{true};

    // Rendering side.
    alignas(64) std::array<Voice, kVoices> voices_{};
    std::uint32_t silenceSeen_ = 0;
    int rate_;
    int holdSamples_;
    float attackStep_, releaseStep_, fadeStep_;
    double glideCoefficient_;
};
