#include "sound/StepSound.h"

#include "platform/StatusStrip.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

StepSound::StepSound()
{
    // A while after each silence, rest the device if nothing has sounded
    // since: a resting device costs nothing. No timer runs while steps
    // sound, since every active timer slows the event pump a run calls at
    // each step.
    idle_ = new QTimer(this);
    idle_->setSingleShot(true);
    idle_->setInterval(200);
    connect(idle_, &QTimer::timeout, this, [this] { RestIfIdle(); });
}

StepSound::~StepSound()
{
    Close();
}

void StepSound::Attach(QAction* item, QMenu* menu, StatusStrip* statusBar)
{
    item_ = item;
    menu_ = menu;
    statusBar_ = statusBar;
    if (menu_) {
        // Whether there is a device at all is first asked when the menu opens,
        // so a program that never shows it never starts the audio system.
        connect(menu_, &QMenu::aboutToShow, this, [this] {
            if (!IsOn() && reason_.isEmpty() && !output_.Probe())
                Disable();
        });
        connect(menu_, &QMenu::aboutToHide, this, [this] { ShowTip(false); });
        menu_->installEventFilter(this);
    }
    Update();
}

void StepSound::SetOn(bool on)
{
    wanted_ = on;
    if (on && !synth_ && reason_.isEmpty()) {
        synth_ = output_.Open();
        if (!synth_)
            Disable();
        else
            synth_->SetHeight(SortSet[1]);
    } else if (!on && synth_) {
        Close();
    }
    Update();
}

void StepSound::Reset(int X)
{
    if (X == 2) {
        // The first reset of a run comes with the run flag set; Radix Sort's
        // later passes come without it and keep a Stop's silence.
        if (Sorting)
            muted_ = false;
        if (synth_)
            synth_->SetHeight(SortSet[1]);
        // The run's end silences it again; until then no timer slows its steps.
        idle_->stop();
        Update();
    } else {
        Silence();
    }
}

void StepSound::Stop()
{
    muted_ = true;
    Update();
    Silence();
}

void StepSound::Silence()
{
    if (!synth_)
        return;
    synth_->Silence();
    if (!output_.Resting())
        idle_->start();
}

void StepSound::Settle()
{
    if (synth_ && !output_.Resting())
        idle_->start();
}

void StepSound::Close()
{
    if (!synth_)
        return;
    Silence();
    synth_ = nullptr;
    Update();
    idle_->stop();
    output_.Close();
}

void StepSound::Wake()
{
    output_.Resume();
}

void StepSound::RestIfIdle()
{
    // Not idle: a run has begun since; its end silences it again.
    if (synth_ && synth_->Idle())
        output_.Rest();
}

void StepSound::Disable()
{
    reason_ = QString::fromStdString(output_.Reason());
    reasonBrief_ = QString::fromStdString(output_.Brief());
    Update();
}

QStringList StepSound::ReasonShortForms() const
{
    QStringList forms;
    if (!reasonBrief_.isEmpty() && reasonBrief_ != reason_)
        forms << reasonBrief_;
    forms << QStringLiteral("No audio");
    return forms;
}

void StepSound::Update()
{
    active_ = synth_ && !muted_;
    if (!item_)
        return;
    item_->setChecked(IsOn());
    item_->setEnabled(reason_.isEmpty());
    item_->setStatusTip(reason_);
    item_->setToolTip(reason_); // empty: the caption, Qt's default
}

void StepSound::ShowTip(bool show)
{
    if (!statusBar_)
        return;
    if (show && tip_.isEmpty() && !reason_.isEmpty()) {
        panelText_ = statusBar_->panelText(1);
        tip_ = reason_;
        statusBar_->setPanelText(1, tip_, ReasonShortForms());
    } else if (!show && !tip_.isEmpty()) {
        // A run that has set its own text meanwhile keeps it.
        if (statusBar_->panelText(1) == tip_)
            statusBar_->setPanelText(1, panelText_);
        tip_.clear();
    }
}

bool StepSound::eventFilter(QObject* watched, QEvent* event)
{
    // A disabled item never becomes the menu's current item, so where the
    // mouse is decides whether the reason shows.
    if (watched == menu_) {
        if (event->type() == QEvent::MouseMove) {
            const auto* move = static_cast<QMouseEvent*>(event);
            ShowTip(menu_->actionAt(move->position().toPoint()) == item_ && !item_->isEnabled());
        } else if (event->type() == QEvent::Leave || event->type() == QEvent::Hide) {
            ShowTip(false);
        }
    }
    return QObject::eventFilter(watched, event);
}
