// The Race window: the chosen routines side by side on the window's data (or
// on every order), one lane each, played on one clock with the standings
// beside them. A thin window over the race, which records and plays.
#pragma once

#include "platform/Forms.h"
#include "race/Race.h"
#include "race/RaceExport.h"

#include <QElapsedTimer>
#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QThread;
class QSlider;
class QTableWidget;
class QTimer;
class RaceLanes;

class frmRace final : public QWidget {
    Q_OBJECT
public:
    frmRace(QWidget* owner, PlotStyle style);
    ~frmRace() override;

    // The race on show, or null before the first Start.
    Race* CurrentRace() const { return race_.get(); }
    bool Running() const;
    // Units the clock grants per second.
    double Speed() const;

    void Start();
    void Pause();
    void StepForward();
    void StepBack();
    void Restart();
    // Asks for a file name and a frame size, then exports.
    void Export();
    // Writes the race from the start to the end of its clock to `path`
    // (its format by the extension) on a thread of its own, at `size` (the
    // lanes' size when invalid), 30 frames a second, one frame's worth of
    // the speed a frame. False when it could not start.
    bool ExportTo(const QString& path, QSize size = {});
    void CancelExport();
    bool Exporting() const { return exporter_ != nullptr; }
    // The size of the lanes area, an export's default frame size.
    QSize LanesSize() const;
    // The clock units an exported frame takes.
    std::int64_t ExportGrant() const;

signals:
    // An export has ended: written, or not (cancelled or failed).
    void ExportFinished(bool written);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The chosen routines, in the table's order.
    std::vector<int> Chosen() const;
    // A new race from the current choices, held; false with a message shown.
    bool Build();
    void Discard();
    std::unique_ptr<Race> MakeRace(const std::vector<int>& chosen, const RunInput& input) const;
    void ExportDone();
    // Cancels a running export and waits for its thread.
    void EndExport();
    void Frame();
    void ShowFigures(bool standings);
    void SetHeld(bool held);
    void UpdateButtons();
    std::int64_t TickUnits() const;

    LoadedForm loaded_;
    PlotStyle style_;
    QListWidget* lstRoutines = nullptr;
    QComboBox* cboLayout = nullptr;
    QComboBox* cboUnit = nullptr;
    QSlider* sldSpeed = nullptr;
    QLabel* lblSpeed = nullptr;
    QLabel* lblMessage = nullptr;
    QLabel* lblClock = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdPause = nullptr;
    QPushButton* cmdStepBack = nullptr;
    QPushButton* cmdStepForward = nullptr;
    QPushButton* cmdRestart = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdCancelExport = nullptr;
    QProgressBar* barExport = nullptr;
    QLabel* lblExport = nullptr;
    QWidget* exportRow_ = nullptr;
    QTimer* exportTimer_ = nullptr;
    std::unique_ptr<RaceExporter> exporter_;
    QThread* exportThread_ = nullptr;
    bool exportOk_ = false;
    RaceLanes* lanes_ = nullptr;
    QTableWidget* grdStandings = nullptr;
    QTimer* clock_ = nullptr;
    QElapsedTimer sinceFrame_;
    QElapsedTimer sinceStandings_;
    double owed_ = 0; // units granted but not yet a whole unit
    bool held_ = true;
    std::unique_ptr<Race> race_;
};

// Opens the Race window over `owner`, or brings the open one forward.
frmRace* ShowRaceWindow(QWidget* owner, PlotStyle style);
