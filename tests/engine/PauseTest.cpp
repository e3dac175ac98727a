// The step pause: its length follows the delay as it stands during the wait,
// a delay of 0 lets no event through, and the wait does not spin a core.
#include "EngineFixture.h"

#include "engine/Instrument.h"

#include <QCoreApplication>
#include <QTimer>

#include <ctime>

TEST_F(EngineTest, PauseFollowsTheDelayWithoutSpinning)
{
    bool handled = false;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { handled = true; }, Qt::QueuedConnection);
    Pause(); // delay 0
    EXPECT_FALSE(handled);
    StepLine(-1, -1, -1); // the step's own pump lets it through
    EXPECT_TRUE(handled);

    DrawSet[1] = 30;
    const std::clock_t cpu = std::clock();
    double start = ClockSeconds();
    Pause();
    const double wall = ClockSeconds() - start;
    EXPECT_GE(wall, 0.3);
    EXPECT_LT(double(std::clock() - cpu) / CLOCKS_PER_SEC, wall / 4);

    // Faster during a 5 s pause ends it; Slower during a short one extends it.
    DrawSet[1] = 500;
    QTimer::singleShot(30, [] { DrawSet[1] = 0; });
    start = ClockSeconds();
    Pause();
    EXPECT_LT(ClockSeconds() - start, 1.0);
    DrawSet[1] = 2;
    QTimer::singleShot(5, [] { DrawSet[1] = 15; });
    start = ClockSeconds();
    Pause();
    EXPECT_GE(ClockSeconds() - start, 0.15);

    // The window going away during the wait ends it.
    DrawSet[1] = 500;
    QTimer::singleShot(20, [] { Unloading = true; });
    start = ClockSeconds();
    Pause();
    Pause();
    EXPECT_LT(ClockSeconds() - start, 1.0);
}
