// Thousands of random commands on the real main window: every menu item,
// toolbar button, View switch, resizes down to nothing, minimise and restore,
// and the dialogs driven with random choices. Most arrive in the middle of a
// run, through the event pump of the running routine, the way a person's
// clicks do. After every command the shared state must still hold together.
// A failure prints the seed; ORDIVAN_SEED=<n> replays it.
#include "dialogs/frmAbout.h"
#include "dialogs/frmColor.h"
#include "dialogs/frmDraw.h"
#include "dialogs/frmSort.h"
#include "dialogs/frmType.h"
#include "engine/Module1.h"
#include "engine/StepControl.h"
#include "mainwindow/Main.h"
#include "mainwindow/RunControl.h"
#include "mainwindow/StoredSettings.h"
#include "mainwindow/frmMain.h"
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "platform/Settings.h"
#include "view/PlotView.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QSlider>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

QString settingsFile()
{
    return SettingsFilePath(QStringLiteral("Ordivan"));
}

// Stands between the routines and the window, to see a run begin while
// another Start is still on the stack.
class RunWatch : public SortView {
public:
    explicit RunWatch(frmMain& window) : window_(window) {}
    // After the window has unloaded, nothing may reach it.
    void DrawLine(int X, int Y, int z) override { ++steps; if (!Unloading) window_.DrawLine(X, Y, z); }
    void DrawPlot(int X, bool o) override { ++steps; if (!Unloading) window_.DrawPlot(X, o); }
    void DoReset(int X) override
    {
        nestedRun = nestedRun || (X == 2 && !starts.empty() && starts.back());
        if (!Unloading)
            window_.DoReset(X);
    }
    void DoStatus() override { if (!Unloading) window_.DoStatus(); }

    // For each Start on the stack: whether a routine was already running when it came.
    std::vector<bool> starts;
    bool nestedRun = false;
    // Drawing calls so far: the clock by which commands are spread over a
    // run, so a seed replays the same sequence however fast the machine is.
    long long steps = 0;

private:
    frmMain& window_;
};

class Monkey {
public:
    Monkey(unsigned seed, int commands, bool closeMidRun)
        : rng_(seed), target_(commands), closeMidRun_(closeMidRun)
    {
    }

    // Plays the whole sequence and closes the window at its end.
    void Play()
    {
        Main();
        window_ = MainWindow();
        watch_ = std::make_unique<RunWatch>(*window_);
        MainView = watch_.get();
        QEventLoop loop;
        loop_ = &loop;
        Post();
        loop.exec();
        loop_ = nullptr;
    }

    std::string failure;
    int commandsDone = 0;
    int commandsDuringRuns = 0;

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

    void Post()
    {
        QMetaObject::invokeMethod(qApp, [this] { Tick(); }, Qt::QueuedConnection);
    }

    // Runs on every pass of whatever loop is running: the outer one, a
    // routine's step, or a dialog's modal loop.
    void Tick()
    {
        if (finished_)
            return;
        Post();
        if (inCommand_)
            return; // a command's own synchronous work (e.g. a test delay) is not interrupted
        QWidget* modal = QApplication::activeModalWidget();
        // Inside a run most pumps are just steps; a command every few steps.
        if (!modal && RoutineRunning && !Holding()) {
            if (watch_->steps < nextStep_)
                return;
            // With a pause per step, commands come sooner so the test stays quick.
            nextStep_ = watch_->steps + 1 + Pick(DrawSet[1] > 0 ? 3 : 40);
        }
        if (commandsDone >= target_ && !closing_) {
            if (!closeMidRun_ || RoutineRunning || modal || runsWaited_++ > 2000) {
                Finish();
                return;
            }
            // Wait for a run to be under way, then close in the middle of it.
            if (!Sorting && !RoutineRunning && DataReady) {
                Command([this] { window_->mnuStart_Click(); });
                return;
            }
            if (!DataReady)
                Command([this] { window_->mnuFileNew_Click(); });
            return;
        }
        if (modal)
            Command([this, modal] { DriveDialog(modal); });
        else
            Command([this] { MainCommand(); });
    }

    void Command(const std::function<void()>& act)
    {
        ++commandsDone;
        if (RoutineRunning)
            ++commandsDuringRuns;
        act();
        Check();
    }

    void Finish()
    {
        closing_ = true;
        finished_ = true;
        if (window_->isMinimized() && Chance(0.5))
            window_->showNormal();
        const bool minimised = window_->isMinimized();
        QFile::remove(settingsFile());
        window_->close();
        // Closed while minimised, the program stores nothing at all.
        if (minimised)
            EXPECT_FALSE(QFile::exists(settingsFile()));
        else
            CheckSettingsFile();
        if (loop_)
            loop_->quit();
    }

    // Start (menu or toolbar), counted so a run beginning inside another shows.
    void Start(const std::function<void()>& start)
    {
        watch_->starts.push_back(RoutineRunning);
        start();
        watch_->starts.pop_back();
    }

    void MainCommand()
    {
        static const char* keys[] = {"New", "Close", "Start", "Stop", "Faster", "Slower", "Random", "Ascending", "Descending"};
        frmMain& w = *window_;
        if (Chance(0.1))
            return PauseCommand(w);
        const int pick = Pick(20);
        trace_ = "command " + std::to_string(pick) + (RoutineRunning ? " in a run" : "");
        switch (pick) {
        case 0: case 1: w.mnuFileNew_Click(); break;
        case 2: w.mnuFileClose_Click(); break;
        case 3: case 4: case 5: Start([&w] { w.mnuStart_Click(); }); break;
        case 6: w.mnuStop_Click(); break;
        case 7: case 8: {
            const QString key = QString::fromLatin1(keys[Pick(9)]);
            Start([&w, key] { w.tbToolBar_ButtonClick(key); });
            break;
        }
        case 9: w.mnuViewToolbar_Click(); break;
        case 10: w.mnuViewStatusBar_Click(); break;
        case 11: w.mnuViewColor_Click(); break;
        case 12: w.mnuViewDraw_Click(); break;
        case 13: w.mnuViewSort_Click(); break;
        case 14: w.mnuHelpAbout_Click(); break;
        case 15: case 16: {
            // Down to nothing now and then: zero-height and negative plots.
            const int width = Chance(0.2) ? Pick(40) : 100 + Pick(700);
            const int height = Chance(0.3) ? Pick(120) : 120 + Pick(600);
            w.resize(width, height);
            break;
        }
        case 17:
            w.showMinimized();
            QApplication::processEvents();
            w.showNormal();
            break;
        case 18:
            DrawSet[1] = static_cast<Integer>(Chance(0.2) ? 1 : 0); // keep runs quick
            break;
        default:
            w.tbToolBar_ButtonClick(QStringLiteral("Faster"));
            break;
        }
    }

    // Pause, Step Forward and Step Back, by menu item or toolbar button,
    // whether or not they are enabled: the handlers must hold in any state.
    void PauseCommand(frmMain& w)
    {
        static const char* names[] = {"mnuPause", "mnuStepForward", "mnuStepBack", "Pause", "Step Forward", "Step Back"};
        const int pick = Pick(6);
        trace_ = std::string("pause command ") + names[pick] + (Holding() ? " while held" : "");
        if (pick < 3)
            w.action(QString::fromLatin1(names[pick]))->trigger();
        else
            w.tbToolBar_ButtonClick(QString::fromLatin1(names[pick]));
    }

    void CheckPause()
    {
        const RunHistory* history = window_->runControl().History();
        // The routine only ever runs on the arrays as it left them.
        if (RoutineRunning && !Holding() && history && !history->AtPresent())
            Fail("a routine runs while an earlier step is shown");
        if (!RoutineRunning && HoldRequested())
            Fail("a hold is asked for with no run");
    }

    void Press(QPushButton* button)
    {
        if (button && button->isEnabled())
            button->click();
    }

    void Stroke(PictureBox* box)
    {
        // A drag with a random button, partly outside the box.
        const Qt::MouseButton button = Chance(0.8) ? Qt::LeftButton : Qt::RightButton;
        auto send = [box](QEvent::Type type, QPointF at, Qt::MouseButton b, Qt::MouseButtons held) {
            QMouseEvent event(type, at, box->mapToGlobal(at), b, held, Qt::NoModifier);
            QApplication::sendEvent(box, &event);
        };
        auto point = [&] {
            return QPointF(Pick(box->width() + 60) - 30, Pick(box->height() + 60) - 30);
        };
        send(QEvent::MouseButtonPress, point(), button, button);
        for (int i = 0, n = 1 + Pick(12); i < n; ++i)
            send(QEvent::MouseMove, point(), Qt::NoButton, button);
        send(QEvent::MouseButtonRelease, point(), button, Qt::NoButton);
    }

    // Ends a dialog by OK, Cancel or its close control.
    void End(QDialog* dialog, QPushButton* ok, QPushButton* cancel)
    {
        const int how = Pick(4);
        how < 2 ? Press(ok) : (how == 2 ? Press(cancel) : (void)dialog->close());
    }

    void DriveDialog(QWidget* modal)
    {
        const bool finish = Chance(0.3);
        trace_ = std::string("dialog ") + modal->metaObject()->className();
        if (auto* d = qobject_cast<frmType*>(modal)) {
            if (Chance(0.8))
                d->lstType->setCurrentRow(Pick(13));
            if (finish)
                End(d, d->cmdOK, d->cmdCancel);
        } else if (auto* d = qobject_cast<frmColor*>(modal)) {
            switch (Pick(4)) {
            case 0: d->lstChoice->setCurrentRow(Pick(5)); break;
            case 1: d->lstColor->setCurrentRow(Pick(16)); break;
            case 2: Press(d->cmdDefault); break;
            default: d->lstChoice->clearSelection(); break;
            }
            if (finish)
                End(d, d->cmdOK, d->cmdCancel);
        } else if (auto* d = qobject_cast<frmDraw*>(modal)) {
            switch (Pick(4)) {
            case 0: d->sldWidth->setValue(1 + Pick(10)); break;
            case 1: d->sldDelay->setValue(Pick(2)); break;
            case 2: Press(d->cmdDefault); break;
            default:
                inCommand_ = true;
                Press(d->cmdDelay);
                inCommand_ = false;
                break;
            }
            if (finish)
                End(d, d->cmdOK, d->cmdCancel);
        } else if (auto* d = qobject_cast<frmSort*>(modal)) {
            switch (Pick(6)) {
            case 0: d->lstSort[0]->setCurrentRow(Pick(9)); break;
            case 1: d->lstSort[1]->setCurrentRow(Pick(2)); break; // 50 or 100 keeps runs short
            case 2: d->lstSort[2]->setCurrentRow(Pick(2)); break;
            case 3: Stroke(d->picBox); break;
            case 4: Press(Chance(0.5) ? d->cmdFill : d->cmdClear); break;
            default: Press(d->cmdDefault); break;
            }
            if (finish)
                End(d, d->cmdOK, d->cmdCancel);
        } else if (auto* d = qobject_cast<frmAbout*>(modal)) {
            Chance(0.5) ? Press(d->cmdOK) : (void)d->close();
        } else {
            modal->close();
        }
        // Now and then the window is closed with a dialog open.
        if (commandsDone >= target_ && closeMidRun_)
            Finish();
    }

    void Fail(const std::string& what)
    {
        if (failure.empty()) {
            std::ostringstream out;
            out << "after command " << commandsDone << " (" << trace_ << "): " << what;
            failure = out.str();
        }
    }

    void Check()
    {
        if (!SourceData.empty() && SourceData[0] != 0)
            Fail("SourceData(0) is not 0");
        if (!SortData.empty() && SortData[0] != 0)
            Fail("SortData(0) is not 0");
        // Until its modal wait has returned, the sort settings dialog may have
        // changed the width without the data being taken into use yet.
        const bool sortDialogOpen = !window_->findChildren<frmSort*>().isEmpty();
        if (static_cast<int>(SourceData.size()) != SortSet[2] + 1)
            Fail("SourceData does not have the width's size");
        if (!sortDialogOpen && !SortData.empty() && static_cast<int>(SortData.size()) != SortSet[2] + 1)
            Fail("SortData has " + std::to_string(SortData.size()) + " elements for width " + std::to_string(SortSet[2]));
        if (Sorting && !DataReady)
            Fail("Sorting without a data set");
        if (watch_->nestedRun)
            Fail("a second run began inside a running routine");
        CheckPause();
        const int top = std::max<int>(0, static_cast<int>(SortData.size()) - 1);
        const PlotView& plot = window_->plot();
        for (int marker : {plot.LastX, plot.LastY, plot.LastZ})
            if (marker < 0 || marker > top)
                Fail("a marker stands outside the data");
    }

    void CheckSettingsFile()
    {
        QSettings store(settingsFile(), QSettings::IniFormat);
        store.beginGroup(QStringLiteral("Settings"));
        for (int i = 0; i < 14; ++i) {
            bool ok = false;
            const double value = store.value(QString::fromLatin1(SettingKeys[i])).toString().toDouble(&ok);
            const bool colour = i >= 4 && i <= 8, size = i == 9 || i == 12 || i == 13;
            if (!ok || (colour && (value < 0 || value > 15)) || (size && value < 1)
                || (i >= 4 && value != static_cast<int>(value)))
                Fail(std::string("settings file holds no valid ") + SettingKeys[i]);
        }
    }

    std::mt19937 rng_;
    int target_;
    bool closeMidRun_;
    frmMain* window_ = nullptr;
    std::unique_ptr<RunWatch> watch_;
    QEventLoop* loop_ = nullptr;
    bool finished_ = false;
    bool closing_ = false;
    bool inCommand_ = false;
    int runsWaited_ = 0;
    long long nextStep_ = 0;
    std::string trace_;
};

unsigned baseSeed()
{
    if (const char* text = std::getenv("ORDIVAN_SEED"))
        return static_cast<unsigned>(std::strtoul(text, nullptr, 10));
    return 20261206u;
}

class RandomCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        QApplication::setQuitOnLastWindowClosed(false);
        SetMsgBoxHook([](const std::string&) {});
    }
    void TearDown() override
    {
        EndMain();
        SetMsgBoxHook({});
        ResetSharedState();
    }
};

} // namespace

TEST_F(RandomCommands, SharedStateHoldsThroughThousandsOfCommands)
{
    const unsigned seed = baseSeed();
    int total = 0;
    int duringRuns = 0;
    // Eight sequences, half of them closed in the middle of a run.
    for (int sequence = 0; sequence < 8; ++sequence) {
        ResetSharedState();
        QFile::remove(settingsFile());
        frmType::Accepted = false;
        frmType::SortName.clear();
        const unsigned s = seed + static_cast<unsigned>(sequence);
        Monkey monkey(s, 700, sequence % 2 == 1);
        monkey.Play();
        EXPECT_EQ(monkey.failure, "") << "seed " << s << " (replay: ORDIVAN_SEED=" << seed << ")";
        EXPECT_FALSE(RoutineRunning) << "seed " << s;
        EndMain();
        total += monkey.commandsDone;
        duringRuns += monkey.commandsDuringRuns;
        if (!monkey.failure.empty())
            break;
    }
    EXPECT_GE(total, 5000);
    // A good share of the commands must land in the middle of a run.
    EXPECT_GE(duringRuns, total / 5) << duringRuns << " of " << total;
}
