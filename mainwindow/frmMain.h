// The program's one main window: menus, toolbar, title strip, plot area and
// status bar; the commands behind them; the settings read at load and
// written at close. Every sort routine draws and reports through it.
#pragma once

#include "engine/SortView.h"
#include "view/PlotStyle.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class CodePanel;
class PictureBox;
class PlotView;
class RunControl;
class QAction;
class QToolBar;
class StatusStrip;
class StatusView;
class StepSound;
class frmExport;

class frmMain : public QMainWindow, public SortView {
    Q_OBJECT
public:
    frmMain();
    ~frmMain() override;

    // Window events.
    void Form_Load();
    void Form_Resize();
    void Form_Unload(int& Cancel);
    void SetBarLayout();

    // File menu.
    void mnuFileNew_Click();
    void mnuFileClose_Click();
    void mnuFileExit_Click();
    // Opens the export dialog when no routine is executing.
    void mnuFileExport_Click();
    // The user's own numbers: from a file, to a file, typed in a dialog.
    void mnuFileOpenData_Click();
    void mnuFileSaveData_Click();
    void mnuFileEnterData_Click();
    // Reads a data file and takes its values into use; false, after saying
    // why in a message, when it cannot (the data set in use is unchanged).
    bool OpenData(const QString& path);
    // Writes SourceData 1..width to the file, one value a line, whole or not
    // at all; false, after saying why, when it cannot.
    bool SaveData(const QString& path);
    // Takes values into use as the data set, as a regeneration does: the
    // width becomes their count, the height their largest value (at least 1).
    // Refused, with a message, while a routine is executing.
    bool TakeData(const std::vector<std::int16_t>& values);
    // Sort menu.
    void mnuStart_Click();
    void mnuStop_Click();
    // Opens the Compare window when no routine is executing.
    void mnuCompare_Click();
    // Opens the Race window when no routine is executing.
    void mnuRace_Click();
    // View menu.
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewSound_Click();
    void mnuViewCode_Click();
    void mnuViewStyle_Click(PlotStyle style);
    void mnuViewColor_Click();
    void mnuViewDraw_Click();
    void mnuViewSort_Click();
    // Help menu.
    void mnuHelpAbout_Click();
    // The toolbar, by the clicked button's key.
    void tbToolBar_ButtonClick(const QString& key);

    // Takes SourceData into use as SortData and redraws the plot.
    void RefreshData();
    // Applies the pen width and colours to the plot and redraws it.
    void RefreshPen();

    // The plot's drawing and the run's reporting, for the sort routines.
    void DrawBox();
    void DrawLine(int X, int Y, int z) override;
    void DrawPlot(int X, bool o) override;
    void DoReset(int X) override;
    void DoStatus() override;

    // The client area's inner height in twips.
    double ScaleHeight() const;

    PictureBox& picBox() const { return *picBox_; }
    CodePanel& codePanel() const { return *codePanel_; }
    QToolBar& tbToolBar() const { return *tbToolBar_; }
    StatusStrip& sbTitleBar() const { return *sbTitleBar_; }
    StatusStrip& sbStatusBar() const { return *sbStatusBar_; }
    PlotView& plot() const { return *plot_; }
    RunControl& runControl() const { return *runControl_; }
    // The tone of each step; Silence() it whenever the steps stop coming.
    StepSound& sound() const { return *sound_; }
    int BarLayout() const { return BarLayout_; }
    // A menu item or toolbar button by its name ("mnuFileNew", "Start", ...).
    QAction* action(const QString& name) const;
    // The toolbar button of a key.
    QWidget* toolButton(const QString& key) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // A data file dropped on the window is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildStrips();
    // Docks toolbar, title strip and status bar to the client area's edges.
    void DockBars();
    void ShowDelay();
    // Shows or hides a docked bar by its View switch and lays the window out anew.
    void ToggleBar(QWidget* bar, QAction* check);
    // Shows or hides the code beside the plot and lays the plot out anew.
    void ShowCode(bool on);
    // Takes the frame off the stored outer size once the frame is known.
    void FitFrame();

    QWidget* client_ = nullptr;
    QToolBar* tbToolBar_ = nullptr;
    StatusStrip* sbTitleBar_ = nullptr;
    StatusStrip* sbStatusBar_ = nullptr;
    PictureBox* picBox_ = nullptr;
    CodePanel* codePanel_ = nullptr;
    std::unique_ptr<PlotView> plot_;
    QPointer<frmExport> exportDialog_;
    // The user's own numbers last taken into use (Sort Settings cancelled
    // puts them back), and the folder their files were last in.
    std::vector<std::int16_t> ownData_;
    QString dataFolder_;
    std::unique_ptr<StatusView> status_;
    // Pause and the steps of a run (before the menus, which it adds to).
    std::unique_ptr<RunControl> runControl_;
    std::unique_ptr<StepSound> sound_;
    QAction* mnuViewToolbar_ = nullptr;
    QAction* mnuViewStatusBar_ = nullptr;
    QAction* mnuViewSound_ = nullptr;
    QAction* mnuViewCode_ = nullptr;
    int BarLayout_ = 0;
    bool unloaded_ = false;
    // The outer size asked for at load, made good once the frame is known.
    QSize wantedOuter_;
    bool frameChecked_ = false;
    bool awaitingFrame_ = false;
};
