// The About box: the program's name, version and purpose.
#pragma once

#include "platform/Forms.h"

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* owner);

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    // The etched separator: 0 its white lower half, 1 its grey upper half.
    std::array<QFrame*, 2> Line1{};
    QPushButton* cmdOK;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void cmdOK_Click();

    LoadedForm loaded_{this};
};
