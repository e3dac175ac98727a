// The synthesiser without a device: the pitch of each value, no clicks and
// no clipping whatever the steps do, and a run's sound as long as the run.
#include "Measure.h"

#include "engine/Dispatch.h"
#include "engine/FillSource.h"
#include "engine/Module1.h"
#include "platform/Runtime.h"
#include "sound/ToneSynth.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

#include <numbers>
#include <random>

namespace {

constexpr int kRate = 44100;

// Renders `frames` more samples onto the end of `out`.
void RenderMore(ToneSynth& synth, Samples& out, int frames)
{
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(frames));
    synth.Render(out.data() + at, frames);
}

// The largest sample-to-sample step sustained tones of these frequencies
// can make, a little over: the wave's steepest slope is 0.95 of a sine's.
float SmoothBound(std::initializer_list<double> frequencies)
{
    double bound = 0;
    for (double f : frequencies)
        bound += ToneSynth::kVoiceLevel * 0.95 * 2 * std::numbers::pi * f / kRate;
    // The attack's own slope, once per voice.
    bound += frequencies.size() * ToneSynth::kVoiceLevel / (ToneSynth::kAttack * kRate);
    return static_cast<float>(bound * 1.1);
}

TEST(ToneSynth, EachValueSoundsAtItsPitchFromLowestToHighest)
{
    struct Case { int value, height; double hz; };
    // 120 Hz at 0, 1,200 Hz at the height, exponential between; values
    // outside the height stay at the ends.
    for (const Case& c : {Case{0, 100, 120}, Case{100, 100, 1200}, Case{50, 100, 379.47}, Case{250, 1000, 213.39},
                          Case{-20, 100, 120}, Case{500, 100, 1200}, Case{7, 1, 1200}}) {
        SCOPED_TRACE(testing::Message() << "value " << c.value << " of height " << c.height);
        EXPECT_NEAR(ToneFrequency(c.value, c.height), c.hz, 0.01);
        for (int voice = 0; voice < ToneSynth::kVoices; ++voice) {
            ToneSynth synth(kRate);
            synth.SetHeight(c.height);
            Samples out;
            // Touched again every 5 ms, as a slow routine's marker stays on one value.
            for (int block = 0; block < 40; ++block)
                synth.Touch(voice, c.value), RenderMore(synth, out, 220);
            EXPECT_NEAR(Pitch(out, kRate / 50, out.size(), kRate), c.hz, c.hz * 0.005);
        }
    }
}

TEST(ToneSynth, StepsAtAnyPaceNeverClickNorClip)
{
    // Steps at random moments, random voices and values, silences between:
    // every change of pitch or level is a glide or a ramp.
    for (const bool low : {true, false}) {
        SCOPED_TRACE(low ? "one voice, low values" : "three voices, any value");
        ToneSynth synth(kRate);
        synth.SetHeight(100);
        std::mt19937 random(7);
        Samples out;
        for (int step = 0; step < 4000; ++step) {
            const int voice = low ? 0 : static_cast<int>(random() % 3);
            const int value = static_cast<int>(random() % (low ? 10 : 101));
            synth.Touch(voice, value);
            if (random() % 50 == 0)
                synth.Silence();
            // From a single sample (delay 0) to longer than the tone (a slow run).
            RenderMore(synth, out, random() % 8 == 0 ? static_cast<int>(random() % 4000) : static_cast<int>(random() % 40) + 1);
        }
        const float bound = low ? SmoothBound({ToneFrequency(10, 100)}) : SmoothBound({1200, 1200, 1200});
        EXPECT_LE(LargestJump(out), bound);
        EXPECT_LT(Peak(out), 0.95f);
        EXPECT_GT(Peak(out), 0.15f); // and it did sound
    }
}

// Feeds a routine's steps to the synthesiser as the window does, with one
// audio buffer rendered every `stepsPerBuffer` steps: the pace of a delay-0
// run against the device's clock.
class PacedRun : public RecordingView {
public:
    PacedRun(ToneSynth& synth, int stepsPerBuffer) : synth_(synth), stepsPerBuffer_(stepsPerBuffer) {}
    void DrawLine(int X, int Y, int z) override
    {
        const int markers[3] = {X, Y, z};
        for (int k = 0; k < 3; ++k)
            if (markers[k] > 0)
                synth_.Touch(k, SortData[markers[k]]);
        Stepped();
    }
    void DrawPlot(int X, bool o) override
    {
        if (o)
            synth_.Touch(0, AuxData[X]);
        Stepped();
    }
    void DoStatus() override { synth_.Silence(), runEnd = out.size(); }

    Samples out;
    std::size_t runEnd = 0;

private:
    void Stepped()
    {
        if (++steps_ % stepsPerBuffer_ == 0)
            RenderMore(synth_, out, 512);
    }
    ToneSynth& synth_;
    int stepsPerBuffer_;
    long steps_ = 0;
};

TEST(ToneSynth, ADelayZeroRunSoundsAsLongAsItRunsAndNoLonger)
{
    // Bubble, Quick and Counting Sort, each paced to last some 30 buffers or more.
    for (const auto& [type, pace] : {std::pair{1, 300}, {6, 20}, {10, 20}}) {
        SCOPED_TRACE(testing::Message() << "routine " << type);
        ResetSharedState();
        RestartRnd();
        SortSet = {6, 500, 500};
        DrawSet = {1, 0};
        SortType = static_cast<Integer>(type);
        FillSource();
        SortData = SourceData;
        DataReady = true;
        ToneSynth synth(kRate);
        synth.SetHeight(SortSet[1]);
        PacedRun run(synth, pace);
        MainView = &run;
        mnuStart_Click();
        MainView = &TheNullView();
        ASSERT_GT(run.runEnd, 20u * 512);
        RenderMore(synth, run.out, kRate / 2); // half a second after the end

        // Every buffer of the run sounds (Counting Sort's counting half draws
        // no bars and is silent) and the end fades out within a few ms.
        const auto [from, to] = Audible(run.out);
        EXPECT_LT(from, type == 10 ? run.runEnd : 64u);
        EXPECT_GE(to, run.runEnd);
        EXPECT_LE(to, run.runEnd + static_cast<std::size_t>(ToneSynth::kFade * kRate) + 1);
        float quietest = 1;
        for (std::size_t at = (from / 512 + 1) * 512; at + 512 <= run.runEnd; at += 512)
            quietest = std::min(quietest, Rms(run.out, at, at + 512));
        EXPECT_GT(quietest, 0.005f);
    }
    ResetSharedState();
}

TEST(ToneSynth, ATouchLeftAloneEndsAfterItsToneAndTheSynthComesToRest)
{
    ToneSynth synth(kRate);
    EXPECT_TRUE(synth.Idle());
    synth.Touch(2, 40);
    EXPECT_FALSE(synth.Idle()); // touched, not yet heard
    Samples out;
    RenderMore(synth, out, 512);
    EXPECT_FALSE(synth.Idle());
    RenderMore(synth, out, kRate / 5);
    const auto [from, to] = Audible(out);
    EXPECT_LT(from, 8u);
    EXPECT_NEAR(double(to) / kRate, ToneSynth::kHold + ToneSynth::kRelease, 0.002);
    EXPECT_TRUE(synth.Idle());
}

TEST(ToneSynth, TwoMarkersOnOneValueReinforceEachOther)
{
    // Whatever the voices sounded before, the step that puts markers 2 and 3
    // on the same element sounds that value louder, not cancelled.
    for (int before = 0; before < 20; ++before) {
        ToneSynth synth(kRate);
        Samples out;
        synth.Touch(1, 30 + before), synth.Touch(2, 60);
        RenderMore(synth, out, 777 * before + 100);
        RenderMore(synth, out, kRate / 5); // both silent again
        const std::size_t step = out.size();
        synth.Touch(1, 45), synth.Touch(2, 45);
        RenderMore(synth, out, kRate / 50);
        EXPECT_GT(Rms(out, step + kRate / 200, out.size()), 1.8f * ToneSynth::kVoiceLevel * 0.7f * 0.9f);
    }
}

} // namespace
