// The colour settings dialog: the five colours of the plot, edited in place
// in ColorSet with a live preview.
#pragma once

#include "dialogs/DialogSupport.h"
#include "engine/Module1.h"
#include "platform/Forms.h"

#include <QDialog>

#include <array>

class QListWidget;
class QPushButton;
class PictureBox;

class frmColor : public QDialog {
    Q_OBJECT
public:
    explicit frmColor(QWidget* owner);

    // True after OK, false after Cancel (or any other close); keeps its value
    // after the dialog is gone.
    static bool Accepted;

    QListWidget* lstChoice;
    QListWidget* lstColor;
    PictureBox* picBox;
    QPushButton* cmdDefault;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void lstChoice_Click();
    void lstColor_Click();
    void cmdDefault_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void DrawPreview();

    SettingsSnapshot<std::array<Integer, 5>> OldColorSet{ColorSet};
    LoadedForm loaded_{this};
};
