// View > Sound in the real window: the setting kept, no device handled, and
// what runs play through SDL's disk driver, which writes the device's
// samples to a file in real time.
#include "Measure.h"

#include "mainwindow/MainWindowFixture.h"
#include "engine/StepControl.h"
#include "sound/StepSound.h"

#include <QMenu>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QAction* SoundItem(frmMain& w) { return w.action("mnuViewSound"); }
QString Stored() { return GetSetting(AppTitle(), "Settings", "Sound", "missing"); }
// The item and the sound agree, and are `on`.
void ExpectSound(frmMain& w, bool on, const char* why = "")
{
    EXPECT_EQ(SoundItem(w)->isChecked(), on) << why;
    EXPECT_EQ(w.sound().IsOn(), on) << why;
}

// The tests run with SDL's "dummy" driver; these choose another for their window.
template <const char* Driver>
class DriverTest : public MainWindowTest {
protected:
    void SetUp() override { MainWindowTest::SetUp(); setenv("SDL_AUDIODRIVER", Driver, 1); }
    void TearDown() override { MainWindowTest::TearDown(); setenv("SDL_AUDIODRIVER", "dummy", 1); }
};
constexpr char kDummy[] = "dummy", kNoSuch[] = "none-such", kDisk[] = "disk";
using SoundSettingTest = DriverTest<kDummy>;
using NoDeviceTest = DriverTest<kNoSuch>; // a machine with no sound at all

TEST_F(SoundSettingTest, OffAtFirstKeptAcrossARestartAndADamagedValueReadsAsOff)
{
    frmMain& w = Start();
    EXPECT_TRUE(SoundItem(w)->isEnabled());
    ExpectSound(w, false, "at first");
    SoundItem(w)->trigger();
    ExpectSound(w, true, "triggered");
    w.mnuFileExit_Click();
    EXPECT_EQ(Stored(), "-1");
    frmMain& again = Restart();
    ExpectSound(again, true, "restarted");
    SoundItem(again)->trigger();
    again.mnuFileExit_Click();
    EXPECT_EQ(Stored(), "0");

    for (const char* damaged : {"on", "0.5", "", "-1.5", "1e400"}) {
        SaveSetting(AppTitle(), "Settings", "Sound", damaged);
        SaveSetting(AppTitle(), "Settings", "SortWidth", "60");
        ExpectSound(Restart(), false, damaged);
        EXPECT_EQ(SortSet[2], 60) << "the other keys as stored";
    }
}

TEST_F(NoDeviceTest, TheItemIsDisabledSaysWhyAndNothingElseChanges)
{
    // Stored on: off and disabled, found when the View menu first opens, saying why.
    SaveSetting(AppTitle(), "Settings", "Sound", "-1");
    frmMain& w = Start();
    auto* view = w.findChild<QMenu*>("mnuView");
    view->popup(w.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    QAction* item = SoundItem(w);
    EXPECT_FALSE(item->isEnabled());
    EXPECT_TRUE(item->statusTip().startsWith("No audio system (")) << item->statusTip().toStdString();
    view->close();

    // The item does nothing, runs go on as ever, and the choice is kept
    // for a start with a device.
    item->trigger();
    ExpectSound(w, false);
    SortSet = {6, 100, 40}; FillSource(); ChooseNew(w, 6);
    w.mnuStart_Click();
    EXPECT_TRUE(std::is_sorted(SortData.begin() + 1, SortData.end()));
    w.mnuFileExit_Click();
    EXPECT_EQ(Stored(), "-1");
}

class DiskSoundTest : public DriverTest<kDisk> {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        setenv("SDL_DISKAUDIOFILE", dir_.filePath("played.raw").toLocal8Bit().constData(), 1);
    }
    // Sound on, routine `type` ready on `width` values at `delay`, `during`
    // called 300 ms into the run; the seconds the run took.
    double RunWithSound(frmMain*& w, int type, int width, Integer delay, std::function<void(frmMain&)> during = {})
    {
        w = &Ready(type, width);
        DrawSet[1] = delay;
        SoundItem(*w)->trigger();
        const double opened = ClockSeconds();
        QTest::qWait(100);
        if (during)
            QTimer::singleShot(300, w, [w, during] { during(*w); });
        t0_ = ClockSeconds();
        start_ = t0_ - opened; // seconds into the file
        w->mnuStart_Click();
        return ClockSeconds() - t0_;
    }
    // What the device played, once the window has closed it.
    Samples Played()
    {
        EndMain();
        QFile f(dir_.filePath("played.raw"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        Samples s(static_cast<std::size_t>(bytes.size()) / 2);
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = reinterpret_cast<const std::int16_t*>(bytes.constData())[i] / 32768.0f;
        return s;
    }

    static constexpr int kRate = 44100;
    QTemporaryDir dir_;
    double start_ = 0, t0_ = 0;
};

TEST_F(DiskSoundTest, ARunPlaysWhileItDrawsAtThePitchesOfItsValues)
{
    // Counting Sort, 30 ms a step: a counting half, each step the bar it
    // counts, then a placing half, each step the bar it places (one voice).
    // 300 ms in, it is counting, and sounds.
    frmMain* w = nullptr;
    bool counting = false, sounding = false;
    RunWithSound(w, 10, 20, 3, [&](frmMain& w) {
        counting = Sorting && AuxData[20] == 0;
        sounding = !w.sound().Output().Resting() && w.sound().Output().FramesPlayed() > 0;
    });
    EXPECT_TRUE(counting);
    EXPECT_TRUE(sounding) << "the counting pass is silent";
    const auto [low, high] = std::minmax_element(SortData.begin() + 1, SortData.end());
    const double lowest = ToneFrequency(*low, SortSet[1]), highest = ToneFrequency(*high, SortSet[1]);
    const Samples played = Played();

    // No pass silent: a loaded machine may stall a step or two, not a pass.
    const auto [from, to] = Audible(played);
    std::size_t silent = 0, longest = 0;
    for (std::size_t at = from; at + 441 <= to; at += 441) {
        silent = Rms(played, at, at + 441) > 0.01f ? 0 : silent + 441;
        longest = std::max(longest, silent);
    }
    EXPECT_LT(longest, (to - from) / 4) << "silent for a pass";
    // Every 15 ms of it between the pitches of the lowest and the highest value, reaching both.
    double heardLow = 1e9, heardHigh = 0;
    for (std::size_t at = from; at + 660 <= to; at += 110)
        if (const double hz = Pitch(played, at, at + 660, kRate); hz > 0 && Rms(played, at, at + 660) > 0.05f) {
            heardLow = std::min(heardLow, hz);
            heardHigh = std::max(heardHigh, hz);
        }
    EXPECT_GT(heardLow, lowest * 0.97);
    EXPECT_LT(heardLow, lowest * 1.15);
    EXPECT_LT(heardHigh, highest * 1.03);
    EXPECT_GT(heardHigh, highest * 0.9);
    EXPECT_LT(Peak(played), 0.95f);
}

TEST_F(DiskSoundTest, StopAndExitSilenceTheRunAtOnceAndWithoutAClick)
{
    for (const bool exit : {false, true}) {
        // Bubble Sort at 10 ms a step tests the stop flag once a pass: its
        // first pass draws for about a second.
        double stopped = 0;
        std::uint64_t atStop = 0; // frames the device had been given
        int buffer = 0;
        frmMain* w = nullptr;
        RunWithSound(w, 1, 100, 1, [&](frmMain& w) {
            stopped = ClockSeconds();
            atStop = w.sound().Output().FramesPlayed();
            buffer = w.sound().Output().BufferFrames();
            exit ? w.mnuFileExit_Click() : w.mnuStop_Click();
        });
        if (!exit) {
            ASSERT_GT(ClockSeconds() - stopped, 0.3) << "the routine drew on";
            EXPECT_TRUE(QTest::qWaitFor([&] { return w->sound().Output().Resting(); }, 1000)) << "sounding after Stop";
        }
        const Samples played = Played();
        const auto [from, to] = Audible(played);
        EXPECT_NEAR(double(from) / kRate, start_, 0.1) << (exit ? "Exit" : "Stop");
        // Sounding up to the command, silent within the buffer the device was
        // filling then and one fade: counted in the device's own frames,
        // from its first, which sounds the run's first step.
        ASSERT_GT(atStop, 0u);
        const std::size_t command = from + atStop;
        EXPECT_GE(to, command) << (exit ? "Exit" : "Stop");
        EXPECT_LE(to, command + buffer + static_cast<std::size_t>(ToneSynth::kFade * kRate) + 32) << (exit ? "Exit" : "Stop");
        // Faded out before the device closed, no faster than two top-pitch voices move.
        EXPECT_LT(to + kRate / 1000, played.size());
        EXPECT_LT(LargestJump(played), 2 * ToneSynth::kVoiceLevel * 2 * 3.1416 * 1200 / kRate);
        TearDown(); SetUp();
    }
}

} // namespace

namespace {

// Held, every step taken sounds, once: the routine's own steps that Step
// Forward lets it take, and the recorded steps Step Back and Step Forward show.
TEST_F(DiskSoundTest, EachStepTakenWhileHeldSoundsOnce)
{
    frmMain& w = Ready(1, 30); // Bubble Sort
    DrawSet[1] = 0;
    Soon([&w] { w.action("mnuPause")->trigger(); });
    const char* const steps[] = {"mnuStepForward", "mnuStepForward", "mnuStepBack", "mnuStepBack", "mnuStepForward", "mnuStepForward", "mnuStepForward"};
    std::size_t next = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!Holding())
            return;
        if (!SoundItem(w)->isChecked()) {
            SoundItem(w)->trigger(); // on while held: the steps before are not heard
            return;
        }
        if (!w.sound().Output().Resting())
            return; // the last step's tone is still playing
        if (next == std::size(steps)) {
            timer.stop();
            w.mnuStop_Click();
            return;
        }
        w.action(steps[next++])->trigger();
    });
    timer.start(5);
    w.mnuStart_Click();
    EXPECT_EQ(next, std::size(steps));
    EXPECT_EQ(Bursts(Played(), kRate / 50, kRate / 100), static_cast<int>(std::size(steps)));
}

} // namespace
