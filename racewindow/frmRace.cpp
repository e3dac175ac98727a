#include "racewindow/frmRace.h"

#include "engine/Routines.h"
#include "platform/ProgramIcon.h"
#include "race/LanesPicture.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QToolTip>
#include <QHelpEvent>
#include <QThread>
#include <QVBoxLayout>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

// The speed control: positions 0..kSpeedSteps, one unit a second up to a
// hundred million, evenly on a log scale.
constexpr int kSpeedSteps = 80;
constexpr double kFastest = 1e8;
constexpr int kFrameMs = 16;
constexpr int kExportFps = 30;
} // namespace

// The lanes in a grid filling the widget, each its name and count over its
// plot (a finished lane framed, its place ticked); all "All orders" lanes of
// one routine on one row.
class RaceLanes final : public QWidget {
public:
    explicit RaceLanes(QWidget* parent) : QWidget(parent)
    {
        setMinimumSize(40, 40);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAccessibleName(QStringLiteral("Lanes"));
    }
    void SetRace(Race* race, int columns)
    {
        race_ = race;
        fixedColumns_ = columns;
        Reflow();
        update();
    }
    // The cell of each lane and the plot within it.
    void Reflow()
    {
        if (!race_ || race_->Lanes() == 0)
            return;
        picture_.Reflow(race_->Lanes(), size(), fixedColumns_, font());
        race_->SetLaneSize(picture_.PlotSize());
    }
    const LanesPicture& Picture() const { return picture_; }
    int Columns() const { return fixedColumns_; }
    LanesLook Look() const { return {font(), palette().window().color(), palette().windowText().color()}; }

protected:
    void resizeEvent(QResizeEvent*) override { Reflow(); }
    bool event(QEvent* e) override
    {
        // A lane too small for its caption names itself on hover.
        if (e->type() == QEvent::ToolTip && race_) {
            const QPoint at = static_cast<QHelpEvent*>(e)->pos();
            const QSize cell = picture_.CellSize();
            const int column = at.x() / std::max(1, cell.width());
            const int lane = (at.y() / std::max(1, cell.height())) * picture_.Columns() + column;
            if (column < picture_.Columns() && lane >= 0 && lane < race_->Lanes()) {
                const LaneStatus s = race_->Status(lane);
                QString tip = LaneName(s) + QStringLiteral(": %1 comparisons").arg(s.comparisons);
                if (s.finished)
                    tip += QStringLiteral(", finished ") + Ordinal(s.place);
                QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), tip, this);
            } else {
                QToolTip::hideText();
            }
            return true;
        }
        return QWidget::event(e);
    }
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        if (!race_) {
            p.fillRect(event->rect(), palette().window());
            return;
        }
        picture_.Paint(p, *race_, event->rect(), Look());
    }

private:
    Race* race_ = nullptr;
    int fixedColumns_ = 0;
    LanesPicture picture_;
};

frmRace::frmRace(QWidget* owner, PlotStyle style) : QWidget(owner, Qt::Window), loaded_(this), style_(style)
{
    setObjectName(QStringLiteral("frmRace"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Race"));
    setWindowIcon(ProgramIcon());

    lstRoutines = new QListWidget;
    lstRoutines->setAccessibleName(QStringLiteral("Routines"));
    const int width = SortSet[2];
    for (int r = 0; r < kRoutineCount; ++r) {
        const Routine& routine = RoutineTable[static_cast<std::size_t>(r)];
        auto* item = new QListWidgetItem(QString::fromUtf8(routine.name));
        item->setData(Qt::UserRole, r);
        if (!RoutineRuns(r) || !WithinLimit(r, width)) {
            // Left out, with the reason beside it.
            item->setText(item->text() + (RoutineRuns(r) ? QStringLiteral(" (at most %1 values)").arg(routine.sizeLimit)
                                                          : QStringLiteral(" (not available)")));
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable));
            item->setToolTip(item->text());
        } else {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
        lstRoutines->addItem(item);
    }

    cboLayout = new QComboBox;
    cboLayout->setAccessibleName(QStringLiteral("Layout"));
    cboLayout->addItems({QStringLiteral("One data set"), QStringLiteral("All orders")});
    cboUnit = new QComboBox;
    cboUnit->setAccessibleName(QStringLiteral("Clock"));
    cboUnit->addItems({QStringLiteral("Comparisons"), QStringLiteral("Writes"), QStringLiteral("Steps")});
    sldSpeed = new QSlider(Qt::Horizontal);
    sldSpeed->setAccessibleName(QStringLiteral("Speed"));
    sldSpeed->setRange(0, kSpeedSteps);
    sldSpeed->setValue(35); // about three thousand a second
    sldSpeed->setMinimumWidth(120);
    lblSpeed = new QLabel;
    lblSpeed->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("100000000 a second")));
    lblClock = new QLabel;
    lblMessage = new QLabel;
    lblMessage->setStyleSheet(QStringLiteral("color: #b00000"));
    lblMessage->setWordWrap(true);
    lblMessage->hide();

    auto button = [this](const QString& caption, const QString& name, QKeySequence key, void (frmRace::*slot)()) {
        auto* b = new QPushButton(caption);
        b->setAccessibleName(name);
        b->setToolTip(name + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
        connect(b, &QPushButton::clicked, this, slot);
        auto* s = new QShortcut(key, this);
        connect(s, &QShortcut::activated, this, slot);
        return b;
    };
    cmdStart = button(QStringLiteral("Start"), QStringLiteral("Start"), QKeySequence(Qt::CTRL | Qt::Key_S), &frmRace::Start);
    cmdPause = button(QStringLiteral("Pause"), QStringLiteral("Pause"), QKeySequence(Qt::CTRL | Qt::Key_P), &frmRace::Pause);
    cmdStepBack = button(QStringLiteral("Step Back"), QStringLiteral("Step Back"), QKeySequence(Qt::CTRL | Qt::Key_Left), &frmRace::StepBack);
    cmdStepForward = button(QStringLiteral("Step Forward"), QStringLiteral("Step Forward"), QKeySequence(Qt::CTRL | Qt::Key_Right), &frmRace::StepForward);
    cmdRestart = button(QStringLiteral("Restart"), QStringLiteral("Restart"), QKeySequence(Qt::CTRL | Qt::Key_R), &frmRace::Restart);
    cmdPause->setCheckable(true);
    cmdExport = button(QStringLiteral("Export..."), QStringLiteral("Export"), QKeySequence(Qt::CTRL | Qt::Key_E), &frmRace::Export);

    auto* controls = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(cmdStart), static_cast<QWidget*>(cmdPause), static_cast<QWidget*>(cmdStepBack),
                       static_cast<QWidget*>(cmdStepForward), static_cast<QWidget*>(cmdRestart), static_cast<QWidget*>(cmdExport)})
        controls->addWidget(w);
    controls->addSpacing(12);
    auto* layoutLabel = new QLabel(QStringLiteral("&Layout:"));
    layoutLabel->setBuddy(cboLayout);
    auto* unitLabel = new QLabel(QStringLiteral("&Tick:"));
    unitLabel->setBuddy(cboUnit);
    auto* speedLabel = new QLabel(QStringLiteral("Spee&d:"));
    speedLabel->setBuddy(sldSpeed);
    controls->addWidget(layoutLabel);
    controls->addWidget(cboLayout);
    controls->addWidget(unitLabel);
    controls->addWidget(cboUnit);
    controls->addWidget(speedLabel);
    controls->addWidget(sldSpeed, 1);
    controls->addWidget(lblSpeed);

    lanes_ = new RaceLanes(this);
    grdStandings = new QTableWidget(0, 6);
    grdStandings->setAccessibleName(QStringLiteral("Standings"));
    grdStandings->setHorizontalHeaderLabels({QStringLiteral("Rank"), QStringLiteral("Routine"), QStringLiteral("Comparisons"),
                                             QStringLiteral("Steps"), QStringLiteral("Writes"), QStringLiteral("Finished at")});
    grdStandings->verticalHeader()->hide();
    grdStandings->setWordWrap(false);
    grdStandings->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grdStandings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdStandings->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Fixed widths: fitting the columns to their contents would measure
    // every row at every update.
    grdStandings->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grdStandings->horizontalHeader()->setStretchLastSection(true);
    {
        const QFontMetrics fm = fontMetrics();
        const int figure = fm.horizontalAdvance(QStringLiteral("00000000")) + 8;
        grdStandings->setColumnWidth(1, fm.horizontalAdvance(QStringLiteral("Randomized Quick Sort")) + 16);
        grdStandings->setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("Rank")) + 16);
        for (int c : {2, 3, 4, 5})
            grdStandings->setColumnWidth(c, std::max(figure, fm.horizontalAdvance(grdStandings->horizontalHeaderItem(c)->text()) + 16));
    }

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(lstRoutines);
    splitter->addWidget(lanes_);
    splitter->addWidget(grdStandings);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    splitter->setChildrenCollapsible(false);
    // The routine list wide enough for its longest entry, reason included.
    const int listWidth = lstRoutines->sizeHintForColumn(0) + 2 * lstRoutines->frameWidth() + 24;
    lstRoutines->setMinimumWidth(std::min(listWidth, 260));
    splitter->setSizes({listWidth, 600, 560});

    auto* root = new QVBoxLayout(this);
    root->addLayout(controls);
    root->addWidget(lblMessage);
    root->addWidget(splitter, 1);
    root->addWidget(lblClock);

    // The export's progress and its Cancel, shown while one is written.
    barExport = new QProgressBar;
    barExport->setAccessibleName(QStringLiteral("Export progress"));
    barExport->setRange(0, 0);
    barExport->setTextVisible(false);
    lblExport = new QLabel;
    cmdCancelExport = new QPushButton(QStringLiteral("Cancel"));
    cmdCancelExport->setAccessibleName(QStringLiteral("Cancel"));
    connect(cmdCancelExport, &QPushButton::clicked, this, &frmRace::CancelExport);
    exportRow_ = new QWidget;
    auto* exportRow = new QHBoxLayout(exportRow_);
    exportRow->setContentsMargins(0, 0, 0, 0);
    exportRow->addWidget(lblExport, 1);
    exportRow->addWidget(barExport, 1);
    exportRow->addWidget(cmdCancelExport);
    exportRow_->hide();
    root->addWidget(exportRow_);
    exportTimer_ = new QTimer(this);
    exportTimer_->setInterval(100);
    connect(exportTimer_, &QTimer::timeout, this, [this] {
        if (exporter_)
            lblExport->setText(QStringLiteral("Exporting %1: %2 frames")
                                   .arg(QFileInfo(exporter_->Path()).fileName())
                                   .arg(static_cast<qlonglong>(exporter_->Frames())));
    });

    clock_ = new QTimer(this);
    clock_->setInterval(kFrameMs);
    connect(clock_, &QTimer::timeout, this, &frmRace::Frame);
    connect(sldSpeed, &QSlider::valueChanged, this, [this] {
        lblSpeed->setText(QStringLiteral("%1 a second").arg(static_cast<qlonglong>(std::llround(Speed()))));
    });
    connect(cboLayout, &QComboBox::currentIndexChanged, this, &frmRace::Discard);
    connect(lstRoutines, &QListWidget::itemChanged, this, &frmRace::Discard);
    connect(cboUnit, &QComboBox::currentIndexChanged, this, [this](int unit) {
        if (race_) {
            race_->SetUnit(static_cast<ClockUnit>(unit));
            owed_ = 0;
            race_->Present();
            ShowFigures(true);
            lanes_->update();
        }
        UpdateButtons();
    });
    lblSpeed->setText(QStringLiteral("%1 a second").arg(static_cast<qlonglong>(std::llround(Speed()))));
    ShowFigures(true);
    UpdateButtons();
    resize(1280, 800);
}

frmRace::~frmRace()
{
    EndExport();
    clock_->stop();
    race_.reset();
}

void frmRace::closeEvent(QCloseEvent* event)
{
    // Every lane ends at its next step; nothing of the race outlives the window.
    EndExport();
    clock_->stop();
    lanes_->SetRace(nullptr, 0);
    race_.reset();
    event->accept();
}

double frmRace::Speed() const
{
    return std::pow(kFastest, sldSpeed->value() / double(kSpeedSteps));
}

bool frmRace::Running() const
{
    return clock_->isActive();
}

std::int64_t frmRace::TickUnits() const
{
    // One frame's worth at the chosen speed, at least one unit.
    return std::max<std::int64_t>(1, std::llround(Speed() * kFrameMs / 1000.0));
}

std::vector<int> frmRace::Chosen() const
{
    std::vector<int> chosen;
    for (int i = 0; i < lstRoutines->count(); ++i) {
        const QListWidgetItem* item = lstRoutines->item(i);
        if ((item->flags() & Qt::ItemIsEnabled) && item->checkState() == Qt::Checked)
            chosen.push_back(item->data(Qt::UserRole).toInt());
    }
    return chosen;
}

bool frmRace::Build()
{
    const std::vector<int> chosen = Chosen();
    if (chosen.empty()) {
        lblMessage->setText(QStringLiteral("Choose at least one routine to race."));
        lblMessage->show();
        return false;
    }
    const RunInput input = CurrentInput();
    if (input.width < 1) {
        lblMessage->setText(QStringLiteral("There is no data set to race on."));
        lblMessage->show();
        return false;
    }
    lblMessage->hide();
    race_ = MakeRace(chosen, input);
    race_->SetUnit(static_cast<ClockUnit>(cboUnit->currentIndex()));
    lanes_->SetRace(race_.get(), cboLayout->currentIndex() == 1 ? kOrderCount : 0);
    int longest = 0;
    for (int i = 0; i < race_->Lanes(); ++i)
        longest = std::max(longest, fontMetrics().horizontalAdvance(LaneName(race_->Status(i))));
    grdStandings->setColumnWidth(1, longest + 16);
    owed_ = 0;
    held_ = false;
    SetHeld(true);
    race_->Present();
    ShowFigures(true);
    return true;
}

std::unique_ptr<Race> frmRace::MakeRace(const std::vector<int>& chosen, const RunInput& input) const
{
    RaceLook look;
    look.style = style_;
    look.colors = ColorSet;
    look.pen = std::max<int>(1, DrawSet[0]);
    std::unique_ptr<Race> race;
    if (cboLayout->currentIndex() == 1) {
        std::vector<int> orders(kOrderCount);
        for (int o = 0; o < kOrderCount; ++o)
            orders[static_cast<std::size_t>(o)] = o;
        race = Race::OnOrders(chosen, orders, input.height, input.width, look);
    } else {
        race = Race::OnData(chosen, input, look);
    }
    race->SetUnit(static_cast<ClockUnit>(cboUnit->currentIndex()));
    return race;
}

QSize frmRace::LanesSize() const
{
    return lanes_->size();
}

void frmRace::Export()
{
    if (exporter_)
        return;
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export Race"), QString(),
        QStringLiteral("Animated GIF (*.gif);;Animated PNG (*.png *.apng);;WebM video (*.webm);;MP4 video (*.mp4)"));
    if (path.isEmpty())
        return;
    const QSize area = LanesSize();
    bool ok = false;
    const QString text = QInputDialog::getText(this, QStringLiteral("Export Race"), QStringLiteral("&Frame size (width x height):"),
                                               QLineEdit::Normal,
                                               QStringLiteral("%1x%2").arg(area.width()).arg(area.height()), &ok);
    if (!ok)
        return;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^\\s*(\\d{1,5})\\s*[xX×]\\s*(\\d{1,5})\\s*$")).match(text);
    const QSize size = m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
    if (size.width() < 16 || size.height() < 16 || size.width() > 7680 || size.height() > 4320) {
        QMessageBox::warning(this, QStringLiteral("Export Race"),
                             QStringLiteral("The frame size should be from 16x16 to 7680x4320."));
        return;
    }
    ExportTo(path, size);
}

bool frmRace::ExportTo(const QString& path, QSize size)
{
    if (exporter_)
        return false;
    const std::vector<int> chosen = Chosen();
    const RunInput input = CurrentInput();
    if (chosen.empty() || input.width < 1) {
        lblMessage->setText(chosen.empty() ? QStringLiteral("Choose at least one routine to race.")
                                           : QStringLiteral("There is no data set to race on."));
        lblMessage->show();
        return false;
    }
    lblMessage->hide();
    RaceExportSettings settings;
    settings.size = size.isValid() ? size : LanesSize();
    settings.fps = kExportFps;
    settings.grant = ExportGrant();
    settings.columns = cboLayout->currentIndex() == 1 ? kOrderCount : 0;
    settings.look = lanes_->Look();
    // A race of its own: the one on show keeps its place.
    exporter_ = std::make_unique<RaceExporter>(MakeRace(chosen, input), settings, path);
    RaceExporter* exporter = exporter_.get();
    exportThread_ = QThread::create([exporter, this] { exportOk_ = exporter->Run(); });
    connect(exportThread_, &QThread::finished, this, &frmRace::ExportDone);
    lblExport->setText(QStringLiteral("Exporting %1").arg(QFileInfo(path).fileName()));
    exportRow_->show();
    cmdExport->setEnabled(false);
    exportTimer_->start();
    exportThread_->start();
    return true;
}

std::int64_t frmRace::ExportGrant() const
{
    // One frame's worth at the chosen speed: the file plays as the window does.
    return std::max<std::int64_t>(1, std::llround(Speed() / kExportFps));
}

void frmRace::CancelExport()
{
    if (exporter_)
        exporter_->Cancel();
}

void frmRace::EndExport()
{
    if (!exportThread_)
        return;
    exporter_->Cancel();
    exportThread_->wait();
    delete exportThread_;
    exportThread_ = nullptr;
    exporter_.reset();
}

void frmRace::ExportDone()
{
    if (!exportThread_)
        return;
    exportThread_->wait();
    exportThread_->deleteLater();
    exportThread_ = nullptr;
    exportTimer_->stop();
    exportRow_->hide();
    cmdExport->setEnabled(true);
    const auto exporter = std::move(exporter_);
    if (exportOk_) {
        lblExport->setText(QStringLiteral("Exported %1 (%2 bytes)")
                               .arg(QDir::toNativeSeparators(exporter->Path()))
                               .arg(static_cast<qlonglong>(exporter->Bytes())));
        lblMessage->hide();
    } else if (exporter->Cancelled()) {
        lblExport->setText(QStringLiteral("Export cancelled"));
    } else {
        lblMessage->setText(QStringLiteral("Export failed: ") + exporter->Error());
        lblMessage->show();
    }
    lblClock->setText(lblExport->text());
    emit ExportFinished(exportOk_);
}

void frmRace::Discard()
{
    clock_->stop();
    lanes_->SetRace(nullptr, 0);
    race_.reset();
    held_ = true;
    ShowFigures(true);
    UpdateButtons();
}

void frmRace::SetHeld(bool held)
{
    held_ = held;
    if (race_)
        race_->Hold(held);
    if (held)
        clock_->stop();
    else {
        sinceFrame_.start();
        clock_->start();
    }
    UpdateButtons();
}

void frmRace::Start()
{
    if (!race_ && !Build())
        return;
    if (race_->Finished())
        Restart();
    SetHeld(false);
}

void frmRace::Pause()
{
    if (!race_) {
        UpdateButtons();
        return;
    }
    SetHeld(!held_);
    ShowFigures(true);
}

void frmRace::StepForward()
{
    if (!race_ && !Build())
        return;
    SetHeld(true);
    race_->Hold(false); // the recordings go on until they reach the tick
    if (!race_->Tick(TickUnits()) && !race_->Finished()) {
        // A recording has not reached the next reading yet: wait for it, briefly.
        for (int i = 0; i < 200 && !race_->Tick(TickUnits()) && !race_->Finished(); ++i)
            QThread::msleep(5);
    }
    race_->Hold(true);
    race_->Present();
    ShowFigures(true);
    lanes_->update();
}

void frmRace::StepBack()
{
    if (!race_)
        return;
    SetHeld(true);
    race_->StepBack();
    race_->Present();
    ShowFigures(true);
    lanes_->update();
}

void frmRace::Restart()
{
    if (!race_)
        return;
    race_->Restart();
    owed_ = 0;
    race_->Present();
    ShowFigures(true);
    lanes_->update();
    UpdateButtons();
}

void frmRace::Frame()
{
    if (!race_) {
        clock_->stop();
        return;
    }
    const double seconds = sinceFrame_.restart() / 1000.0;
    // Granted work not yet taken (a recording not yet there) is not piled up.
    owed_ = std::min(owed_ + Speed() * seconds, std::max(1.0, Speed() * 0.25));
    if (owed_ >= 1) {
        const std::int64_t before = race_->Clock();
        const auto grant = static_cast<std::int64_t>(std::min(owed_, 9e18));
        if (race_->Tick(grant))
            owed_ -= static_cast<double>(race_->Clock() - before);
    }
    if (race_->Present())
        lanes_->update();
    const bool done = race_->Finished();
    ShowFigures(done || !sinceStandings_.isValid() || sinceStandings_.elapsed() >= 200);
    if (done)
        SetHeld(true);
}

void frmRace::ShowFigures(bool standings)
{
    if (!race_) {
        lblClock->setText(QStringLiteral("Press Start to race the chosen routines on the data set shown."));
        grdStandings->setRowCount(0);
        UpdateButtons();
        return;
    }
    lblClock->setText(QStringLiteral("Clock: %1 %2%3")
                          .arg(race_->Clock())
                          .arg(cboUnit->currentText().toLower())
                          .arg(race_->Finished() ? QStringLiteral(" · every lane has finished") : QString()));
    if (!standings)
        return;
    sinceStandings_.start();
    // Finished lanes by place, then the others by their count so far.
    std::vector<LaneStatus> rows;
    for (int i = 0; i < race_->Lanes(); ++i)
        rows.push_back(race_->Status(i));
    std::stable_sort(rows.begin(), rows.end(), [](const LaneStatus& a, const LaneStatus& b) {
        if (a.finished != b.finished)
            return a.finished;
        if (a.finished)
            return a.place < b.place;
        return a.comparisons > b.comparisons;
    });
    grdStandings->setUpdatesEnabled(false);
    grdStandings->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const LaneStatus& s = rows[static_cast<std::size_t>(r)];
        const QString cells[6] = {s.finished ? QString::number(s.place) : QString(), LaneName(s),
                                  s.runs ? QString::number(s.comparisons) : QStringLiteral("not run"),
                                  s.runs ? QString::number(s.steps) : QString(), s.runs ? QString::number(s.writes) : QString(),
                                  s.finished ? QString::number(s.finishedAt) : QString()};
        for (int c = 0; c < 6; ++c) {
            QTableWidgetItem* item = grdStandings->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(c == 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
                grdStandings->setItem(r, c, item);
            }
            if (item->text() != cells[c])
                item->setText(cells[c]);
        }
    }
    grdStandings->setUpdatesEnabled(true);
    UpdateButtons();
}

void frmRace::UpdateButtons()
{
    const bool finished = race_ && race_->Finished();
    cmdStart->setEnabled(!race_ || held_);
    cmdPause->setEnabled(race_ != nullptr && !finished);
    cmdPause->setChecked(race_ && held_ && !race_->AtStart() && !finished);
    cmdStepBack->setEnabled(race_ && !race_->AtStart());
    cmdStepForward->setEnabled(!finished);
    cmdRestart->setEnabled(race_ && !race_->AtStart());
}

frmRace* ShowRaceWindow(QWidget* owner, PlotStyle style)
{
    static QPointer<frmRace> window;
    if (!window)
        window = new frmRace(owner, style);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
