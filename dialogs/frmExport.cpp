#include "dialogs/frmExport.h"

#include "compare/Comparison.h"
#include "engine/Routines.h"
#include "export/Exporter.h"
#include "platform/Settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

namespace {

struct FormatEntry {
    ExportFormat format;
    const char* caption;
    const char* extension;
};
constexpr FormatEntry kFormats[] = {
    {ExportFormat::Gif, "GIF animation (.gif)", "gif"},
    {ExportFormat::Apng, "Animated PNG (.png)", "png"},
    {ExportFormat::WebM, "WebM video (.webm)", "webm"},
    {ExportFormat::Mp4, "MP4 video (.mp4)", "mp4"},
    {ExportFormat::Wav, "Sound only (.wav)", "wav"},
};

} // namespace

frmExport::frmExport(QWidget* owner, QSize plotSize, PlotStyle style, std::function<void(const QString&)> done)
    : QDialog(owner), style_(style), done_(std::move(done))
{
    setWindowTitle(tr("Export Run"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* form = new QFormLayout;

    cboRoutine_ = new QComboBox(this);
    for (int i = 0; i < kRoutineCount; ++i)
        if (RoutineRuns(i))
            cboRoutine_->addItem(QString::fromUtf8(RoutineTable[static_cast<std::size_t>(i)].name), i);
    cboRoutine_->setCurrentIndex(std::max(0, cboRoutine_->findData(static_cast<int>(SortType))));
    form->addRow(tr("&Routine:"), cboRoutine_);

    const int order = std::clamp<int>(SortSet[0], 0, kOrderCount - 1);
    auto* data = new QLabel(tr("The current data set: %1 values up to %2, %3")
                                .arg(SortSet[2])
                                .arg(SortSet[1])
                                .arg(QString::fromLatin1(OrderNames[static_cast<std::size_t>(order)])),
                            this);
    form->addRow(tr("Data:"), data);

    cboFormat_ = new QComboBox(this);
    auto* model = qobject_cast<QStandardItemModel*>(cboFormat_->model());
    for (const FormatEntry& entry : kFormats) {
        cboFormat_->addItem(tr(entry.caption), static_cast<int>(entry.format));
        const QString why = FormatUnavailable(entry.format);
        if (!why.isEmpty()) {
            QStandardItem* item = model->item(cboFormat_->count() - 1);
            item->setEnabled(false);
            item->setToolTip(why);
        }
    }
    form->addRow(tr("&Format:"), cboFormat_);
    lblFormat_ = new QLabel(FormatUnavailable(ExportFormat::Mp4), this);
    lblFormat_->setWordWrap(true);
    lblFormat_->setVisible(!lblFormat_->text().isEmpty());
    form->addRow(QString(), lblFormat_);

    spnWidth_ = new QSpinBox(this);
    spnWidth_->setRange(16, 7680);
    spnWidth_->setValue(std::clamp(plotSize.width(), 16, 7680));
    spnHeight_ = new QSpinBox(this);
    spnHeight_->setRange(16, 4320);
    spnHeight_->setValue(std::clamp(plotSize.height(), 16, 4320));
    auto* size = new QHBoxLayout;
    size->addWidget(spnWidth_);
    size->addWidget(new QLabel(QStringLiteral("×"), this));
    size->addWidget(spnHeight_);
    size->addWidget(new QLabel(tr("pixels"), this));
    size->addStretch();
    auto* sizeLabel = new QLabel(tr("Frame &size:"), this);
    sizeLabel->setBuddy(spnWidth_);
    form->addRow(sizeLabel, size);

    spnFps_ = new QSpinBox(this);
    spnFps_->setRange(1, 120);
    spnFps_->setValue(30);
    auto* fps = new QHBoxLayout;
    fps->addWidget(spnFps_);
    fps->addStretch();
    auto* fpsLabel = new QLabel(tr("Frames per &second:"), this);
    fpsLabel->setBuddy(spnFps_);
    form->addRow(fpsLabel, fps);

    optSteps_ = new QRadioButton(tr("S&teps per frame:"), this);
    optLength_ = new QRadioButton(tr("&Length of the run:"), this);
    optSteps_->setChecked(true);
    spnSteps_ = new QSpinBox(this);
    spnSteps_->setRange(1, 1000000);
    spnSteps_->setValue(1);
    spnLength_ = new QDoubleSpinBox(this);
    spnLength_->setRange(0.1, 600);
    spnLength_->setDecimals(1);
    spnLength_->setValue(10);
    spnLength_->setSuffix(tr(" s"));
    spnLength_->setEnabled(false);
    connect(optSteps_, &QRadioButton::toggled, this, [this](bool on) {
        spnSteps_->setEnabled(on);
        spnLength_->setEnabled(!on);
    });
    auto* pace = new QHBoxLayout;
    pace->addWidget(optSteps_);
    pace->addWidget(spnSteps_);
    pace->addSpacing(12);
    pace->addWidget(optLength_);
    pace->addWidget(spnLength_);
    pace->addStretch();
    form->addRow(tr("Pace:"), pace);

    chkCaption_ = new QCheckBox(tr("Ca&ption: the routine and its comparisons above the plot"), this);
    chkCaption_->setChecked(true);
    form->addRow(QString(), chkCaption_);
    chkSound_ = new QCheckBox(tr("Sou&nd: the tones of the run (beside an image as a .wav file)"), this);
    form->addRow(QString(), chkSound_);

    txtFile_ = new QLineEdit(this);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    txtFile_->setText(QDir(folder).filePath(QStringLiteral("sort.gif")));
    auto* browse = new QPushButton(tr("&Browse..."), this);
    auto* file = new QHBoxLayout;
    file->addWidget(txtFile_, 1);
    file->addWidget(browse);
    auto* fileLabel = new QLabel(tr("F&ile:"), this);
    fileLabel->setBuddy(txtFile_);
    form->addRow(fileLabel, file);

    prgExport_ = new QProgressBar(this);
    prgExport_->setRange(0, 1000);
    prgExport_->setVisible(false);
    lblError_ = new QLabel(this);
    lblError_->setWordWrap(true);
    lblError_->setVisible(false);

    auto* buttons = new QDialogButtonBox(this);
    cmdExport_ = buttons->addButton(tr("&Export"), QDialogButtonBox::AcceptRole);
    cmdCancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    cmdExport_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(prgExport_);
    layout->addWidget(lblError_);
    layout->addWidget(buttons);

    inputs_ = {cboRoutine_, cboFormat_, spnWidth_, spnHeight_, spnFps_, optSteps_, optLength_, spnSteps_,
               spnLength_, chkCaption_, chkSound_, txtFile_, browse};

    connect(cboFormat_, &QComboBox::currentIndexChanged, this, &frmExport::FormatChanged);
    connect(txtFile_, &QLineEdit::textEdited, this, &frmExport::FileChanged);
    connect(browse, &QPushButton::clicked, this, &frmExport::Browse);
    connect(cmdExport_, &QPushButton::clicked, this, &frmExport::cmdExport_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmExport::cmdCancel_Click);
    poll_ = new QTimer(this);
    poll_->setInterval(50);
    connect(poll_, &QTimer::timeout, this, &frmExport::Poll);
}

frmExport::~frmExport()
{
    if (exporter_)
        exporter_->Cancel();
    if (worker_.joinable())
        worker_.join();
}

void frmExport::FormatChanged()
{
    const QString ext = QString::fromLatin1(kFormats[std::max(0, cboFormat_->currentIndex())].extension);
    QFileInfo info(txtFile_->text());
    const QString name = info.completeBaseName().isEmpty() ? QStringLiteral("sort") : info.completeBaseName();
    txtFile_->setText(QDir(info.path()).filePath(name + QLatin1Char('.') + ext));
    chkSound_->setEnabled(kFormats[cboFormat_->currentIndex()].format != ExportFormat::Wav);
}

void frmExport::FileChanged()
{
    if (const std::optional<ExportFormat> format = FormatOfPath(txtFile_->text())) {
        const int index = cboFormat_->findData(static_cast<int>(*format));
        if (index >= 0 && index != cboFormat_->currentIndex()) {
            const QSignalBlocker block(cboFormat_);
            cboFormat_->setCurrentIndex(index);
        }
    }
}

void frmExport::Browse()
{
    QStringList filters;
    for (int i = 0; i < cboFormat_->count(); ++i)
        filters << cboFormat_->itemText(i).replace(QStringLiteral("(."), QStringLiteral("(*."));
    QString filter = filters.value(cboFormat_->currentIndex());
    const QString path = QFileDialog::getSaveFileName(this, tr("Export Run"), txtFile_->text(),
                                                      filters.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty())
        return;
    txtFile_->setText(path);
    FileChanged();
}

void frmExport::SetBusy(bool busy)
{
    for (QWidget* w : inputs_)
        w->setEnabled(!busy);
    if (!busy) {
        spnSteps_->setEnabled(optSteps_->isChecked());
        spnLength_->setEnabled(optLength_->isChecked());
        FormatChanged();
    }
    cmdExport_->setEnabled(!busy);
    prgExport_->setVisible(busy);
}

void frmExport::cmdExport_Click()
{
    if (worker_.joinable())
        return;
    const QString path = txtFile_->text().trimmed();
    const std::optional<ExportFormat> format = FormatOfPath(path);
    lblError_->setVisible(true);
    if (!format) {
        lblError_->setText(tr("The file name should end in %1.").arg(FormatExtensions()));
        return;
    }
    if (const QString why = FormatUnavailable(*format); !why.isEmpty()) {
        lblError_->setText(why + QLatin1Char('.'));
        return;
    }
    lblError_->setVisible(false);
    // Everything the run needs is copied now, on the window's thread: the
    // export reads nothing of the window's state later.
    ExportRun run;
    run.routine = cboRoutine_->currentData().toInt();
    run.input = CurrentInput();
    run.style = style_;
    run.colors = ColorSet;
    run.pen = DrawSet[0];
    run.size = QSize(spnWidth_->value(), spnHeight_->value());
    run.pace.fps = spnFps_->value();
    if (optLength_->isChecked())
        run.pace.seconds = spnLength_->value();
    else
        run.pace.stepsPerFrame = spnSteps_->value();
    run.caption = chkCaption_->isChecked();
    const bool sound = chkSound_->isChecked() && *format != ExportFormat::Wav;
    exporter_ = std::make_unique<Exporter>(std::move(run), path, sound);
    finished_ = false;
    ok_ = false;
    prgExport_->setValue(0);
    SetBusy(true);
    worker_ = std::thread([this] {
        ok_ = exporter_->Run();
        finished_ = true;
    });
    poll_->start();
}

void frmExport::Poll()
{
    if (exporter_)
        prgExport_->setValue(static_cast<int>(exporter_->Progress() * 1000));
    if (finished_)
        Finish();
}

void frmExport::Finish()
{
    poll_->stop();
    worker_.join();
    SetBusy(false);
    if (ok_) {
        const QString text = tr("Exported %1 (%2)")
                                 .arg(QDir::toNativeSeparators(exporter_->Path()),
                                      QLocale().formattedDataSize(exporter_->Bytes()));
        exporter_.reset();
        if (done_)
            done_(text);
        accept();
        return;
    }
    if (!exporter_->Cancelled()) {
        lblError_->setText(exporter_->Error());
        lblError_->setVisible(true);
    }
    exporter_.reset();
}

void frmExport::cmdCancel_Click()
{
    if (worker_.joinable()) {
        // Stops at the next step; nothing is left behind.
        exporter_->Cancel();
        Finish();
        return;
    }
    QDialog::reject();
}

void frmExport::reject()
{
    cmdCancel_Click();
}
