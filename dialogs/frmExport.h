// File > Export Run...: the routine, the current data set, the format, the
// frame size, the pace, the caption, the sound and the file name. The export
// runs on a thread of its own with a progress bar and a Cancel that stops it
// at once; the window goes on meanwhile and its state is never touched.
#pragma once

#include "export/FrameSource.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <thread>
#include <atomic>

class Exporter;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

class frmExport : public QDialog {
    Q_OBJECT
public:
    // `plotSize`: the default frame size; `style`: the plot's picture.
    // `done` is told, on the window's thread, what was written ("Exported
    // NAME (SIZE)") when an export ends well.
    frmExport(QWidget* owner, QSize plotSize, PlotStyle style, std::function<void(const QString&)> done);
    ~frmExport() override;

    // Starts the export as the controls say (the Export button).
    void cmdExport_Click();
    // Cancels a running export at once, or closes the dialog.
    void cmdCancel_Click();
    // The file name's field, for tests.
    QLineEdit* FileName() const { return txtFile_; }
    bool Exporting() const { return worker_.joinable(); }

protected:
    void reject() override;

private:
    void FormatChanged();
    void FileChanged();
    void Browse();
    void Poll();
    void Finish();
    void SetBusy(bool busy);

    PlotStyle style_;
    std::function<void(const QString&)> done_;
    QComboBox* cboRoutine_ = nullptr;
    QComboBox* cboFormat_ = nullptr;
    QLabel* lblFormat_ = nullptr;
    QSpinBox* spnWidth_ = nullptr;
    QSpinBox* spnHeight_ = nullptr;
    QSpinBox* spnFps_ = nullptr;
    QRadioButton* optSteps_ = nullptr;
    QRadioButton* optLength_ = nullptr;
    QSpinBox* spnSteps_ = nullptr;
    QDoubleSpinBox* spnLength_ = nullptr;
    QCheckBox* chkCaption_ = nullptr;
    QCheckBox* chkSound_ = nullptr;
    QLineEdit* txtFile_ = nullptr;
    QProgressBar* prgExport_ = nullptr;
    QLabel* lblError_ = nullptr;
    QPushButton* cmdExport_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QList<QWidget*> inputs_;
    QTimer* poll_ = nullptr;
    std::unique_ptr<Exporter> exporter_;
    std::thread worker_;
    std::atomic<bool> finished_{false};
    bool ok_ = false;
};
