// Thousands of random commands on the real main window: every menu item
// (but the file choosers), toolbar button, View switch, style, resizes down to nothing, minimise and restore,
// and the dialogs driven with random choices. Most arrive in the middle of a
// run, through the event pump of the running routine, the way a person's
// clicks do. After every command the shared state must still hold together.
// A failure prints the seed; ORDIVAN_SEED=<n> replays it.
#include "dialogs/frmSort.h"
#include "dialogs/frmType.h"
#include "engine/StepControl.h"
#include "mainwindow/Main.h"
#include "mainwindow/RunControl.h"
#include "mainwindow/frmMain.h"
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "support/StoredFile.h"
#include "view/PlotView.h"
#include <QtWidgets>
#include <gtest/gtest.h>
#include <random>

// Plays one sequence. It stands between the routines and the window as their
// view: it counts their steps (the clock commands are spread by, so a seed
// replays alike on any machine), sees a run begin while another Start is on
// the stack, and keeps everything from the window once it has unloaded.
class Monkey : public SortView {
public:
    Monkey(unsigned seed, int commands, bool closeMidRun) : rng_(seed), target_(commands), closeMidRun_(closeMidRun) {}

    void DrawLine(int X, int Y, int z) override { ++steps_; if (!Unloading) window_->DrawLine(X, Y, z); }
    void DrawPlot(int X, bool o) override { ++steps_; if (!Unloading) window_->DrawPlot(X, o); }
    void DoReset(int X) override
    {
        nestedRun_ = nestedRun_ || (X == 2 && !starts_.empty() && starts_.back());
        if (!Unloading) window_->DoReset(X);
    }
    void DoStatus() override { if (!Unloading) window_->DoStatus(); }

    // Plays the whole sequence and closes the window at its end.
    void Play()
    {
        Main();
        window_ = MainWindow();
        MainView = this;
        QEventLoop loop;
        loop_ = &loop;
        Post();
        loop.exec();
    }

    std::string failure;
    int commandsDone = 0, commandsDuringRuns = 0;

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    void Post() { QMetaObject::invokeMethod(qApp, [this] { Tick(); }, Qt::QueuedConnection); }

    // Runs on every pass of whatever loop is running: the outer one, a
    // routine's step, or a dialog's modal loop.
    void Tick()
    {
        if (finished_)
            return;
        Post();
        if (inCommand_)
            return;
        // A modal dialog shown blocks every other window, even while a window
        // of its own (the Compare window, the export dialog) is the active one.
        QWidget* modal = QApplication::activeModalWidget();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (!modal && top->isVisible() && top->isModal())
                modal = top;
        if (!modal && RoutineRunning && !Holding()) { // a command every few steps, sooner when steps pause
            if (steps_ < nextStep_)
                return;
            nextStep_ = steps_ + 1 + Pick(DrawSet[1] > 0 ? 3 : 40);
        }
        if (commandsDone < target_ && modal)
            Command([&] { DriveDialog(modal); });
        else if (commandsDone < target_)
            Command([this] { MainCommand(); });
        else if (!closeMidRun_ || RoutineRunning || modal || runsWaited_++ > 2000)
            Finish();
        else if (!DataReady) // to close the window in the middle of a run, start one
            Command([this] { window_->mnuFileNew_Click(); });
        else if (!Sorting)
            Command([this] { window_->mnuStart_Click(); });
    }

    void Command(const std::function<void()>& act)
    {
        ++commandsDone;
        commandsDuringRuns += RoutineRunning;
        act();
        Check();
    }

    void Finish()
    {
        if (std::exchange(finished_, true))
            return;
        if (window_->isMinimized() && Chance(0.5))
            window_->showNormal();
        const bool minimised = window_->isMinimized();
        QFile::remove(SettingsFile());
        window_->close();
        // Closed while minimised, the program stores nothing at all; otherwise every key
        // holds a number: colours 0..15, pen width, height and width at least 1, all but the place whole.
        EXPECT_EQ(QFile::exists(SettingsFile()), !minimised);
        const auto stored = StoredSettings();
        for (int i = 0; i < kSettingKeys.size() && !minimised; ++i) {
            bool ok = false;
            const double value = stored.value(kSettingKeys[i]).toDouble(&ok);
            const bool colour = i >= 4 && i <= 8, size = i == 9 || i == 12 || i == 13;
            if (!ok || (colour && (value < 0 || value > 15)) || (size && value < 1) || (i >= 4 && value != int(value)))
                Fail("settings file holds no valid " + kSettingKeys[i].toStdString());
        }
        loop_->quit();
    }

    void MainCommand()
    {
        static const char* keys[] = {"New", "Close", "Start", "Stop", "Faster", "Slower", "Random", "Ascending", "Descending"};
        frmMain& w = *window_;
        if (Chance(0.1))
            return PauseCommand(w);
        const int pick = Pick(27);
        trace_ = "command " + std::to_string(pick) + (RoutineRunning ? " in a run" : "");
        starts_.push_back(RoutineRunning); // for the commands that may start a run
        switch (pick) {
        case 0: case 1: w.mnuFileNew_Click(); break;
        case 2: w.mnuFileClose_Click(); break;
        case 3: case 4: case 5: w.mnuStart_Click(); break;
        case 6: w.mnuStop_Click(); break;
        case 7: case 8: w.tbToolBar_ButtonClick(QString::fromLatin1(keys[Pick(9)])); break;
        case 9: w.mnuViewToolbar_Click(); break;
        case 10: w.mnuViewStatusBar_Click(); break;
        case 11: w.mnuViewColor_Click(); break;
        case 12: w.mnuViewDraw_Click(); break;
        case 13: w.mnuViewSort_Click(); break;
        case 14: w.mnuHelpAbout_Click(); break;
        case 15: case 16: { // down to nothing now and then: zero-height and negative plots
            const int width = Chance(0.2) ? Pick(40) : 100 + Pick(700);
            w.resize(width, Chance(0.3) ? Pick(120) : 120 + Pick(600));
            break;
        }
        case 17:
            w.showMinimized();
            QApplication::processEvents();
            w.showNormal();
            break;
        case 18: DrawSet[1] = static_cast<Integer>(Chance(0.2) ? 1 : 0); break; // keeps runs quick
        case 19: w.mnuViewStyle_Click(PlotStyles[static_cast<std::size_t>(Pick(6))].style); break;
        case 20: { // own numbers, as many as the generated data sets, so runs stay alike
            std::vector<std::int16_t> values(static_cast<std::size_t>(50 + Pick(100)));
            for (std::int16_t& v : values)
                v = static_cast<std::int16_t>(Pick(101));
            w.TakeData(values);
            break;
        }
        case 21: w.mnuFileEnterData_Click(); break;
        case 22: w.mnuCompare_Click(); break;
        case 23: w.mnuFileExport_Click(); break;
        case 24: w.mnuViewCode_Click(); break;
        case 25: w.mnuRace_Click(); break;
        default: w.tbToolBar_ButtonClick(QStringLiteral("Faster")); break;
        }
        starts_.pop_back();
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

    static void Press(QPushButton* button)
    {
        if (button && button->isEnabled())
            button->click();
    }

    // Works one control of the open dialog at random: a list row (or none; only the first
    // two of the height and width lists, which keeps runs short), a slider, a button, or
    // a drag with a random button partly outside its picture box. Now and then it ends the
    // dialog by OK, Cancel or its close control.
    void DriveDialog(QWidget* modal)
    {
        trace_ = std::string("dialog ") + modal->metaObject()->className();
        QList<QWidget*> controls;
        for (QWidget* c : modal->findChildren<QWidget*>())
            if (qobject_cast<QListWidget*>(c) || qobject_cast<QSlider*>(c) || qobject_cast<PictureBox*>(c) || qobject_cast<QPlainTextEdit*>(c)
                || (qobject_cast<QPushButton*>(c) && c->objectName() != "cmdOK" && c->objectName() != "cmdCancel"))
                controls << c;
        QWidget* control = controls.isEmpty() ? nullptr : controls[Pick(controls.size())];
        if (auto* list = qobject_cast<QListWidget*>(control)) {
            const bool sizes = list->objectName() == "lstSort(1)" || list->objectName() == "lstSort(2)";
            if (const int row = Pick((sizes ? 2 : list->count()) + 1) - 1; row < 0)
                list->clearSelection();
            else
                list->setCurrentRow(row);
        } else if (auto* slider = qobject_cast<QSlider*>(control)) {
            slider->setValue(slider->objectName() == "sldDelay" ? Pick(2) : slider->minimum() + Pick(slider->maximum()));
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            inCommand_ = true; // the draw dialog's test delay is not interrupted
            Press(button);
            inCommand_ = false;
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(control)) {
            // A few values, a bad token now and then, or nothing at all.
            QString typed;
            for (int i = 0, n = Pick(8); i < n; ++i)
                typed += (Chance(0.1) ? QStringLiteral("x") : QString::number(Pick(120))) + QLatin1Char(' ');
            text->setPlainText(typed);
        } else if (auto* box = qobject_cast<PictureBox*>(control)) {
            const int button = Chance(0.8) ? 1 : 2;
            for (int i = 0, n = 2 + Pick(12); i < n; ++i)
                emit box->MouseMove(button, 0, Pick(int(box->ScaleWidth()) + 400) - 200, Pick(int(box->ScaleHeight()) + 400) - 200);
            emit box->MouseUp(button, 0, 0, 0);
        }
        if (Chance(0.3)) {
            if (const int how = Pick(4); how < 3)
                Press(modal->findChild<QPushButton*>(how < 2 ? "cmdOK" : "cmdCancel"));
            else
                modal->close();
        }
        if (commandsDone >= target_ && closeMidRun_)
            Finish(); // the window closed with a dialog open
    }

    void Fail(const std::string& what)
    {
        if (failure.empty())
            failure = "after command " + std::to_string(commandsDone) + " (" + trace_ + "): " + what;
    }

    void Check()
    {
        if (!SourceData.empty() && SourceData[0] != 0)
            Fail("SourceData(0) is not 0");
        if (!SortData.empty() && SortData[0] != 0)
            Fail("SortData(0) is not 0");
        if (static_cast<int>(SourceData.size()) != SortSet[2] + 1)
            Fail("SourceData does not have the width's size");
        // Until its modal wait has returned, the sort settings dialog may have
        // changed the width without the data being taken into use yet.
        const bool sortDialogOpen = !window_->findChildren<frmSort*>().isEmpty();
        if (!sortDialogOpen && !SortData.empty() && static_cast<int>(SortData.size()) != SortSet[2] + 1)
            Fail("SortData has " + std::to_string(SortData.size()) + " elements for width " + std::to_string(SortSet[2]));
        if (Sorting && !DataReady)
            Fail("Sorting without a data set");
        if (nestedRun_)
            Fail("a second run began inside a running routine");
        const int top = std::max<int>(0, static_cast<int>(SortData.size()) - 1);
        for (int marker : {window_->plot().LastX, window_->plot().LastY, window_->plot().LastZ})
            if (marker < 0 || marker > top)
                Fail("a marker stands outside the data");
        const RunHistory* history = window_->runControl().History();
        // The routine only ever runs on the arrays as it left them.
        if (RoutineRunning && !Holding() && history && !history->AtPresent())
            Fail("a routine runs while an earlier step is shown");
        if (!RoutineRunning && HoldRequested())
            Fail("a hold is asked for with no run");
    }

    std::mt19937 rng_;
    int target_;
    bool closeMidRun_;
    frmMain* window_ = nullptr;
    QEventLoop* loop_ = nullptr;
    bool finished_ = false, inCommand_ = false, nestedRun_ = false;
    std::vector<bool> starts_; // per command on the stack: a routine was already running
    int runsWaited_ = 0;
    long long steps_ = 0, nextStep_ = 0;
    std::string trace_;
};

TEST(RandomCommands, SharedStateHoldsThroughThousandsOfCommands)
{
    QApplication::setQuitOnLastWindowClosed(false);
    SetMsgBoxHook([](const std::string&) {});
    const char* seedText = std::getenv("ORDIVAN_SEED");
    const unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 20261206u;
    int total = 0, duringRuns = 0;
    // Eight sequences, half of them closed in the middle of a run.
    for (unsigned s = seed; s < seed + 8; ++s) {
        ResetSharedState();
        QFile::remove(SettingsFile());
        frmType::Accepted = false;
        frmType::SortName.clear();
        Monkey monkey(s, 700, (s - seed) % 2 == 1);
        monkey.Play();
        EndMain();
        EXPECT_EQ(monkey.failure, "") << "seed " << s << " (replay: ORDIVAN_SEED=" << seed << ")";
        EXPECT_FALSE(RoutineRunning) << "seed " << s;
        total += monkey.commandsDone;
        duringRuns += monkey.commandsDuringRuns;
        if (!monkey.failure.empty())
            break;
    }
    SetMsgBoxHook({});
    ResetSharedState();
    EXPECT_GE(total, 5000);
    EXPECT_GE(duringRuns, total / 5) << duringRuns << " of " << total; // a good share in the middle of a run
}
