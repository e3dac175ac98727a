// The step pause: its length follows the delay as it stands during the wait,
// a delay of 0 lets nothing through, and waiting does not spin a core.
#include "EngineFixture.h"

#include "engine/Instrument.h"

#include <QCoreApplication>
#include <QTimer>

#include <ctime>

TEST_F(EngineTest, ZeroDelayNeitherWaitsNorPumps)
{
    DrawSet[1] = 0;
    bool handled = false;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { handled = true; }, Qt::QueuedConnection);
    const double start = ClockSeconds();
    Pause();
    EXPECT_FALSE(handled);
    EXPECT_LT(ClockSeconds() - start, 0.01);
    // The step's own pump lets it through.
    StepLine(-1, -1, -1);
    EXPECT_TRUE(handled);
}

TEST_F(EngineTest, PauseLastsTheDelayAndFollowsChangesDuringIt)
{
    DrawSet[1] = 5;
    double start = ClockSeconds();
    Pause();
    EXPECT_GE(ClockSeconds() - start, 0.05);

    // A 5-second pause, made 0 by a handler after 50 ms (as Faster would).
    DrawSet[1] = 500;
    QTimer::singleShot(50, [] { DrawSet[1] = 0; });
    start = ClockSeconds();
    Pause();
    EXPECT_LT(ClockSeconds() - start, 1.0);

    // Made longer during the wait, it waits longer.
    DrawSet[1] = 2;
    QTimer::singleShot(5, [] { DrawSet[1] = 15; });
    start = ClockSeconds();
    Pause();
    EXPECT_GE(ClockSeconds() - start, 0.15);
}

TEST_F(EngineTest, PauseSleepsInsteadOfSpinning)
{
    DrawSet[1] = 30;
    const std::clock_t cpuStart = std::clock();
    const double start = ClockSeconds();
    Pause();
    const double wall = ClockSeconds() - start;
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    EXPECT_GE(wall, 0.3);
    EXPECT_LT(cpu, wall / 4);
}

TEST_F(EngineTest, PauseEndsAtOnceWhenTheWindowHasGone)
{
    DrawSet[1] = 500;
    Unloading = true;
    const double start = ClockSeconds();
    Pause();
    EXPECT_LT(ClockSeconds() - start, 0.1);
    // Also when the window goes during the wait.
    Unloading = false;
    QTimer::singleShot(20, [] { Unloading = true; });
    Pause();
    EXPECT_LT(ClockSeconds() - start, 1.0);
}
