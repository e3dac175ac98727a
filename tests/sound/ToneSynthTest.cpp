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

void RenderMore(ToneSynth& synth, Samples& out, int frames)
{
    out.resize(out.size() + static_cast<std::size_t>(frames));
    synth.Render(out.data() + out.size() - frames, frames);
}

TEST(ToneSynth, EachValueSoundsAtItsPitchOnEveryVoice)
{
    // 120 Hz at 0, 1,200 Hz at the height, exponential between, the ends
    // held beyond; markers 2 and 3 a few cents off.
    for (const auto& [value, height, hz] : {std::tuple{0, 100, 120.0}, {100, 100, 1200.0}, {50, 100, 379.47},
                                           {250, 1000, 213.39}, {-20, 100, 120.0}, {500, 100, 1200.0}})
        for (int voice = 0; voice < ToneSynth::kVoices; ++voice) {
            ToneSynth synth(kRate);
            synth.SetHeight(height);
            Samples out;
            for (int block = 0; block < 40; ++block) { // touched every 5 ms
                synth.Touch(voice, value); RenderMore(synth, out, 220);
            }
            EXPECT_NEAR(Pitch(out, kRate / 50, out.size(), kRate), hz, hz * 0.005) << value << '/' << height;
        }
}

TEST(ToneSynth, StepsAtAnyPaceNeverClickNorClip)
{
    // Random steps, voices, values and silences, from one sample apart (delay
    // 0) to longer than a tone: the largest step between samples stays
    // within what the sustained tones and the attack make themselves.
    for (const bool low : {true, false}) {
        ToneSynth synth(kRate);
        std::mt19937 random(7);
        Samples out;
        for (int step = 0; step < 4000; ++step) {
            synth.Touch(low ? 0 : static_cast<int>(random() % 3), static_cast<int>(random() % (low ? 10 : 101)));
            if (random() % 50 == 0)
                synth.Silence();
            RenderMore(synth, out, static_cast<int>(random() % 8 == 0 ? random() % 4000 : random() % 40 + 1));
        }
        const double top = low ? ToneFrequency(10, 100) : 1200, voices = low ? 1 : 3;
        const double bound = voices * ToneSynth::kVoiceLevel * (2 * std::numbers::pi * top / kRate + 1 / (ToneSynth::kAttack * kRate));
        EXPECT_LE(LargestJump(out), 1.1 * bound) << (low ? "low" : "all");
        EXPECT_LT(Peak(out), 0.95f);
    }
}

TEST(ToneSynth, ADelayZeroRunSoundsAsLongAsItRunsAndNoLonger)
{
    for (const auto& [type, pace] : {std::pair{1, 300}, {6, 20}, {10, 20}}) { // Bubble, Quick, Counting
        ResetSharedState(); RestartRnd();
        SortSet = {6, 500, 500}; SortType = static_cast<Integer>(type);
        FillSource(); SortData = SourceData; DataReady = true;
        // The steps fed as the window does, one 512-sample buffer rendered
        // every `pace` steps: a delay-0 run against the device's clock.
        ToneSynth synth(kRate);
        synth.SetHeight(SortSet[1]);
        Samples out;
        std::size_t end = 0;
        long steps = 0;
        RecordingView view;
        view.onCall = [&](const ViewCall& c) {
            if (c.kind == ViewCall::Line)
                for (const auto& [voice, index] : {std::pair{0, c.a}, {1, c.b}, {2, c.c}})
                    if (index > 0) synth.Touch(voice, SortData[index]);
            if (c.kind == ViewCall::Plot) synth.Touch(0, (c.b ? AuxData : SortData)[c.a]);
            if (c.kind == ViewCall::Status) { synth.Silence(); end = out.size(); }
            if ((c.kind == ViewCall::Line || c.kind == ViewCall::Plot) && ++steps % pace == 0) RenderMore(synth, out, 512);
        };
        {
            ScopedView scope(view);
            mnuStart_Click();
        }
        ASSERT_GT(end, 20u * 512);
        RenderMore(synth, out, kRate / 2);

        // Sound in every buffer, Counting Sort's counting half too, ended a
        // fade after the run's end, and the synthesiser at rest.
        const auto [from, to] = Audible(out);
        EXPECT_LT(from, 64u) << type;
        EXPECT_GE(to, end) << type;
        EXPECT_LE(to, end + static_cast<std::size_t>(ToneSynth::kFade * kRate) + 1) << type;
        for (std::size_t at = (from / 512 + 1) * 512; at + 512 <= end; at += 512)
            ASSERT_GT(Rms(out, at, at + 512), 0.005f) << type << ": a gap at buffer " << at / 512;
        EXPECT_TRUE(synth.Idle());
    }
    ResetSharedState();
}

} // namespace
