#include "dialogs/frmDraw.h"

#include "dialogs/DialogSupport.h"
#include "platform/Convert.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "platform/Runtime.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <chrono>
#include <thread>

bool frmDraw::Accepted = false;

namespace {
// The longest a single test step waits. The controls give at most a tenth
// of a second; a larger delay from the stored settings must still let the
// test end, since it handles no input while it runs.
constexpr double LongestTestStep = 1.0;
} // namespace

frmDraw::frmDraw(QWidget* owner) : QDialog(owner)
{
    DialogDesign design(this, QStringLiteral("Draw Settings"), 4455, 3255);

    lblText = new QLabel(QStringLiteral("Width vs. Delay"), this);
    lblText->setObjectName(QStringLiteral("lblText"));
    design.Place(lblText, 720, 120, 2295, 255);

    // The width grows towards the top: value 1 at the top is 10 pixels.
    sldWidth = new QSlider(Qt::Vertical, this);
    sldWidth->setObjectName(QStringLiteral("sldWidth"));
    design.Place(sldWidth, 120, 240, 510, 2415);
    sldWidth->setRange(1, 10);
    sldWidth->setInvertedAppearance(true);
    sldWidth->setInvertedControls(true);
    sldWidth->setSingleStep(1);
    sldWidth->setPageStep(1);
    sldWidth->setTickPosition(QSlider::TicksBothSides);
    sldWidth->setTickInterval(1);
    sldWidth->setValue(10);

    picBox = new PictureBox(this);
    picBox->setObjectName(QStringLiteral("picBox"));
    design.Place(picBox, 720, 360, 2295, 2235);

    sldDelay = new QSlider(Qt::Horizontal, this);
    sldDelay->setObjectName(QStringLiteral("sldDelay"));
    design.Place(sldDelay, 600, 2640, 2535, 510);
    sldDelay->setRange(0, 10);
    sldDelay->setSingleStep(1);
    sldDelay->setPageStep(1);
    sldDelay->setTickPosition(QSlider::TicksBothSides);
    sldDelay->setTickInterval(1);
    sldDelay->setValue(0);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    design.Place(cmdOK, 3240, 120, 1095, 375);
    cmdOK->setDefault(true);

    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    design.Place(cmdCancel, 3240, 600, 1095, 375);

    cmdDelay = new QPushButton(QStringLiteral("Test Delay"), this);
    cmdDelay->setObjectName(QStringLiteral("cmdDelay"));
    design.Place(cmdDelay, 3240, 1680, 1095, 375);

    cmdDefault = new QPushButton(QStringLiteral("Default"), this);
    cmdDefault->setObjectName(QStringLiteral("cmdDefault"));
    design.Place(cmdDefault, 3240, 2160, 1095, 375);

    lblWidth = new QLabel(QStringLiteral("1 pixels"), this);
    lblWidth->setObjectName(QStringLiteral("lblWidth"));
    // The widest texts the labels show for the sliders' values.
    design.Place(lblWidth, 3240, 2640, 1095, 255, {QStringLiteral("10 pixels")});

    lblDelay = new QLabel(QStringLiteral("0 secs"), this);
    lblDelay->setObjectName(QStringLiteral("lblDelay"));
    design.Place(lblDelay, 3240, 2880, 1095, 255, {QStringLiteral("0.05 secs")});
    design.Apply();

    setTabOrder(sldWidth, sldDelay);
    setTabOrder(sldDelay, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdDelay);
    setTabOrder(cmdDelay, cmdDefault);

    // A slider moved by mouse, keyboard or wheel changes the setting at once.
    connect(sldWidth, &QSlider::valueChanged, this, &frmDraw::sldWidth_Scroll);
    connect(sldDelay, &QSlider::valueChanged, this, &frmDraw::sldDelay_Scroll);
    connect(cmdDelay, &QPushButton::clicked, this, &frmDraw::cmdDelay_Click);
    connect(cmdDefault, &QPushButton::clicked, this, &frmDraw::cmdDefault_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmDraw::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDraw::cmdCancel_Click);

    Form_Load();
}

void frmDraw::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    sldWidth->setFocus(Qt::OtherFocusReason);
    Form_Activate();
}

void frmDraw::Form_Load()
{
    OldDrawSet.Take();
    {
        // Setting the sliders is not the user's move: the settings stay as
        // stored even where a slider cannot show them.
        const QSignalBlocker quietWidth(sldWidth);
        const QSignalBlocker quietDelay(sldDelay);
        sldWidth->setValue(11 - DrawSet[0]);
        sldDelay->setValue(DrawSet[1]);
    }
    ShowWidth();
    ShowDelay();
    TestPos = 0;
}

void frmDraw::Form_Activate()
{
    DrawPreview();
}

void frmDraw::ShowWidth()
{
    lblWidth->setText(QString::number(DrawSet[0]) + QStringLiteral(" pixels"));
}

void frmDraw::ShowDelay()
{
    lblDelay->setText(NumberText(DrawSet[1] / 100.0f) + QStringLiteral(" secs"));
}

void frmDraw::sldWidth_Scroll()
{
    DrawSet[0] = static_cast<Integer>(11 - sldWidth->value());
    ShowWidth();
    DrawPreview();
}

void frmDraw::sldDelay_Scroll()
{
    DrawSet[1] = static_cast<Integer>(sldDelay->value());
    ShowDelay();
}

void frmDraw::cmdDelay_Click()
{
    TestDelay();
}

void frmDraw::cmdDefault_Click()
{
    DrawSet[0] = 2;
    DrawSet[1] = 0;
    {
        const QSignalBlocker quietWidth(sldWidth);
        const QSignalBlocker quietDelay(sldDelay);
        sldWidth->setValue(9);
        sldDelay->setValue(0);
    }
    ShowWidth();
    ShowDelay();
    DrawPreview();
}

void frmDraw::cmdOK_Click()
{
    Accepted = true;
    accept();
}

void frmDraw::cmdCancel_Click()
{
    reject();
}

// Cancel, Esc, the window's close control and the main window's unloading
// all put back the width and delay found on opening.
void frmDraw::reject()
{
    OldDrawSet.Restore();
    Accepted = false;
    QDialog::reject();
}

void frmDraw::DrawPreview()
{
    picBox->setDrawWidth(DrawSet[0]);
    picBox->setBackColor(QBColor(ColorSet[0]));
    picBox->setForeColor(QBColor(ColorSet[1]));
    const int end = SampleEnd(picBox);
    for (int x = 0; x <= end; x += 100)
        DrawSampleBar(picBox, x);
}

void frmDraw::TestDelay()
{
    // No events are handled while the test runs, so every step must reach
    // the screen by itself.
    picBox->setShowEveryLine(true);
    const int end = SampleEnd(picBox);
    for (int x = 0; x <= end; x += 100) {
        picBox->setForeColor(QBColor(ColorSet[2]));
        DrawSampleBar(picBox, x);
        picBox->setForeColor(QBColor(ColorSet[1]));
        DrawSampleBar(picBox, TestPos);
        TestPos = static_cast<Integer>(x);
        WaitDelay();
    }
    picBox->flush();
    picBox->setShowEveryLine(false);
}

void frmDraw::WaitDelay()
{
    // Sleeps until the deadline on the program's monotonic clock: no core is
    // spun, and midnight means nothing to it.
    const double start = ClockSeconds();
    const double wait = std::clamp(DrawSet[1] / 100.0, 0.0, LongestTestStep);
    const double deadline = start + wait;
    for (double now = ClockSeconds(); now < deadline; now = ClockSeconds())
        std::this_thread::sleep_for(std::chrono::duration<double>(deadline - now));
}
