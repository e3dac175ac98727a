#include "export/ExportCommand.h"

#include "compare/CommandLine.h"
#include "engine/Routines.h"
#include "export/Exporter.h"
#include "engine/StoredKeys.h"

#include <QDir>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

namespace {

constexpr int kQuickSort = 6;
constexpr int kInterrupted = 130;

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int)
{
    interrupted.store(true);
}

} // namespace

ExportParse ParseExport(const QStringList& arguments)
{
    ExportParse result;
    const CommandRequest c = ParseCommandLine(arguments);
    if (c.action == CommandRequest::Action::Help) {
        result.help = true;
        return result;
    }
    if (c.action == CommandRequest::Action::Bad) {
        result.error = c.error;
        return result;
    }
    if (c.action != CommandRequest::Action::Export) {
        result.error = QStringLiteral("--export needs a file name.");
        return result;
    }
    ExportRequest r;
    r.path = c.exportRun.path;
    if (!FormatOfPath(r.path)) {
        result.error = QStringLiteral("Unknown format of %1: the name should end in %2.").arg(r.path, FormatExtensions());
        return result;
    }
    r.routine = c.exportRun.routine;
    r.order = c.order;
    r.width = c.width;
    r.height = c.height;
    r.dataPath = c.dataPath;
    r.size = c.exportRun.size.value_or(r.size);
    r.pace.fps = c.exportRun.fps.value_or(r.pace.fps);
    r.pace.seconds = c.exportRun.seconds.value_or(r.pace.seconds);
    r.pace.stepsPerFrame = c.exportRun.stepsPerFrame.value_or(r.pace.stepsPerFrame);
    r.caption = c.exportRun.caption;
    r.sound = c.exportRun.sound;
    result.request = r;
    return result;
}

ExportRun RunOfRequest(const ExportRequest& request, const RunInput* data)
{
    const StoredSortSettings stored = ReadStoredSortSettings();
    ExportRun run;
    run.routine = request.routine.value_or(kQuickSort);
    run.input = data ? *data
                     : FreshInput(static_cast<Integer>(request.order.value_or(stored.order)),
                                  request.height.value_or(stored.height), request.width.value_or(stored.width));
    // As the window reads them at load: out of range reads as the default.
    const StoredReader store(false);
    run.colors = {store.Value(Key::Background), store.Value(Key::Foreground), store.Value(Key::Indicator1),
                  store.Value(Key::Indicator2), store.Value(Key::Indicator3)};
    run.pen = store.Value(Key::DrawWidth);
    run.style = StyleFromName(store.Text(Key::Style)).value_or(PlotStyle::Bars);
    run.size = request.size;
    run.pace = request.pace;
    run.caption = request.caption;
    return run;
}

int RunExportCommand(const QStringList& arguments, QTextStream& err, bool progress)
{
    const ExportParse parse = ParseExport(arguments);
    if (parse.help) {
        err << CommandLineHelp();
        err.flush();
        return 0;
    }
    if (!parse.request)
        return RejectArguments(parse.error, err);
    const ExportRequest& request = *parse.request;
    if (const QString why = FormatUnavailable(*FormatOfPath(request.path)); !why.isEmpty())
        return Fail(QDir::toNativeSeparators(request.path) + QStringLiteral(": ") + why, err, kExitOutputLost);
    // A store that cannot be read is said as --compare and the window say it.
    CommandStart start = StartCommand(request.dataPath, err);
    if (start.failed)
        return *start.failed;

    // Ctrl+C (or a kill) ends the export cleanly: nothing is left behind. A
    // second one ends the program at once.
    interrupted = false;
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    struct sigaction oldInt = {}, oldTerm = {};
    sigaction(SIGINT, &action, &oldInt);
    sigaction(SIGTERM, &action, &oldTerm);

    std::unique_ptr<Exporter> exporter;
    bool ok = false;
    std::atomic<bool> ready{false}, done{false};
    std::thread worker([&] {
        // The data set and the run on a thread of their own engine state.
        exporter = std::make_unique<Exporter>(RunOfRequest(request, start.data ? &*start.data : nullptr), request.path, request.sound);
        ready = true;
        ok = exporter->Run();
        done = true;
    });
    auto last = std::chrono::steady_clock::now();
    while (!done) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!ready)
            continue;
        if (interrupted)
            exporter->Cancel();
        if (progress && std::chrono::steady_clock::now() - last > std::chrono::milliseconds(200)) {
            last = std::chrono::steady_clock::now();
            err << "\rExporting " << request.path << ": " << int(exporter->Progress() * 100) << "%";
            err.flush();
        }
    }
    worker.join();
    sigaction(SIGINT, &oldInt, nullptr);
    sigaction(SIGTERM, &oldTerm, nullptr);
    if (progress)
        err << '\r' << QString(request.path.size() + 20, QLatin1Char(' ')) << '\r';
    if (ok) {
        err.flush();
        return 0;
    }
    // A write that failed is said as such, even where the failure stopped the run.
    if (interrupted || (exporter->Cancelled() && exporter->Error().isEmpty())) {
        err << "ordivan: export interrupted; nothing written\n";
        err.flush();
        return kInterrupted;
    }
    return Fail(exporter->Error(), err, kExitOutputLost);
}
