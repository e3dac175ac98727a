#include "comparewindow/frmCompare.h"
#include "compare/CommandOutput.h"

#include "comparewindow/BarChart.h"
#include "comparewindow/FigureTable.h"
#include "comparewindow/GrowthView.h"
#include "engine/Routines.h"
#include "platform/ProgramIcon.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QShortcut>
#include <QStyle>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr int kRoutines = static_cast<int>(RoutineTable.size());
constexpr int kPollMs = 50; // progress and results twenty times a second

constexpr double kLast = std::numeric_limits<double>::infinity();

QTableWidgetItem* Figure(const RunResult& r, std::int64_t value, bool counted = true)
{
    // A cell without a figure says why only when the run was stopped; the row's
    // note says why a routine is not available or not run.
    if (r.state != RunResult::State::Done)
        return new FigureItem(r.state == RunResult::State::Cancelled ? QStringLiteral("Cancelled") : QString(), kLast);
    if (!counted) {
        auto* item = new FigureItem(QStringLiteral("\u2013"), kLast);
        item->setToolTip(QStringLiteral("Not a comparison sort"));
        return item;
    }
    return new FigureItem(QString::number(value), static_cast<double>(value));
}

QTableWidgetItem* Verdict(const RunResult& r)
{
    if (r.state != RunResult::State::Done)
        return new FigureItem(QString(), 2);
    auto* item = new FigureItem(r.verified ? QStringLiteral("\u2713") : QStringLiteral("\u2717"), r.verified ? 0 : 1);
    item->setTextAlignment(Qt::AlignCenter);
    item->setToolTip(r.verified ? QStringLiteral("Ascending, and a permutation of the data set")
                                : QStringLiteral("Not ascending, or not a permutation of the data set"));
    if (!r.verified)
        item->setForeground(Qt::red);
    return item;
}

QString DelayText(Integer delay)
{
    return QString::number(std::max<int>(delay, 0) / 100.0, 'f', 2);
}

QTableWidgetItem* NameItem(int routine)
{
    auto* item = new FigureItem(QString::fromUtf8(RoutineTable[routine].name), routine);
    item->setToolTip(RoutineFacts(routine));
    return item;
}

// The table's headers, the long ones on two lines so the columns stay narrow.
QStringList WrappedHeader(QStringList header)
{
    for (QString& h : header)
        if (h.contains(QLatin1String(" time ")))
            h.replace(h.indexOf(QLatin1Char(' ')), 1, QLatin1Char('\n'));
    return header;
}

// The shade of a matrix cell: green for the fewest comparisons in its order,
// through yellow to red for a hundred times as many and more.
QColor Shade(std::int64_t value, std::int64_t best)
{
    const double ratio = (static_cast<double>(value) + 1) / (static_cast<double>(best) + 1);
    const double t = std::clamp(std::log10(ratio) / 2, 0.0, 1.0);
    return QColor::fromHsvF(static_cast<float>((1 - t) / 3), 0.35f, 1.0f);
}

// Column of the table page.
enum Column { kName, kComparisons, kSteps, kWrites, kWindow, kEngine, kVerdict, kStable, kCost, kNote };

} // namespace

frmCompare::frmCompare(QWidget* owner) : QWidget(owner, Qt::Window), loaded_(this)
{
    setObjectName(QStringLiteral("frmCompare"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Compare All"));
    setWindowIcon(ProgramIcon());

    lblData = new QLabel;
    // Gives way on a small screen rather than widening the window past it;
    // its tooltip then holds the whole text.
    lblData->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblStale = new QLabel(QStringLiteral("The data set has changed since these figures were computed."));
    lblStale->setStyleSheet(QStringLiteral("color: #b00000"));
    lblStale->hide();
    chkAllOrders = new QCheckBox(QStringLiteral("&All orders"));
    cmdRefresh = new QPushButton(QStringLiteral("&Refresh"));
    cmdSave = new QPushButton(QStringLiteral("&Save as CSV..."));
    cmdClose = new QPushButton(QStringLiteral("Close"));
    auto* top = new QHBoxLayout;
    top->addWidget(lblData, 1);
    top->addWidget(chkAllOrders);
    top->addWidget(cmdRefresh);
    top->addWidget(cmdSave);
    top->addWidget(cmdClose);

    // The one data set: the table and the chart.
    auto copy = [this] { QApplication::clipboard()->setText(CopyText()); };
    tblResults = new FigureTable(kRoutines, TableHeader(true).size(), copy);
    tblResults->setObjectName(QStringLiteral("tblResults"));
    tblResults->setHorizontalHeaderLabels(WrappedHeader(TableHeader(true)));
    tblResults->horizontalHeaderItem(kCost)->setToolTip(
        QStringLiteral("The average cost; the routine's tooltip gives the best and the worst"));
    tblResults->horizontalHeader()->setStretchLastSection(true);
    tblResults->setSortingEnabled(true);
    tblResults->horizontalHeader()->setSortIndicatorShown(true);
    tblResults->sortByColumn(0, Qt::AscendingOrder);
    chart = new BarChart;
    cboChart = new QComboBox;
    cboChart->addItems({QStringLiteral("Comparisons"), QStringLiteral("Steps"), QStringLiteral("Writes")});
    cboChart->setAccessibleName(QStringLiteral("Chart figure"));
    chkLog = new QCheckBox(QStringLiteral("&Logarithmic scale"));
    auto* chartBar = new QHBoxLayout;
    auto* chartLabel = new QLabel(QStringLiteral("C&hart:"));
    chartLabel->setBuddy(cboChart);
    chartBar->addWidget(chartLabel);
    chartBar->addWidget(cboChart);
    chartBar->addWidget(chkLog);
    chartBar->addStretch();
    auto* chartPanel = new QWidget;
    auto* chartLayout = new QVBoxLayout(chartPanel);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addLayout(chartBar);
    chartLayout->addWidget(chart, 1);
    // The table and the chart on tabs of their own: thirty rows with every
    // column and every bar fit no screen side by side.
    tabTable = new QTabWidget;
    tabTable->addTab(tblResults, QStringLiteral("&Table"));
    tabTable->addTab(chartPanel, QStringLiteral("&Bar chart"));

    // All orders: the matrix and the selected cell's figures.
    std::vector<int> all;
    for (int i = 0; i < kOrderCount; ++i)
        all.push_back(i);
    tblMatrix = new FigureTable(kRoutines, MatrixHeader(all).size(), copy);
    tblMatrix->setObjectName(QStringLiteral("tblMatrix"));
    tblMatrix->setHorizontalHeaderLabels(MatrixHeader(all));
    tblMatrix->horizontalHeader()->setStretchLastSection(true);
    lblCell = new QLabel(QStringLiteral("Select a cell to see its steps and writes."));
    prgCompare = new QProgressBar;
    prgCompare->setRange(0, 1000);
    prgCompare->setTextVisible(false);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"));
    auto* progress = new QHBoxLayout;
    progress->addWidget(prgCompare, 1);
    progress->addWidget(cmdCancel);
    auto* matrixPage = new QWidget;
    auto* matrixLayout = new QVBoxLayout(matrixPage);
    matrixLayout->setContentsMargins(0, 0, 0, 0);
    matrixLayout->addWidget(tblMatrix, 1);
    matrixLayout->addWidget(lblCell);

    pages_ = new QStackedWidget;
    pages_->addWidget(tabTable);
    pages_->addWidget(matrixPage);
    growth = AddGrowthPage(pages_, top, chkAllOrders, {lblData, prgCompare, cmdCancel});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lblStale);
    layout->addWidget(pages_, 1);
    // Below both pages: a table of a very wide data set can take long too.
    layout->addLayout(progress);

    poll_ = new QTimer(this);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &frmCompare::Poll);
    staleCheck_ = new QTimer(this);
    staleCheck_->setInterval(500);
    connect(staleCheck_, &QTimer::timeout, this, &frmCompare::CheckStale);
    staleCheck_->start();

    connect(chkAllOrders, &QCheckBox::toggled, this, &frmCompare::SetAllOrders);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmCompare::Refresh);
    connect(cmdSave, &QPushButton::clicked, this, &frmCompare::SaveAs);
    connect(cmdCancel, &QPushButton::clicked, this, &frmCompare::Cancel);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(cboChart, &QComboBox::currentIndexChanged, this, &frmCompare::ShowChart);
    connect(chkLog, &QCheckBox::toggled, chart, &BarChart::setLogarithmic);
    // Once the user has chosen the scale, it stays as chosen.
    connect(chkLog, &QCheckBox::clicked, this, [this] { logChosen_ = true; });
    connect(tblMatrix, &QTableWidget::currentCellChanged, this, &frmCompare::ShowCell);
    auto* copyKey = new QShortcut(QKeySequence::Copy, this);
    connect(copyKey, &QShortcut::activated, this, copy);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    Refresh();
    FitToScreen(owner);
}

frmCompare::~frmCompare() = default;

void frmCompare::FitToScreen(QWidget* owner)
{
    // As wide as the table's columns and the chart want, as high as the chart
    // wants, within the available area of the screen the owner is on.
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // Room for the frame the window manager adds, which is not known yet.
    const QRect room = area.adjusted(8, 8, -8, -40);
    const int pages = std::max(TableWidth(), MatrixWidth());
    const QSize want = layout()->sizeHint().expandedTo(QSize(pages + 2 * layout()->contentsMargins().left() + 8, 0));
    const QSize least = minimumSizeHint();
    const QSize size(std::clamp(want.width(), least.width(), std::max(least.width(), room.width())),
                     std::clamp(want.height(), least.height(), std::max(least.height(), room.height())));
    resize(size);
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(owner ? owner->frameGeometry().center() : room.center());
    placed.moveLeft(std::max(room.left(), std::min(placed.left(), room.right() - size.width() + 1)));
    placed.moveTop(std::max(room.top(), std::min(placed.top(), room.bottom() - size.height() + 1)));
    move(placed.topLeft());
}

int frmCompare::MatrixWidth() const
{
    // The matrix fills in later: its figures as wide as the largest count a
    // cell can show, its note as its longest.
    const QFontMetrics fm = tblMatrix->fontMetrics();
    const int pad = 2 * tblMatrix->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tblMatrix) + 8;
    int width = 2 * tblMatrix->frameWidth() + tblMatrix->verticalScrollBar()->sizeHint().width();
    QHeaderView* header = tblMatrix->horizontalHeader();
    int name = 0;
    int note = 0;
    for (int r = 0; r < kRoutineCount; ++r) {
        name = std::max(name, fm.horizontalAdvance(QString::fromUtf8(RoutineTable[r].name)));
        const RunResult notRun{RunResult::State::NotRun};
        note = std::max(note, fm.horizontalAdvance(RoutineNote(r, {&notRun, 1})));
        note = std::max(note, fm.horizontalAdvance(RoutineNote(r, {})));
    }
    const int figure = std::max(fm.horizontalAdvance(QStringLiteral("0000000000")), fm.horizontalAdvance(QStringLiteral("Cancelled")));
    for (int c = 0; c < tblMatrix->columnCount(); ++c) {
        const int content = c == 0 ? name : c == tblMatrix->columnCount() - 1 ? note : figure;
        width += std::max(content + pad, header->sectionSizeHint(c));
    }
    return width;
}

int frmCompare::TableWidth() const
{
    int width = 2 * tblResults->frameWidth() + tblResults->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < tblResults->columnCount(); ++c)
        width += std::max(tblResults->columnWidth(c), tblResults->horizontalHeader()->sectionSizeHint(c));
    return width;
}

bool frmCompare::AllOrders() const
{
    return chkAllOrders->isChecked();
}

bool frmCompare::Computing() const
{
    return (table_ && !table_->Finished()) || (matrix_ && !matrix_->Finished());
}

void frmCompare::Refresh()
{
    lblStale->hide();
    if (GrowthShown(growth))
        return growth->Start();
    logChosen_ = false;
    if (AllOrders()) {
        matrix_.reset();
        matrixHeight_ = SortSet[1];
        matrixWidth_ = SortSet[2];
        matrixCancelled_ = false;
        std::vector<int> all;
        for (int i = 0; i < kOrderCount; ++i)
            all.push_back(i);
        matrix_ = Comparison::OnOrders(all, matrixHeight_, matrixWidth_);
        matrixResults_ = matrix_->Results();
        ShowMatrix();
    } else {
        table_.reset();
        tableInput_ = CurrentInput();
        tableDelay_ = DrawSet[1];
        table_ = Comparison::OnData(tableInput_);
        tableResults_ = table_->Results();
        ShowTable();
    }
    poll_->start();
    Poll();
}

void frmCompare::SetAllOrders(bool on)
{
    if (chkAllOrders->isChecked() != on) {
        chkAllOrders->setChecked(on); // comes back here through the signal
        return;
    }
    pages_->setCurrentIndex(on ? 1 : 0);
    // A page is computed the first time it is shown, and again when what it
    // was computed on has changed.
    if (on ? (!matrix_ || Stale()) : (!table_ || Stale()))
        Refresh();
    else
        CheckStale();
    Poll();
}

void frmCompare::Cancel()
{
    if (matrix_ && !matrix_->Finished()) {
        matrix_->Cancel();
        matrix_->Wait();
        matrixCancelled_ = true;
    }
    if (table_ && !table_->Finished()) {
        table_->Cancel();
        table_->Wait();
    }
    Poll();
}

void frmCompare::Poll()
{
    // Read before the results: a comparison that ends in between is read
    // once more on the next poll.
    const bool busy = Computing();
    if (table_) {
        tableResults_ = table_->Results();
        ShowTable();
    }
    if (matrix_) {
        matrixResults_ = matrix_->Results();
        ShowMatrix();
    }
    const Comparison* shown = AllOrders() ? matrix_.get() : table_.get();
    if (shown)
        prgCompare->setValue(static_cast<int>(shown->Progress() * 1000));
    cmdCancel->setEnabled(busy);
    if (!busy)
        poll_->stop();
}

void frmCompare::ShowTable()
{
    const QString state = table_ && !table_->Finished() ? QStringLiteral("  (computing...)") : QString();
    lblData->setText(QStringLiteral("%1, height %2, width %3, delay %4 s%5")
                         .arg(OrderName(tableInput_.order))
                         .arg(tableInput_.height)
                         .arg(tableInput_.width)
                         .arg(DelayText(tableDelay_), state));
    lblData->setToolTip(lblData->text());
    const bool sorting = tblResults->isSortingEnabled();
    tblResults->setSortingEnabled(false);
    for (int r = 0; r < kRoutines && r < static_cast<int>(tableResults_.size()); ++r) {
        const RunResult& res = tableResults_[r][0];
        const bool done = res.state == RunResult::State::Done;
        tblResults->setItem(r, kName, NameItem(r));
        tblResults->setItem(r, kComparisons, Figure(res, res.comparisons, ComparesValues(r)));
        tblResults->setItem(r, kSteps, Figure(res, res.steps));
        tblResults->setItem(r, kWrites, Figure(res, res.writes));
        const double window = WindowSeconds(res.steps, tableDelay_);
        tblResults->setItem(r, kWindow, done ? new FigureItem(QString::number(window, 'f', 2), window) : Figure(res, 0));
        const double ms = res.engineSeconds * 1000.0;
        tblResults->setItem(r, kEngine, done ? new FigureItem(QString::number(ms, 'f', 3), ms) : Figure(res, 0));
        tblResults->setItem(r, kVerdict, Verdict(res));
        auto* stable = new FigureItem(StableText(r), RoutineTable[r].stable ? 0 : 1);
        stable->setTextAlignment(Qt::AlignCenter);
        tblResults->setItem(r, kStable, stable);
        auto* cost = new FigureItem(CostText(r), ExpectedCost(r, tableInput_.width));
        cost->setToolTip(RoutineFacts(r));
        tblResults->setItem(r, kCost, cost);
        const QString note = RoutineNote(r, {&res, 1});
        tblResults->setItem(r, kNote, new FigureItem(note, note.isEmpty() ? 0 : RoutineRuns(r) ? 1 : 2));
        for (int c = kComparisons; c <= kEngine; ++c)
            if (QTableWidgetItem* item = tblResults->item(r, c))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    tblResults->setSortingEnabled(sorting);
    tblResults->resizeColumnsToContents();
    ShowChart();
}

void frmCompare::ShowChart()
{
    const int figure = cboChart->currentIndex();
    std::vector<BarChart::Bar> bars;
    for (int r = 0; r < kRoutines && r < static_cast<int>(tableResults_.size()); ++r) {
        const RunResult& res = tableResults_[r][0];
        BarChart::Bar bar{QString::fromUtf8(RoutineTable[r].name), std::nullopt, QString()};
        if (!RoutineRuns(r))
            bar.why = QStringLiteral("not available");
        else if (res.state == RunResult::State::NotRun)
            bar.why = RoutineNote(r, {&res, 1}).toLower();
        else if (figure == 0 && !ComparesValues(r))
            bar.why = QStringLiteral("not a comparison sort");
        else if (res.state == RunResult::State::Cancelled)
            bar.why = QStringLiteral("cancelled");
        else if (res.state == RunResult::State::Done)
            bar.value = static_cast<double>(figure == 0 ? res.comparisons : figure == 1 ? res.steps : res.writes);
        bars.push_back(bar);
    }
    // A scale the user has not chosen follows the figures: logarithmic when a
    // linear one would make the short bars invisible.
    if (!logChosen_) {
        const bool wide = BarChart::wideRange(bars);
        const QSignalBlocker quiet(chkLog);
        chkLog->setChecked(wide);
        chart->setLogarithmic(wide);
    }
    chart->setBars(std::move(bars));
}

void frmCompare::ShowMatrix()
{
    QString state;
    if (matrix_ && !matrix_->Finished())
        state = QStringLiteral("  (computing...)");
    else if (matrixCancelled_)
        state = QStringLiteral("  (cancelled)");
    if (AllOrders())
        lblData->setText(QStringLiteral("All orders, comparisons; height %1, width %2%3")
                             .arg(matrixHeight_)
                             .arg(matrixWidth_)
                             .arg(state));
    lblData->setToolTip(lblData->text());
    // The fewest comparisons of each order, among the comparison sorts that ended.
    std::vector<std::optional<std::int64_t>> best(kOrderCount);
    for (int r = 0; r < kRoutines && r < static_cast<int>(matrixResults_.size()); ++r)
        for (int c = 0; c < kOrderCount && c < static_cast<int>(matrixResults_[r].size()); ++c)
            if (const RunResult& cell = matrixResults_[r][c]; cell.state == RunResult::State::Done && ComparesValues(r))
                best[c] = std::min(best[c].value_or(cell.comparisons), cell.comparisons);
    for (int r = 0; r < kRoutines && r < static_cast<int>(matrixResults_.size()); ++r) {
        tblMatrix->setItem(r, 0, NameItem(r));
        const std::vector<RunResult>& row = matrixResults_[r];
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            QTableWidgetItem* item = Figure(row[c], row[c].comparisons, ComparesValues(r));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (row[c].state == RunResult::State::Done && ComparesValues(r) && c < kOrderCount && best[c]) {
                item->setBackground(Shade(row[c].comparisons, *best[c]));
                item->setForeground(Qt::black);
                if (row[c].comparisons == *best[c]) {
                    QFont bold = item->font();
                    bold.setBold(true);
                    item->setFont(bold);
                    item->setToolTip(QStringLiteral("The fewest comparisons on this order"));
                }
            }
            if (row[c].state == RunResult::State::Done && !row[c].verified)
                item->setForeground(Qt::red);
            tblMatrix->setItem(r, c + 1, item);
        }
        tblMatrix->setItem(r, kOrderCount + 1, new QTableWidgetItem(RoutineNote(r, row)));
    }
    tblMatrix->resizeColumnsToContents();
    ShowCell();
}

void frmCompare::ShowCell()
{
    const int r = tblMatrix->currentRow();
    const int c = tblMatrix->currentColumn() - 1;
    if (r < 0 || r >= static_cast<int>(matrixResults_.size()) || c < 0 || c >= kOrderCount
        || c >= static_cast<int>(matrixResults_[r].size())) {
        lblCell->setText(QStringLiteral("Select a cell to see its steps and writes."));
        return;
    }
    const RunResult& res = matrixResults_[r][c];
    const QString where = QStringLiteral("%1, %2: ").arg(QString::fromUtf8(RoutineTable[r].name), OrderName(c));
    QString what;
    switch (res.state) {
    case RunResult::State::Done:
        what = QStringLiteral("%1 comparisons, %2 steps, %3 writes, %4")
                   .arg(res.comparisons)
                   .arg(res.steps)
                   .arg(res.writes)
                   .arg(res.verified ? QStringLiteral("verified") : QStringLiteral("NOT sorted"));
        break;
    case RunResult::State::Cancelled: what = QStringLiteral("cancelled"); break;
    case RunResult::State::NotAvailable: what = QStringLiteral("not available"); break;
    case RunResult::State::NotRun: what = RoutineNote(r, {&res, 1}).toLower(); break;
    case RunResult::State::Pending: what = QStringLiteral("not computed yet"); break;
    }
    lblCell->setText(where + what);
}

bool frmCompare::Stale() const
{
    if (GrowthShown(growth))
        return false; // the growth makes its own data sets
    if (AllOrders())
        return matrix_ && (matrixHeight_ != SortSet[1] || matrixWidth_ != SortSet[2]);
    if (!table_)
        return false;
    const RunInput now = CurrentInput();
    return now.values != tableInput_.values || now.order != tableInput_.order || now.height != tableInput_.height
        || now.width != tableInput_.width;
}

void frmCompare::CheckStale()
{
    // The window time follows the delay as it is now.
    if (!AllOrders() && tableDelay_ != DrawSet[1]) {
        tableDelay_ = DrawSet[1];
        ShowTable();
    }
    lblStale->setVisible(Stale());
}

QString frmCompare::PageText(ReportFormat format) const
{
    if (GrowthShown(growth))
        return growth->PageText(format);
    ReportInfo info;
    if (AllOrders()) {
        for (int i = 0; i < kOrderCount; ++i)
            info.orders.push_back(i);
        info.height = matrixHeight_;
        info.width = matrixWidth_;
        return Report(matrixResults_, info, format);
    }
    info.order = tableInput_.order;
    info.height = tableInput_.height;
    info.width = tableInput_.width;
    info.delay = tableDelay_;
    info.facts = true;
    return Report(tableResults_, info, format);
}

QString frmCompare::CopyText() const
{
    return PageText(ReportFormat::Tsv);
}

bool frmCompare::SaveCsv(const QString& path, QString* why) const
{
    const QString failed = SaveWhole(path, PageText(ReportFormat::Csv).toUtf8());
    if (why)
        *why = failed;
    return failed.isEmpty();
}

void frmCompare::SaveAs()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save as CSV"),
                                                      QStringLiteral("comparison.csv"),
                                                      QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    QString why;
    if (!SaveCsv(path, &why))
        QMessageBox::warning(this, QStringLiteral("Ordivan"),
                             QStringLiteral("Could not save %1: %2.").arg(QDir::toNativeSeparators(path), why));
}

void frmCompare::closeEvent(QCloseEvent* event)
{
    // Every run ends at its next test; nothing of the comparison outlives the window.
    poll_->stop();
    staleCheck_->stop();
    matrix_.reset();
    table_.reset();
    growth->Cancel();
    event->accept();
}

frmCompare* ShowCompareWindow(QWidget* owner)
{
    static QPointer<frmCompare> window;
    if (!window) {
        window = new frmCompare(owner);
    } else if (window->Stale()) {
        window->Refresh();
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
