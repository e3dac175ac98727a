// The Compare window: every routine run headless on a copy of the current
// data set (a table and a bar chart), or on every order (a matrix). It reads
// the window's data set and settings and changes none of them; the runs work
// on threads of their own.
#pragma once

#include "compare/Comparison.h"
#include "compare/Report.h"
#include "platform/Forms.h"

#include <QWidget>

#include <memory>

class BarChart;
class GrowthView;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableWidget;
class QTimer;

class frmCompare : public QWidget {
    Q_OBJECT
public:
    explicit frmCompare(QWidget* owner = nullptr);
    ~frmCompare() override;

    // Recomputes the page shown from the current data set and settings.
    void Refresh();
    // Switches between the one data set and all orders.
    void SetAllOrders(bool on);
    // Stops the matrix in progress.
    void Cancel();
    // The page shown as tab-separated text, as Ctrl+C copies it.
    QString CopyText() const;
    // Writes the page as CSV whole or not at all; `why` says why not.
    bool SaveCsv(const QString& path, QString* why = nullptr) const;
    // True while a comparison is running.
    bool Computing() const;
    // True when the figures shown no longer match the data set.
    bool Stale() const;

    QTabWidget* tabTable = nullptr; // the one data set: the table and the chart
    QTableWidget* tblResults = nullptr;
    QTableWidget* tblMatrix = nullptr;
    BarChart* chart = nullptr;
    QComboBox* cboChart = nullptr;
    QCheckBox* chkLog = nullptr;
    QCheckBox* chkAllOrders = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdClose = nullptr;
    QProgressBar* prgCompare = nullptr;
    QLabel* lblData = nullptr;
    QLabel* lblStale = nullptr;
    QLabel* lblCell = nullptr;
    GrowthView* growth = nullptr; // the third page: how the work grows with the width

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Poll();
    void CheckStale();
    void ShowTable();
    void ShowMatrix();
    void ShowChart();
    void ShowCell();
    void SaveAs();
    bool AllOrders() const;
    // Sizes and places the window within the available area of the owner's screen.
    void FitToScreen(QWidget* owner);
    // The width the table needs to show every column.
    int TableWidth() const;
    // The width the matrix of all orders needs, before it has figures.
    int MatrixWidth() const;
    QString PageText(ReportFormat format) const;

    LoadedForm loaded_;
    QStackedWidget* pages_ = nullptr;
    QTimer* poll_ = nullptr;
    QTimer* staleCheck_ = nullptr;
    // The one data set: what it was computed on, and its figures.
    std::unique_ptr<Comparison> table_;
    RunInput tableInput_;
    Integer tableDelay_ = 0;
    ResultGrid tableResults_;
    // All orders.
    std::unique_ptr<Comparison> matrix_;
    Integer matrixHeight_ = 0;
    Integer matrixWidth_ = 0;
    ResultGrid matrixResults_;
    bool matrixCancelled_ = false;
    bool logChosen_ = false; // the user has set the chart's scale
};

// Opens the Compare window over `owner`, or brings the open one forward.
frmCompare* ShowCompareWindow(QWidget* owner);
