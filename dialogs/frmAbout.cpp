#include "dialogs/frmAbout.h"

#include "dialogs/DialogSupport.h"
#include "platform/ProgramIcon.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
// A horizontal line in one colour.
QFrame* HorizontalLine(QWidget* parent, const QString& name, const QColor& color)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color);
    line->setPalette(palette);
    return line;
}
} // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    DialogDesign design(this, QStringLiteral("About"), 5655, 3135);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    design.Place(picIcon, 240, 240, 540, 540);
    picIcon->setAutoFillBackground(true);
    QPalette grey = picIcon->palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    picIcon->setPalette(grey);
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(ProgramIconPixmap(32));

    lblTitle = new QLabel(QStringLiteral("Ordivan"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    design.Place(lblTitle, 1050, 240, 3885, 480);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = new QLabel(QStringLiteral("Version: 1.0.0"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    design.Place(lblVersion, 1050, 780, 3885, 225);

    lblDescription = new QLabel(
        QStringLiteral("The purpose of this software is to compare between different sort routines."), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    design.Place(lblDescription, 1050, 1125, 3885, 1170);
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // An etched separator: grey above, white one pixel below it at any size.
    Line1[1] = HorizontalLine(this, QStringLiteral("Line1(1)"), QColor(128, 128, 128));
    design.PlaceLine(Line1[1], 225, 5450, 2430, 1);
    Line1[0] = HorizontalLine(this, QStringLiteral("Line1(0)"), QColor(255, 255, 255));
    design.PlaceLine(Line1[0], 240, 5450, 2430, 2, 1);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    design.Place(cmdOK, 4245, 2625, 1260, 345);
    cmdOK->setDefault(true);
    design.Apply();
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

void frmAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    cmdOK->setFocus(Qt::OtherFocusReason);
}

// Esc closes the box the same way (QDialog's reject); it has no result.
void frmAbout::cmdOK_Click()
{
    accept();
}
