#include "platform/TerminateSignal.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace {

// SIGHUP too: closing the terminal that started the program ends it like a
// session logging out, and the settings must survive that as well.
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The signal handler may only do async-signal-safe things, so it writes a
// byte into a pipe whose other end the event loop watches.
int g_pipe[2] = {-1, -1};
volatile sig_atomic_t g_pending = 0;

extern "C" void OnTerminateSignal(int signo)
{
    const int savedErrno = errno;
    if (g_pending) {
        // The event loop has not taken up the first request: it is not
        // running, so nothing would ever close the window. End as the
        // signal's default would.
        signal(signo, SIG_DFL);
        raise(signo);
    } else {
        g_pending = 1;
        const char byte = static_cast<char>(signo);
        [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
    }
    errno = savedErrno;
}

class TerminateWatcher : public QObject {
public:
    explicit TerminateWatcher(QObject* parent)
        : QObject(parent)
        , notifier_(g_pipe[0], QSocketNotifier::Read, this)
    {
        connect(&notifier_, &QSocketNotifier::activated, this, [this] { CloseWindow(); });
        struct sigaction action = {};
        action.sa_handler = OnTerminateSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (std::size_t i = 0; i < std::size(kSignals); ++i) {
            sigaction(kSignals[i], nullptr, &previous_[i]);
            // A signal the program was started to ignore (SIGHUP under nohup,
            // SIGINT in a shell's background job) stays ignored.
            if (previous_[i].sa_handler != SIG_IGN)
                sigaction(kSignals[i], &action, nullptr);
        }
    }

    ~TerminateWatcher() override
    {
        // Once the application object is gone nobody reads the pipe.
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            sigaction(kSignals[i], &previous_[i], nullptr);
    }

    void SetWindow(QWidget* window) { window_ = window; }

private:
    void CloseWindow()
    {
        char bytes[64];
        while (read(g_pipe[0], bytes, sizeof bytes) > 0) {
        }
        g_pending = 0;
        if (!window_) {
            QCoreApplication::exit(0);
            return;
        }
        // A hidden window's close does not end the event loop by itself.
        const bool wasVisible = window_->isVisible();
        if (window_->close() && !wasVisible)
            QCoreApplication::exit(0);
    }

    QSocketNotifier notifier_;
    QPointer<QWidget> window_;
    struct sigaction previous_[std::size(kSignals)] = {};
};

QPointer<TerminateWatcher> g_watcher;

bool OpenPipe()
{
    if (g_pipe[0] >= 0)
        return true;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    g_pipe[0] = ends[0];
    g_pipe[1] = ends[1];
    return true;
}

} // namespace

void CloseOnTerminateSignal(QWidget* window)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    if (!g_watcher) {
        // Without the pipe the signals keep their default: the program still
        // ends, only without saving.
        if (!OpenPipe())
            return;
        g_pending = 0;
        g_watcher = new TerminateWatcher(app);
    }
    g_watcher->SetWindow(window);
}
