#include "platform/TerminateSignal.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QTest>
#include <QWidget>

#include <csignal>
#include <memory>

namespace {

class CloseCounter : public QWidget {
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closes;
        event->accept();
    }
};

} // namespace

TEST(TerminateSignal, EachSignalClosesTheWindowFromTheEventLoop)
{
    for (const int signo : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signo);
        CloseCounter window;
        window.show();
        CloseOnTerminateSignal(&window);
        raise(signo);
        // The handler only leaves a note; the close happens in the event loop.
        EXPECT_EQ(window.closes, 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.closes > 0; }, 2000));
        EXPECT_EQ(window.closes, 1);
        EXPECT_FALSE(window.isVisible());
    }
}

TEST(TerminateSignal, SignalsGoToTheLatestWindowAndSurviveItsDestruction)
{
    CloseCounter first;
    CloseCounter second;
    first.show();
    second.show();
    CloseOnTerminateSignal(&first);
    CloseOnTerminateSignal(&second);
    raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return second.closes > 0; }, 2000));
    EXPECT_EQ(first.closes, 0);

    // A window destroyed before the signal is handled leaves nothing dangling.
    auto gone = std::make_unique<CloseCounter>();
    gone->show();
    CloseOnTerminateSignal(gone.get());
    raise(SIGTERM);
    gone.reset();
    QTest::qWait(50);

    // The watcher is still armed for the next window.
    CloseCounter third;
    third.show();
    CloseOnTerminateSignal(&third);
    raise(SIGINT);
    EXPECT_TRUE(QTest::qWaitFor([&] { return third.closes > 0; }, 2000));
    EXPECT_EQ(first.closes, 0);
}

TEST(TerminateSignal, SecondSignalEndsAProgramThatDoesNotAnswer)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            CloseCounter window;
            window.show();
            CloseOnTerminateSignal(&window);
            raise(SIGTERM);
            // No event loop runs between the two.
            raise(SIGTERM);
            std::exit(3);
        },
        testing::KilledBySignal(SIGTERM), "");
}
