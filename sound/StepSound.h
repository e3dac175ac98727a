// The sound of a run, as the main window uses it: View > Sound switches it,
// every drawn step tells it the values the step showed, and Stop, the end
// of a run and the window's close silence it. With no audio device the item
// is disabled and tells why in the status bar while pointed at.
#pragma once

#include "engine/Module1.h"
#include "sound/SoundOutput.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QTimer;
class StatusStrip;

class StepSound : public QObject {
public:
    StepSound();
    ~StepSound() override;

    // The View menu's item, its menu and the status bar whose first panel
    // shows why the item is disabled while the mouse is on it.
    void Attach(QAction* item, QMenu* menu, StatusStrip* statusBar);

    // Switches the sound on (opening the device) or off (closing it). Asked
    // for on with no device, it stays off and the item is disabled.
    void SetOn(bool on);
    // The item's click: the other state.
    void Switch() { SetOn(!wanted_); }
    bool IsOn() const { return synth_ != nullptr; }
    // What the user chose last (or the store held): kept even while no
    // device is there, so the next start tries again.
    bool Wanted() const { return wanted_; }
    // Why there is no sound; empty while there may be.
    QString Reason() const { return reason_; }
    // Its shorter forms, longest first: "No audio device", "No audio".
    QStringList ReasonShortForms() const;
    SoundOutput& Output() { return output_; }

    // A step moved markers 1, 2 and 3 to X, Y and z (-1 not moved, 0 parked).
    void Line(int X, int Y, int z)
    {
        if (!active_)
            return;
        Touch(0, SortData, X);
        Touch(1, SortData, Y);
        Touch(2, SortData, z);
    }
    // A step drew bar X of AuxData (o true), or cleared column X, where the
    // counting pass has just counted SortData(X): each sounds its value.
    void Plot(int X, bool o)
    {
        if (active_)
            Touch(0, o ? AuxData : SortData, X);
    }
    // A step shown again while held: voice `voice` sounds `value`.
    void Sound(int voice, int value)
    {
        if (active_) {
            synth_->Touch(voice, value);
            if (output_.Resting())
                Wake();
        }
    }
    // The steps stop coming but the last one's tone plays out: the device
    // rests a while after it.
    void Settle();
    // The window's reset: a run beginning (2) plays, the other phases are silent.
    void Reset(int X);
    // Sort > Stop: silent at once and until the next run begins, however
    // long the routine takes to reach its stop test.
    void Stop();
    // Fades every voice out within a few milliseconds: the end of a run, a
    // pause, the close of the window.
    void Silence();
    // The window is closing: silent, device closed.
    void Close();

private:
    void Touch(int voice, const std::vector<Integer>& data, int index)
    {
        if (index > 0 && index < static_cast<int>(data.size())) {
            synth_->Touch(voice, data[static_cast<std::size_t>(index)]);
            if (output_.Resting())
                Wake();
        }
    }
    void Wake();
    void RestIfIdle();
    void Disable();
    void Update();
    void ShowTip(bool show);
    bool eventFilter(QObject* watched, QEvent* event) override;

    SoundOutput output_;
    ToneSynth* synth_ = nullptr; // while on
    bool wanted_ = false;
    bool muted_ = false;  // stopped until the next run begins
    bool active_ = false; // on and not muted: steps sound
    QString reason_;
    QString reasonBrief_;
    QTimer* idle_ = nullptr;
    QAction* item_ = nullptr;
    QMenu* menu_ = nullptr;
    StatusStrip* statusBar_ = nullptr;
    QString tip_;        // the reason, while panel 1 shows it
    QString panelText_;  // what panel 1 showed before
};
