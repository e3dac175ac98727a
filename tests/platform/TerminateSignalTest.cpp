#include "platform/TerminateSignal.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QTest>
#include <QWidget>

#include <csignal>
#include <memory>

namespace {

struct CloseCounter : QWidget {
    int closes = 0;
    void closeEvent(QCloseEvent* event) override { ++closes, event->accept(); }
};

bool ClosedSoon(const CloseCounter& window) { return QTest::qWaitFor([&] { return window.closes > 0; }, 2000); }

} // namespace

TEST(TerminateSignal, EachSignalClosesTheLatestWindowFromTheEventLoop)
{
    CloseCounter older;
    CloseOnTerminateSignal(&older);
    for (const int signo : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signo);
        CloseCounter window;
        window.show();
        CloseOnTerminateSignal(&window);
        raise(signo);
        EXPECT_EQ(window.closes, 0); // the handler itself only leaves a note
        EXPECT_TRUE(ClosedSoon(window));
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_EQ(older.closes, 0);

    // A window destroyed before the signal is taken up leaves nothing dangling,
    // and the next window still gets the signals.
    auto gone = std::make_unique<CloseCounter>();
    CloseOnTerminateSignal(gone.get());
    raise(SIGTERM);
    gone.reset();
    QTest::qWait(20);
    CloseCounter next;
    CloseOnTerminateSignal(&next);
    raise(SIGTERM);
    EXPECT_TRUE(ClosedSoon(next));
}

TEST(TerminateSignal, SecondSignalEndsAProgramThatDoesNotAnswer)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            CloseCounter window;
            CloseOnTerminateSignal(&window);
            raise(SIGTERM);
            raise(SIGTERM); // no event loop ran in between
            std::exit(3);
        },
        testing::KilledBySignal(SIGTERM), "");
}
