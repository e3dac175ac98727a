#include "dialogs/frmType.h"

#include "compare/Report.h"
#include "dialogs/DialogSupport.h"
#include "engine/Module1.h"
#include "engine/Routines.h"

#include <QListWidget>
#include <QPushButton>

bool frmType::Accepted = false;
QString frmType::SortName;

frmType::frmType(QWidget* owner) : QDialog(owner)
{
    DialogDesign design(this, QStringLiteral("Type"), 3375, 2895);

    lstType = new QListWidget(this);
    lstType->setObjectName(QStringLiteral("lstType"));
    design.Place(lstType, 120, 120, 1935, 2595);
    QStringList names;
    for (const Routine& routine : RoutineTable)
        names << QString::fromUtf8(routine.name);
    FillList(lstType, names);
    // What a student needs to know of each routine, where the pointer rests.
    for (int i = 0; i < lstType->count() && i < kRoutineCount; ++i)
        lstType->item(i)->setToolTip(RoutineFacts(i));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    design.Place(cmdOK, 2160, 120, 1095, 375);
    cmdOK->setDefault(true);
    cmdOK->setEnabled(false);

    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    design.Place(cmdCancel, 2160, 600, 1095, 375);
    design.Apply();

    connect(lstType, &QListWidget::itemSelectionChanged, this, &frmType::lstType_Click);
    connect(lstType, &QListWidget::itemDoubleClicked, this, &frmType::lstType_DblClick);
    connect(cmdOK, &QPushButton::clicked, this, &frmType::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmType::cmdCancel_Click);
}

void frmType::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    lstType->setFocus(Qt::OtherFocusReason);
}

void frmType::lstType_Click()
{
    // OK is only usable with a routine chosen, so SortType only ever gets an
    // index of the table.
    cmdOK->setEnabled(ListIndex(lstType) >= 0);
}

void frmType::lstType_DblClick()
{
    cmdOK_Click();
}

void frmType::cmdOK_Click()
{
    const int index = ListIndex(lstType);
    if (index < 0)
        return;
    Accepted = true;
    SortType = static_cast<Integer>(index);
    SortName = ListText(lstType);
    accept();
}

void frmType::cmdCancel_Click()
{
    reject();
}

// Cancel, Esc, the window's close control and the main window's unloading
// all end here: nothing chosen, SortType and SortName untouched.
void frmType::reject()
{
    Accepted = false;
    QDialog::reject();
}
