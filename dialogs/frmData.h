// The Enter Data dialog: the data set as text, edited, typed or pasted into;
// OK takes the values by the rules of a data file, or selects the first bad
// token and says why beside the box, and stays open.
#pragma once

#include "engine/Module1.h"
#include "platform/Forms.h"

#include <QDialog>
#include <QString>

#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmData : public QDialog {
    Q_OBJECT
public:
    // Opens with the values given, at most a score of them a line.
    frmData(QWidget* owner, const std::vector<Integer>& values);

    // True after an OK that took the text, false after Cancel or any other
    // close; keeps its value after the dialog is gone.
    static bool Accepted;
    // The values OK took; empty before.
    const std::vector<Integer>& Values() const { return values_; }

    QLabel* lblPrompt;
    QPlainTextEdit* txtData;
    QLabel* lblFault;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    // The values as the box first shows them.
    static QString DataText(const std::vector<Integer>& values);

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cmdOK_Click();

    std::vector<Integer> values_;
    LoadedForm loaded_{this};
};
