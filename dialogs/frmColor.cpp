#include "dialogs/frmColor.h"

#include "dialogs/DialogSupport.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

bool frmColor::Accepted = false;

namespace {
const std::array<Integer, 5> DefaultColors{0, 15, 10, 9, 12};
}

frmColor::frmColor(QWidget* owner) : QDialog(owner)
{
    DialogDesign design(this, QStringLiteral("Color Settings"), 5055, 3015);

    lstChoice = new QListWidget(this);
    lstChoice->setObjectName(QStringLiteral("lstChoice"));
    design.Place(lstChoice, 120, 120, 1095, 2205);
    FillList(lstChoice, {QStringLiteral("Background"), QStringLiteral("Foreground"), QStringLiteral("Indicator 1"),
                         QStringLiteral("Indicator 2"), QStringLiteral("Indicator 3")});

    lstColor = new QListWidget(this);
    lstColor->setObjectName(QStringLiteral("lstColor"));
    design.Place(lstColor, 1200, 120, 1455, 2205);
    FillList(lstColor, {QStringLiteral("Black"), QStringLiteral("Blue"), QStringLiteral("Green"),
                        QStringLiteral("Cyan"), QStringLiteral("Red"), QStringLiteral("Magenta"),
                        QStringLiteral("Yellow"), QStringLiteral("White"), QStringLiteral("Gray"),
                        QStringLiteral("Light Blue"), QStringLiteral("Light Green"), QStringLiteral("Light Cyan"),
                        QStringLiteral("Light Red"), QStringLiteral("Light Magenta"),
                        QStringLiteral("Light Yellow"), QStringLiteral("Bright White")});

    picBox = new PictureBox(this);
    picBox->setObjectName(QStringLiteral("picBox"));
    design.Place(picBox, 2640, 120, 2295, 2205);

    cmdDefault = new QPushButton(QStringLiteral("Default"), this);
    cmdDefault->setObjectName(QStringLiteral("cmdDefault"));
    design.Place(cmdDefault, 120, 2520, 1095, 375);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    design.Place(cmdOK, 2640, 2520, 1095, 375);
    cmdOK->setDefault(true);

    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    design.Place(cmdCancel, 3840, 2520, 1095, 375);
    design.Apply();

    setTabOrder(lstChoice, lstColor);
    setTabOrder(lstColor, cmdDefault);
    setTabOrder(cmdDefault, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(lstChoice, &QListWidget::itemSelectionChanged, this, &frmColor::lstChoice_Click);
    connect(lstColor, &QListWidget::itemSelectionChanged, this, &frmColor::lstColor_Click);
    connect(cmdDefault, &QPushButton::clicked, this, &frmColor::cmdDefault_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmColor::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmColor::cmdCancel_Click);

    Form_Load();
}

void frmColor::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    lstChoice->setFocus(Qt::OtherFocusReason);
    Form_Activate();
}

void frmColor::Form_Load()
{
    OldColorSet.Take();
}

void frmColor::Form_Activate()
{
    DrawPreview();
}

void frmColor::lstChoice_Click()
{
    const int role = ListIndex(lstChoice);
    if (role < 0 || role >= static_cast<int>(ColorSet.size()))
        return;
    const int code = ColorSet[role];
    if (code < 0 || code >= lstColor->count()) {
        // A stored code outside the palette names no entry: show none rather
        // than the previous role's colour.
        const QSignalBlocker quiet(lstColor);
        lstColor->clearSelection();
        return;
    }
    SetListIndex(lstColor, code); // raises lstColor_Click when it changes
}

void frmColor::lstColor_Click()
{
    const int role = ListIndex(lstChoice);
    if (role < 0 || role >= static_cast<int>(ColorSet.size())) {
        // No role to colour: take the choice back without coming here again.
        const QSignalBlocker quiet(lstColor);
        lstColor->clearSelection();
        return;
    }
    const int code = ListIndex(lstColor);
    if (code < 0)
        return;
    ColorSet[role] = static_cast<Integer>(code);
    DrawPreview();
}

void frmColor::cmdDefault_Click()
{
    ColorSet = DefaultColors;
    DrawPreview();
}

void frmColor::cmdOK_Click()
{
    Accepted = true;
    accept();
}

void frmColor::cmdCancel_Click()
{
    reject();
}

// Cancel, Esc, the window's close control and the main window's unloading
// all put back the colours found on opening.
void frmColor::reject()
{
    OldColorSet.Restore();
    Accepted = false;
    QDialog::reject();
}

void frmColor::DrawPreview()
{
    picBox->setDrawWidth(2);
    picBox->setBackColor(QBColor(ColorSet[0]));
    picBox->setForeColor(QBColor(ColorSet[1]));
    const int end = SampleEnd(picBox);
    for (int x = 0; x <= end; x += 100)
        DrawSampleBar(picBox, x);
    // The three markers of a run, each in its own colour.
    picBox->setForeColor(QBColor(ColorSet[2]));
    DrawSampleBar(picBox, 700);
    picBox->setForeColor(QBColor(ColorSet[3]));
    DrawSampleBar(picBox, 1000);
    picBox->setForeColor(QBColor(ColorSet[4]));
    DrawSampleBar(picBox, 1300);
}
