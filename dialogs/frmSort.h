// The sort settings dialog: order, height and width of the data set, edited
// in place in SortSet, with a preview of SourceData that can be drawn on by
// hand, gap-filled and cleared.
#pragma once

#include "dialogs/DialogSupport.h"
#include "engine/Module1.h"
#include "platform/Forms.h"

#include <QDialog>

#include <array>

class QLabel;
class QListWidget;
class QPushButton;
class PictureBox;

class frmSort : public QDialog {
    Q_OBJECT
public:
    explicit frmSort(QWidget* owner);

    // True after OK, false after Cancel (or any other close); keeps its value
    // after the dialog is gone.
    static bool Accepted;

    QLabel* lblOrder;
    QLabel* lblHeight;
    QLabel* lblWidth;
    // 0 order, 1 height, 2 width.
    std::array<QListWidget*, 3> lstSort{};
    PictureBox* picBox;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdFill;
    QPushButton* cmdClear;
    QPushButton* cmdDefault;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void lstSort_Click(int index);
    void picBox_MouseMove(int button, int shift, double X, double Y);
    void picBox_MouseUp(int button, int shift, double X, double Y);
    void cmdFill_Click();
    void cmdClear_Click();
    void cmdDefault_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void DrawPreview();
    void Regenerate();
    void SelectEntry(int index, int row);
    void SelectText(int index, Integer value);

    SettingsSnapshot<std::array<Integer, 3>> OldSortSet{SortSet};
    // The settings SourceData was last generated from.
    std::array<Integer, 3> GeneratedWith{};
    bool generated_ = false;
    LoadedForm loaded_{this};
};
