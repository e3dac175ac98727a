#include "platform/TerminateSignal.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QTest>
#include <QWidget>

#include <csignal>

namespace {

struct CloseCounter : QWidget {
    int closes = 0;
    void closeEvent(QCloseEvent* event) override { ++closes, event->accept(); }
};

bool ClosedSoon(const CloseCounter& window) { return QTest::qWaitFor([&] { return window.closes > 0; }, 2000); }

} // namespace

TEST(TerminateSignal, EachSignalClosesTheLatestWindowFromTheEventLoop)
{
    for (const int signo : {SIGTERM, SIGINT, SIGHUP})
        signal(signo, SIG_DFL); // as a terminal's foreground job meets them
    CloseCounter older;
    CloseOnTerminateSignal(&older);
    for (const int signo : {SIGTERM, SIGINT, SIGHUP}) {
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

TEST(TerminateSignal, ASignalIgnoredAtStartStaysIgnored)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            signal(SIGHUP, SIG_IGN); // started under nohup
            CloseCounter window;
            window.show();
            CloseOnTerminateSignal(&window);
            raise(SIGHUP);
            std::exit(QTest::qWaitFor([&] { return window.closes > 0; }, 300) ? 1 : 0);
        },
        testing::ExitedWithCode(0), "");
}
