// Every test program starts here: Qt on the offscreen platform, settings in
// a scratch folder, so no test needs a display or touches a user's settings.
// Each test starts from the same engine state, and a test that hangs ends
// the program with its name said rather than stalling the run for ever.
#include "engine/RunTrace.h"
#include "engine/StepControl.h"
#include "platform/Runtime.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

// The state that lives beyond any one window or fixture: a hold, the held
// time, a hold listener, a stand-in clock and a run trace left by the test
// before would otherwise reach into the next.
class FreshEngineState : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { Reset(); }
    void OnTestEnd(const ::testing::TestInfo&) override { Reset(); }
    static void Reset()
    {
        ResetStepControl();
        SetTimerSource({});
        Trace = nullptr;
    }
};

// Ends the program when one test runs longer than `limit`: CTest's own
// timeout kills the whole program without saying which test hung.
class Watchdog : public ::testing::EmptyTestEventListener {
public:
    explicit Watchdog(std::chrono::seconds limit) : limit_(limit), thread_([this] { Watch(); }) {}
    ~Watchdog() override
    {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

private:
    void OnTestStart(const ::testing::TestInfo& info) override
    {
        std::lock_guard lock(mutex_);
        test_ = std::string(info.test_suite_name()) + "." + info.name();
        deadline_ = std::chrono::steady_clock::now() + limit_;
        wake_.notify_all();
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        std::lock_guard lock(mutex_);
        test_.clear();
    }
    void Watch()
    {
        std::unique_lock lock(mutex_);
        while (!done_) {
            if (test_.empty()) {
                wake_.wait(lock);
            } else if (wake_.wait_until(lock, deadline_) == std::cv_status::timeout && !test_.empty()
                       && std::chrono::steady_clock::now() >= deadline_) {
                std::fprintf(stderr, "%s still runs after %lld seconds: it hangs; ending the test program\n",
                             test_.c_str(), static_cast<long long>(limit_.count()));
                std::fflush(stderr);
                std::_Exit(124);
            }
        }
    }

    const std::chrono::seconds limit_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string test_;
    std::chrono::steady_clock::time_point deadline_;
    bool done_ = false;
    std::thread thread_;
};

// ORDIVAN_TEST_LIMIT seconds per test, 200 unless given (0: no limit); the
// sanitizer build takes a few times as long as the release build.
std::chrono::seconds TestLimit()
{
    const char* given = std::getenv("ORDIVAN_TEST_LIMIT");
    return std::chrono::seconds(given && *given ? std::atoi(given) : 200);
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    // Sound switched on in a test plays into SDL's silent dummy device, never
    // the speakers; tests of the real output path choose their own driver.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    listeners.Append(new FreshEngineState);
    if (const auto limit = TestLimit(); limit.count() > 0)
        listeners.Append(new Watchdog(limit));
    return RUN_ALL_TESTS();
}
