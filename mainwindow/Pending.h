// Stand-ins for the pieces the main window calls that are still being
// written elsewhere in the tree; each one steps aside as soon as the real
// header is there.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

#if __has_include("view/StatusView.h")
#include "view/StatusView.h"
#else
#include "engine/Module1.h"
#include "platform/Convert.h"
#include "platform/Runtime.h"
#include "platform/StatusStrip.h"
inline QString DelayText()
{
    return QStringLiteral("Delay: ") + NumberText(static_cast<float>(DrawSet[1]) / 100.0f) + QStringLiteral(" secs");
}
class StatusView {
public:
    StatusView(StatusStrip& t, StatusStrip& s, std::function<QString()> n) : t_(t), s_(s), n_(std::move(n)) {}
    void DoReset(int X)
    {
        StartTime = Timer();
        Comparisons = 0;
        t_.setPanelText(2, QStringLiteral("Time:"));
        t_.setPanelText(3, QStringLiteral("Comparison:"));
        if (X == 0) { t_.setPanelText(1, QStringLiteral("Type:")); s_.setPanelText(2, QString()); }
        if (X == 1) { t_.setPanelText(1, QStringLiteral("Type: ") + n_()); s_.setPanelText(2, DelayText()); }
        if (X == 2) { s_.setPanelText(1, QStringLiteral("Sorting . . .")); s_.setPanelText(2, DelayText()); }
    }
    void DoStatus()
    {
        t_.setPanelText(2, QStringLiteral("Time: ") + NumberText(Timer() - StartTime) + QStringLiteral(" secs"));
        t_.setPanelText(3, QStringLiteral("Comparison: ") + QString::number(Comparisons));
        s_.setPanelText(1, QStringLiteral("Status"));
    }
    float StartTime = 0;
private:
    StatusStrip& t_;
    StatusStrip& s_;
    std::function<QString()> n_;
};
#endif

#if __has_include("engine/Dispatch.h")
#include "engine/Dispatch.h"
#else
#include "engine/Module1.h"
inline void mnuStart_Click()
{
    if (!DataReady || Sorting)
        return;
}
#endif

#define ORDIVAN_PENDING_DIALOG(name)                                   \
    class name : public QDialog {                                      \
    public:                                                            \
        explicit name(QWidget* owner) : QDialog(owner) {}              \
        inline static bool Accepted = false;                           \
    };

#if __has_include("dialogs/frmType.h")
#include "dialogs/frmType.h"
#else
class frmType : public QDialog {
public:
    explicit frmType(QWidget* owner) : QDialog(owner) {}
    inline static bool Accepted = false;
    inline static QString SortName;
};
#endif
#if __has_include("dialogs/frmColor.h")
#include "dialogs/frmColor.h"
#else
ORDIVAN_PENDING_DIALOG(frmColor)
#endif
#if __has_include("dialogs/frmDraw.h")
#include "dialogs/frmDraw.h"
#else
ORDIVAN_PENDING_DIALOG(frmDraw)
#endif
#if __has_include("dialogs/frmSort.h")
#include "dialogs/frmSort.h"
#else
ORDIVAN_PENDING_DIALOG(frmSort)
#endif
#if __has_include("dialogs/frmAbout.h")
#include "dialogs/frmAbout.h"
#else
class frmAbout : public QDialog {
public:
    explicit frmAbout(QWidget* owner) : QDialog(owner) {}
};
#endif
#undef ORDIVAN_PENDING_DIALOG
