#include "mainwindow/RunControl.h"

#include "engine/Module1.h"
#include "engine/StepControl.h"
#include "mainwindow/ToolbarImages.h"
#include "platform/StatusStrip.h"
#include "sound/StepSound.h"
#include "view/PlotView.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

#include <algorithm>

RunControl::RunControl() = default;

void RunControl::Attach(PlotView& plot, StatusStrip& status, StepSound& sound)
{
    plot_ = &plot;
    status_ = &status;
    sound_ = &sound;
    relay_ = std::make_unique<RecordedPlot>(plot);
}

RunControl::~RunControl()
{
    if (history_ && Trace == history_.get())
        Trace = nullptr;
    if (running_)
        SetHoldListener({});
}

void RunControl::AddMenuItems(QMenu* sort)
{
    sort->addSeparator()->setObjectName(QStringLiteral("mnuSortBar1"));
    auto item = [&](const char* name, const QString& caption, QKeyCombination key, void (RunControl::*handler)()) {
        QAction* a = sort->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(QKeySequence(key));
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    menu_[0] = item("mnuPause", tr("&Pause"), Qt::CTRL | Qt::Key_P, &RunControl::mnuPause_Click);
    menu_[0]->setCheckable(true);
    menu_[1] = item("mnuStepForward", tr("Step &Forward"), Qt::CTRL | Qt::Key_Right, &RunControl::mnuStepForward_Click);
    menu_[2] = item("mnuStepBack", tr("Step &Back"), Qt::CTRL | Qt::Key_Left, &RunControl::mnuStepBack_Click);
    Update();
}

void RunControl::AddToolbarButtons(QToolBar* bar)
{
    bar->addSeparator();
    const char* keys[] = {"Pause", "Step Back", "Step Forward"};
    for (int i = 0; i < 3; ++i) {
        // The toolbar hands a click to the window, which passes it here.
        QAction* a = AddToolbarButton(bar, QString::fromLatin1(keys[i]));
        a->setCheckable(i == 0);
        buttons_[static_cast<std::size_t>(i)] = a;
    }
    Update();
}

void RunControl::DisableWhileRunning(QAction* command)
{
    idleOnly_.push_back(command);
    Update();
}

bool RunControl::ToolbarButton(const QString& key)
{
    if (key == QLatin1String("Pause"))
        mnuPause_Click();
    else if (key == QLatin1String("Step Back"))
        mnuStepBack_Click();
    else if (key == QLatin1String("Step Forward"))
        mnuStepForward_Click();
    else
        return false;
    return true;
}

void RunControl::Run(const std::function<void()>& start)
{
    // A Start that begins no run (no data set, or inside a running routine)
    // leaves the history of the run in progress alone.
    if (!DataReady || Sorting || RoutineRunning || Unloading || Trace) {
        start();
        return;
    }
    PlotView& plot = *plot_;
    if (!history_) {
        history_ = std::make_unique<RunHistory>(plot.LastX, plot.LastY, plot.LastZ);
        relay_->Record(history_.get());
    }
    history_->Restart(0);
    Trace = history_.get();
    running_ = true;
    SetHoldListener([this](bool holding) { Held(holding); });
    Update();
    start();
    SetHoldListener({});
    Trace = nullptr;
    running_ = false;
    stepping_ = false;
    RequestHold(false);
    history_->Clear();
    Update();
}

void RunControl::DrawLine(int X, int Y, int z)
{
    if (relay_)
        relay_->DrawLine(X, Y, z);
}

void RunControl::DrawPlot(int X, bool o)
{
    if (relay_)
        relay_->DrawPlot(X, o);
}

void RunControl::DrawBox()
{
    // Held, the plot shows the step shown, not a plain chart of SortData.
    if (running_ && Holding() && history_ && history_->Recording()) {
        if (DataReady)
            plot_->DrawColumns(history_->Columns());
        return;
    }
    if (relay_)
        relay_->DrawBox();
}

void RunControl::BeforeDataReplaced()
{
    if (!running_)
        return;
    ReturnToPresent();
    history_->Clear();
}

void RunControl::AfterDataReplaced()
{
    if (!running_)
        return;
    history_->Restart(Comparisons);
    if (Holding())
        ShowStep();
    Update();
}

void RunControl::Stop()
{
    if (!running_)
        return;
    ReturnToPresent();
    RequestHold(false);
    Update();
}

void RunControl::mnuPause_Click()
{
    stepping_ = false; // a step let run on is no longer the last one
    if (running_ && !Unloading) {
        if (HoldRequested()) {
            ReturnToPresent();
            RequestHold(false);
        } else {
            RequestHold(true);
        }
    }
    Update();
}

void RunControl::mnuStepForward_Click()
{
    if (!running_ || !Holding() || Unloading)
        return;
    // Recorded steps are replayed; at the present the routine runs one step,
    // which sounds as every step of a run does.
    const std::vector<ShownColumn> before = history_->Columns();
    if (history_->Forward()) {
        if (DataReady)
            plot_->DrawColumns(history_->Columns());
        SoundStep(before);
        ShowStep();
        Update();
    } else {
        stepping_ = true;
        StepOnce();
    }
}

void RunControl::mnuStepBack_Click()
{
    if (!running_ || !Holding() || Unloading)
        return;
    const std::vector<ShownColumn> before = history_->Columns();
    if (!history_->Back())
        return;
    if (DataReady)
        plot_->DrawColumns(history_->Columns());
    SoundStep(before);
    ShowStep();
    Update();
}

void RunControl::SoundStep(const std::vector<ShownColumn>& before)
{
    // The markers where the step put them, each on its own voice, as the run
    // sounds them; a step that moved none sounds the bar it drew or cleared.
    const std::vector<ShownColumn>& after = history_->Columns();
    std::size_t changed = 0;
    bool marked = false;
    for (std::size_t i = 1; i < std::min(before.size(), after.size()); ++i) {
        if (after[i] == before[i])
            continue;
        const ShownColumn::Role role = after[i].role;
        if (role >= ShownColumn::Marker1 && role <= ShownColumn::Marker3) {
            sound_->Sound(role - ShownColumn::Marker1, after[i].value);
            marked = true;
        } else if (changed == 0) {
            changed = i;
        }
    }
    if (!marked && changed != 0)
        sound_->Sound(0, (after[changed].role == ShownColumn::Cleared ? before : after)[changed].value);
    sound_->Settle();
}

void RunControl::Held(bool holding)
{
    if (holding) {
        // A held run makes no steps: its tone ends now, not at its next step;
        // the one step Step Forward let it make sounds whole.
        if (stepping_)
            sound_->Settle();
        else
            sound_->Silence();
        stepping_ = false;
        statusBefore_ = status_->panelText(1);
        ShowStep();
    } else {
        ReturnToPresent();
        status_->setPanelText(1, statusBefore_);
    }
    Update();
}

void RunControl::ReturnToPresent()
{
    if (!history_ || history_->AtPresent())
        return;
    history_->ToPresent();
    if (DataReady && !Unloading)
        plot_->DrawColumns(history_->Columns());
}

QString RunControl::PausedText() const
{
    if (!history_)
        return QString();
    QString text = QStringLiteral("Paused: step %1 of %2, %3 comparisons")
                       .arg(history_->Shown())
                       .arg(history_->Recorded())
                       .arg(history_->ComparisonsShown());
    if (history_->Dropped() && history_->Shown() == history_->Oldest())
        text += QStringLiteral(" (earlier steps not kept)");
    text += NoStepsBack(false);
    return text;
}

QStringList RunControl::PausedShortForms() const
{
    if (!history_)
        return {};
    const auto steps = QStringLiteral("%1/%2").arg(history_->Shown()).arg(history_->Recorded());
    const auto count = history_->ComparisonsShown();
    const QString medium = QStringLiteral("Paused: %1, %2 comp.").arg(steps).arg(count);
    QStringList forms;
    if (history_->Dropped() && history_->Shown() == history_->Oldest())
        forms << medium + QStringLiteral(" (earlier not kept)");
    if (const QString why = NoStepsBack(true); !why.isEmpty())
        forms << medium + why;
    forms << medium << QStringLiteral("Paused ") + steps << QStringLiteral("Paused");
    return forms;
}

QString RunControl::NoStepsBack(bool brief) const
{
    if (!history_ || history_->Recording())
        return QString();
    // A data set wider than the history's records holds no steps at all.
    if (SortData.size() > static_cast<std::size_t>(RunHistory::kMaxIndex) + 1)
        return brief ? QStringLiteral(" (no steps back)")
                     : QStringLiteral(" (no steps back above %1 values)").arg(RunHistory::kMaxIndex);
    return brief ? QStringLiteral(" (none kept)") : QStringLiteral(" (no earlier steps kept)");
}

void RunControl::ShowStep()
{
    status_->setPanelText(1, PausedText(), PausedShortForms());
}

void RunControl::Update()
{
    const bool held = running_ && Holding();
    const bool paused = running_ && HoldRequested();
    const bool back = held && history_ && history_->Shown() > history_->Oldest();
    for (QAction* pause : {menu_[0], buttons_[0]}) {
        if (pause) {
            pause->setEnabled(running_);
            pause->setChecked(paused);
        }
    }
    for (QAction* forward : {menu_[1], buttons_[2]})
        if (forward)
            forward->setEnabled(held);
    for (QAction* backward : {menu_[2], buttons_[1]})
        if (backward)
            backward->setEnabled(back);
    for (QAction* command : idleOnly_)
        command->setEnabled(!running_);
}
