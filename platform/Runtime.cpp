#include "platform/Runtime.h"

#include "platform/Forms.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <thread>

namespace {

// splitmix64 from a fixed start: the same sequence on every start. Each
// thread draws its own sequence, so a headless run on another thread never
// moves the one the window's data sets and runs draw from.
constexpr std::uint64_t kRndStart = 0x4f7264697661ULL;
thread_local std::uint64_t rndState = kRndStart;

using Clock = std::chrono::steady_clock;
const Clock::time_point clockOrigin = Clock::now();

std::function<float()>& timerSource()
{
    static std::function<float()> source;
    return source;
}

std::function<void(const std::string&)>& msgBoxHook()
{
    static std::function<void(const std::string&)> hook;
    return hook;
}

} // namespace

float Rnd()
{
    std::uint64_t z = (rndState += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    // 24 bits fill a Single's mantissa exactly, so the result stays below 1.
    return static_cast<float>(z >> 40) * (1.0f / 16777216.0f);
}

void RestartRnd()
{
    rndState = kRndStart;
}

std::uint64_t RndState()
{
    return rndState;
}

void SetRndState(std::uint64_t state)
{
    rndState = state;
}

bool OnEventThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

double ClockSeconds()
{
    return std::chrono::duration<double>(Clock::now() - clockOrigin).count();
}

float Timer()
{
    if (timerSource())
        return timerSource()();
    return static_cast<float>(ClockSeconds());
}

void SetTimerSource(std::function<float()> source)
{
    timerSource() = std::move(source);
}

void DoEvents()
{
    if (OnEventThread())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForEvents(double seconds)
{
    if (seconds <= 0)
        return;
    const int ms = static_cast<int>(seconds * 1000.0 + 0.999);
    if (!OnEventThread()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return;
    }
    // A precise single-shot timer wakes the wait at the deadline; any other
    // event (a click on Faster, a repaint) wakes it earlier.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.start(ms);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void MsgBox(const std::string& prompt)
{
    if (msgBoxHook()) {
        msgBoxHook()(prompt);
        return;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Ordivan"), QString::fromStdString(prompt),
                    QMessageBox::Ok, QApplication::activeWindow());
    LoadedForm loaded(&box);
    box.exec();
}

void SetMsgBoxHook(std::function<void(const std::string&)> hook)
{
    msgBoxHook() = std::move(hook);
}
