// View > Sound in the real window: the setting kept, no device handled, and
// what a run plays through SDL's disk driver, which writes the device's
// samples to a file in real time.
#include "Measure.h"

#include "mainwindow/MainWindowFixture.h"
#include "sound/StepSound.h"

#include <QMenu>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

using SoundSettingTest = MainWindowTest;

QAction* SoundItem(frmMain& w) { return w.action("mnuViewSound"); }
QString Stored() { return GetSetting(AppTitle(), "Settings", "Sound", "missing"); }

TEST_F(SoundSettingTest, OffAtFirstKeptAcrossARestartAndADamagedValueReadsAsOff)
{
    frmMain& w = Start();
    QAction* item = SoundItem(w);
    EXPECT_TRUE(item->isCheckable() && item->isEnabled() && !item->isChecked());
    EXPECT_FALSE(w.sound().IsOn());
    item->trigger();
    EXPECT_TRUE(item->isChecked() && w.sound().IsOn());
    w.mnuFileExit_Click();
    EXPECT_EQ(Stored(), "-1");

    frmMain& again = Restart();
    EXPECT_TRUE(SoundItem(again)->isChecked() && again.sound().IsOn());
    SoundItem(again)->trigger();
    EXPECT_FALSE(SoundItem(again)->isChecked() || again.sound().IsOn());
    again.mnuFileExit_Click();
    EXPECT_EQ(Stored(), "0");

    for (const char* damaged : {"on", "0.5", "", "-1.5", "1e400"}) {
        SCOPED_TRACE(damaged);
        SaveSetting(AppTitle(), "Settings", "Sound", damaged);
        SaveSetting(AppTitle(), "Settings", "SortWidth", "60");
        frmMain& next = Restart();
        EXPECT_FALSE(SoundItem(next)->isChecked() || next.sound().IsOn());
        EXPECT_EQ(SortSet[2], 60); // the other keys as stored
    }
}

// SDL cannot start its audio with a driver that does not exist: the state of
// a machine with no sound at all.
class NoDeviceTest : public MainWindowTest {
protected:
    void SetUp() override { MainWindowTest::SetUp(), setenv("SDL_AUDIODRIVER", "none-such", 1); }
    void TearDown() override { MainWindowTest::TearDown(), setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

TEST_F(NoDeviceTest, TheItemIsDisabledSaysWhyWhilePointedAtAndNothingElseChanges)
{
    // Found when the View menu first opens; the panel shows the reason only
    // while the mouse is on the item.
    frmMain& w = Start();
    auto* view = w.findChild<QMenu*>("mnuView");
    view->popup(w.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    QAction* item = SoundItem(w);
    EXPECT_FALSE(item->isEnabled() || item->isChecked());
    const QString reason = item->statusTip();
    EXPECT_TRUE(reason.startsWith("No audio system (")) << reason.toStdString();
    QTest::mouseMove(view, view->actionGeometry(item).center());
    EXPECT_EQ(w.sbStatusBar().panelText(1), reason);
    QTest::mouseMove(view, view->actionGeometry(w.action("mnuViewToolbar")).center());
    EXPECT_EQ(w.sbStatusBar().panelText(1), "Status");
    view->close();

    // Stored on: the start leaves it off and disabled, runs go on as ever,
    // and the choice is kept for a start with a device.
    SaveSetting(AppTitle(), "Settings", "Sound", "-1");
    frmMain& stored = Restart();
    EXPECT_FALSE(SoundItem(stored)->isEnabled() || stored.sound().IsOn());
    SoundItem(stored)->trigger(); // Ctrl+U on a disabled item: nothing
    EXPECT_FALSE(stored.sound().IsOn());
    SortSet = {6, 100, 40}, FillSource(), ChooseNew(stored, 6);
    stored.mnuStart_Click();
    EXPECT_TRUE(std::is_sorted(SortData.begin() + 1, SortData.end()));
    stored.mnuFileExit_Click();
    EXPECT_EQ(Stored(), "-1");
}

// A run in the window with the sound on, the device being SDL's disk driver.
class DiskSoundTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        file_ = dir_.filePath("played.raw");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file_.toLocal8Bit().constData(), 1);
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_DISKAUDIOFILE");
    }
    // Sound on, `type` ready on `width` values at `delay`; the run starts at
    // `start` seconds into the file.
    frmMain& ReadyWithSound(int type, int width, Integer delay)
    {
        frmMain& w = Ready(type, width);
        DrawSet[1] = delay;
        SoundItem(w)->trigger();
        opened_ = ClockSeconds();
        EXPECT_TRUE(w.sound().IsOn());
        QTest::qWait(100);
        return w;
    }
    double Run(frmMain& w)
    {
        start_ = ClockSeconds() - opened_;
        const double t0 = ClockSeconds();
        w.mnuStart_Click();
        return ClockSeconds() - t0;
    }
    // What the device played, once the window has closed it.
    Samples Played()
    {
        EndMain();
        QFile f(file_);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        Samples s(static_cast<std::size_t>(bytes.size()) / 2);
        const auto* raw = reinterpret_cast<const std::int16_t*>(bytes.constData());
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = raw[i] / 32768.0f;
        return s;
    }

    static constexpr int kRate = 44100;
    QTemporaryDir dir_;
    QString file_;
    double opened_ = 0, start_ = 0;
};

TEST_F(DiskSoundTest, ARunPlaysWhileItDrawsAtThePitchesOfItsValues)
{
    // Counting Sort: a silent counting half, then one bar (one voice) a step.
    frmMain& w = ReadyWithSound(10, 20, 3);
    const double seconds = Run(w);
    const auto [low, high] = std::minmax_element(SortData.begin() + 1, SortData.end());
    const double lowest = ToneFrequency(*low, SortSet[1]), highest = ToneFrequency(*high, SortSet[1]);
    const Samples played = Played();

    const auto [from, to] = Audible(played);
    // Sound from the first placed bar, half-way, to the end of the run.
    EXPECT_NEAR(double(from) / kRate, start_ + seconds / 2, 0.1);
    EXPECT_NEAR(double(to - from) / kRate, seconds / 2, 0.1);
    // Each 15 ms of it (a step is 30) at a pitch between those of the lowest
    // and highest value.
    double heardLow = 1e9, heardHigh = 0;
    for (std::size_t at = from; at + 660 <= to; at += 110) {
        const double hz = Pitch(played, at, at + 660, kRate);
        if (hz == 0 || Rms(played, at, at + 660) < 0.05f)
            continue; // too low for two periods here, or fading
        heardLow = std::min(heardLow, hz), heardHigh = std::max(heardHigh, hz);
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
        SCOPED_TRACE(exit ? "Exit" : "Stop");
        // Bubble Sort at 10 ms a step tests the stop flag once a pass: its
        // first pass draws for about a second.
        frmMain& w = ReadyWithSound(1, 100, 1);
        double stopped = 0;
        QTimer::singleShot(300, &w, [&] { stopped = ClockSeconds(), exit ? w.mnuFileExit_Click() : w.mnuStop_Click(); });
        const double t0 = ClockSeconds();
        Run(w);
        const double untilStop = stopped - t0;
        if (!exit) {
            ASSERT_GT(ClockSeconds() - stopped, 0.3); // the routine drew on
            // Silent since the Stop, so the device rests soon after it.
            EXPECT_TRUE(QTest::qWaitFor([&] { return w.sound().Output().Resting(); }, 1000));
        }
        const Samples played = Played();
        const auto [from, to] = Audible(played);
        EXPECT_NEAR(double(from) / kRate, start_, 0.1);
        EXPECT_NEAR(double(to - from) / kRate, untilStop, 0.1);
        // Faded out before the device closed, and no faster than two voices
        // at the top pitch move.
        EXPECT_LT(to + kRate / 1000, played.size());
        EXPECT_LT(LargestJump(played), 2 * ToneSynth::kVoiceLevel * 2 * 3.1416 * 1200 / kRate);
        TearDown(), SetUp();
    }
}

} // namespace
