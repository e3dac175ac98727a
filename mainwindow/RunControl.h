// Pause, Step Forward and Step Back: their Sort menu items and toolbar
// buttons, the history of the run in progress, and what status panel 1
// says while the run is held. The main window hands it the parts it works
// on (the plot, the status bar, the sound), its Start, its drawing calls and
// the moments its data set is replaced.
#pragma once

#include "engine/RunHistory.h"
#include "view/RecordedPlot.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class PlotView;
class QAction;
class QMenu;
class QToolBar;
class StatusStrip;
class StepSound;

class RunControl : public QObject {
public:
    RunControl();
    ~RunControl() override;

    // The plot it draws on, the status bar whose panel 1 says a run is held,
    // and the sound it silences: given once they exist, before any run.
    void Attach(PlotView& plot, StatusStrip& status, StepSound& sound);

    // Separator, "Pause", "Step Forward", "Step Back".
    void AddMenuItems(QMenu* sort);
    // Separator, then the buttons "Pause", "Step Back", "Step Forward".
    void AddToolbarButtons(QToolBar* bar);
    // A command that cannot act while a routine executes, running or held:
    // disabled from Start until the routine returns.
    void DisableWhileRunning(QAction* command);

    // Runs `start` (the dispatch of Start); when it begins a run, the run's
    // steps are recorded until the routine returns.
    void Run(const std::function<void()>& start);
    // The plot's drawing: recorded as what the plot shows, then drawn. While
    // the run is held, a whole-chart redraw shows the step shown.
    void DrawLine(int X, int Y, int z);
    void DrawPlot(int X, bool o);
    void DrawBox();
    // Around new values put into SortData (regeneration, New): the run goes
    // back to the present first, and its history starts again after.
    void BeforeDataReplaced();
    void AfterDataReplaced();
    // Stop: back to the present and the hold let go.
    void Stop();
    // A toolbar button's key; false when it is not one of these buttons.
    bool ToolbarButton(const QString& key);

    void mnuPause_Click();
    void mnuStepForward_Click();
    void mnuStepBack_Click();

    // The history of the run in progress; null before the first run.
    const RunHistory* History() const { return history_.get(); }
    // Status panel 1 while held: "Paused: step 12 of 40, 31 comparisons".
    QString PausedText() const;
    // Its shorter forms for a narrow panel, longest first:
    // "Paused: 12/40, 31 comp.", "Paused 12/40", "Paused".
    QStringList PausedShortForms() const;

private:
    void Held(bool holding);
    void ReturnToPresent();
    void ShowStep();
    // The tone of a step shown again: the bars it changed in the picture.
    void SoundStep(const std::vector<ShownColumn>& before);
    // Why stepping back is not possible in this run, as a paused text ends;
    // empty when it is.
    QString NoStepsBack(bool brief) const;
    void Update();

    PlotView* plot_ = nullptr;
    StatusStrip* status_ = nullptr;
    StepSound* sound_ = nullptr;
    std::unique_ptr<RecordedPlot> relay_;
    std::unique_ptr<RunHistory> history_;
    bool running_ = false;
    bool stepping_ = false; // Step Forward let the routine run one step
    std::vector<QAction*> idleOnly_;
    QString statusBefore_;
    std::array<QAction*, 3> menu_{};    // Pause, Step Forward, Step Back
    std::array<QAction*, 3> buttons_{}; // Pause, Step Back, Step Forward
};
