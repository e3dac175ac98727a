// The draw settings dialog: pen width and step delay, edited in place in
// DrawSet, with a preview and a test of the delay.
#pragma once

#include "dialogs/DialogSupport.h"
#include "engine/Module1.h"
#include "platform/Forms.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QSlider;
class PictureBox;

class frmDraw : public QDialog {
    Q_OBJECT
public:
    explicit frmDraw(QWidget* owner);

    // True after OK, false after Cancel (or any other close); keeps its value
    // after the dialog is gone.
    static bool Accepted;

    QLabel* lblText;
    QSlider* sldWidth;
    PictureBox* picBox;
    QSlider* sldDelay;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdDelay;
    QPushButton* cmdDefault;
    QLabel* lblWidth;
    QLabel* lblDelay;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void sldWidth_Scroll();
    void sldDelay_Scroll();
    void cmdDelay_Click();
    void cmdDefault_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void DrawPreview();
    void TestDelay();
    void WaitDelay();
    void ShowWidth();
    void ShowDelay();

    SettingsSnapshot<std::array<Integer, 2>> OldDrawSet{DrawSet};
    Integer TestPos = 0;
    LoadedForm loaded_{this};
};
