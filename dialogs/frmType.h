// The sort type dialog: picks the routine of the next run.
#pragma once

#include "platform/Forms.h"

#include <QDialog>
#include <QString>

class QListWidget;
class QPushButton;

class frmType : public QDialog {
    Q_OBJECT
public:
    explicit frmType(QWidget* owner);

    // True after OK or a double-click, false after Cancel (or any other
    // close); keeps its value after the dialog is gone.
    static bool Accepted;
    // The list text of the routine last confirmed; empty before any.
    static QString SortName;

    QListWidget* lstType;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void lstType_Click();
    void lstType_DblClick();
    void cmdOK_Click();
    void cmdCancel_Click();

    LoadedForm loaded_{this};
};
