#include "mainwindow/frmMain.h"

#include "engine/FillSource.h"
#include "data/OwnData.h"
#include "dialogs/frmData.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmColor.h"
#include "dialogs/frmDraw.h"
#include "dialogs/frmExport.h"
#include "dialogs/frmSort.h"
#include "dialogs/frmType.h"
#include "comparewindow/frmCompare.h"
#include "racewindow/frmRace.h"
#include "engine/Dispatch.h"
#include "engine/CodeWhere.h"
#include "engine/Module1.h"
#include "engine/Routines.h"
#include "mainwindow/CodePanel.h"
#include "mainwindow/RunControl.h"
#include "mainwindow/StoredSettings.h"
#include "mainwindow/ToolbarImages.h"
#include "platform/Forms.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "platform/ProgramIcon.h"
#include "platform/Runtime.h"
#include "platform/StatusStrip.h"
#include "platform/Twips.h"
#include "sound/StepSound.h"
#include "view/PlotView.h"
#include "view/StatusView.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QSaveFile>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>

namespace {

// Heights of the docked bars, in twips.
constexpr double kToolbarHeight = 420;
constexpr double kStripHeight = 270;

// The window's client area: the bars are docked to its edges by hand and the
// plot area is placed inside it on every change of its size.
class ClientArea : public QWidget {
public:
    ClientArea(std::function<void()> resized, std::function<QSize()> minimum)
        : resized_(std::move(resized)), minimum_(std::move(minimum))
    {
    }
    QSize minimumSizeHint() const override { return minimum_(); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        resized_();
    }

private:
    std::function<void()> resized_;
    std::function<QSize()> minimum_;
};

const char* const kToolbarKeys[] = {"New", "Close", "Start", "Stop", "Faster", "Slower", "Random", "Ascending", "Descending"};

} // namespace

frmMain::frmMain()
{
    setWindowTitle(QStringLiteral("Ordivan"));
    setWindowIcon(ProgramIcon());
    client_ = new ClientArea(
        [this] {
            DockBars();
            Form_Resize();
        },
        [this] {
            // Narrowest: every panel of both strips at its minimum, where the
            // status texts still show a short form whole. Lowest: the three
            // bars one below the other; the plot may have no room at all.
            if (!sbStatusBar_)
                return QSize();
            return QSize(std::max(sbTitleBar_->minimumSizeHint().width(), sbStatusBar_->minimumSizeHint().width()),
                         TwipsToPixelsY(kToolbarHeight) + 2 * TwipsToPixelsY(kStripHeight));
        });
    client_->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client_);
    setAcceptDrops(true);

    runControl_ = std::make_unique<RunControl>();
    BuildMenus();
    BuildToolbar();
    BuildStrips();
    // The client area's minimum comes from the strips.
    for (StatusStrip* strip : {sbTitleBar_, sbStatusBar_})
        connect(strip, &StatusStrip::minimumChanged, client_, &QWidget::updateGeometry);
    client_->updateGeometry();

    picBox_ = new PictureBox(client_);
    picBox_->setObjectName(QStringLiteral("picBox"));
    picBox_->setBackColor(ApplicationWorkspaceColor());
    picBox_->setGeometry(0, TwipsToPixelsY(720), TwipsToPixelsX(9615), TwipsToPixelsY(5535));
    // A window too low for the plot leaves the plot where it was: the status
    // bar stays in front of it.
    sbStatusBar_->raise();
    codePanel_ = new CodePanel(client_, [this] { return runControl_->History(); });

    plot_ = std::make_unique<PlotView>(*picBox_);
    status_ = std::make_unique<StatusView>(*sbTitleBar_, *sbStatusBar_, [] { return frmType::SortName; });
    sound_ = std::make_unique<StepSound>();
    sound_->Attach(mnuViewSound_, findChild<QMenu*>(QStringLiteral("mnuView")), sbStatusBar_);
    runControl_->Attach(*plot_, *sbStatusBar_, *sound_);

    // The design size of the client area; the stored settings replace it at load.
    resize(TwipsToPixelsX(9615), TwipsToPixelsY(8325) + menuBar()->sizeHint().height());
}

frmMain::~frmMain()
{
    CodeWhereOn = false;
    if (MainView == this)
        MainView = &TheNullView();
}

void frmMain::BuildMenus()
{
    auto item = [this](QMenu* menu, const char* name, const QString& caption, QKeySequence shortcut,
                       void (frmMain::*handler)()) {
        auto* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(shortcut);
        connect(a, &QAction::triggered, this, [this, handler] {
            if (!unloaded_)
                (this->*handler)();
        });
        return a;
    };
    auto bar = [](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); };
    auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };

    QMenu* file = menu("mnuFile", tr("&File"));
    item(file, "mnuFileNew", tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N), &frmMain::mnuFileNew_Click);
    item(file, "mnuFileClose", tr("&Close"), {}, &frmMain::mnuFileClose_Click);
    // Export: offered whenever no routine is executing (its handler checks too).
    QAction* exportRun =
        item(file, "mnuFileExport", tr("&Export Run..."), QKeySequence(Qt::CTRL | Qt::Key_E), &frmMain::mnuFileExport_Click);
    connect(file, &QMenu::aboutToShow, exportRun, [exportRun] { exportRun->setEnabled(!RoutineRunning); });
    connect(file, &QMenu::aboutToHide, exportRun, [exportRun] { exportRun->setEnabled(true); });
    bar(file, "mnuFileBar2");
    item(file, "mnuFileOpenData", tr("&Open Data..."), QKeySequence(Qt::CTRL | Qt::Key_O), &frmMain::mnuFileOpenData_Click);
    item(file, "mnuFileSaveData", tr("&Save Data..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         &frmMain::mnuFileSaveData_Click);
    item(file, "mnuFileEnterData", tr("Enter &Data..."), QKeySequence(Qt::CTRL | Qt::Key_D), &frmMain::mnuFileEnterData_Click);
    bar(file, "mnuFileBar1");
    item(file, "mnuFileExit", tr("E&xit"), {}, &frmMain::mnuFileExit_Click);

    QMenu* sort = menu("mnuSort", tr("&Sort"));
    item(sort, "mnuStart", tr("&Start"), QKeySequence(Qt::CTRL | Qt::Key_S), &frmMain::mnuStart_Click);
    item(sort, "mnuStop", tr("S&top"), QKeySequence(Qt::CTRL | Qt::Key_T), &frmMain::mnuStop_Click);
    runControl_->AddMenuItems(sort);
    bar(sort, "mnuSortBar2");
    QAction* compare = item(sort, "mnuCompare", tr("&Compare All..."), QKeySequence(Qt::CTRL | Qt::Key_M), &frmMain::mnuCompare_Click);
    runControl_->DisableWhileRunning(compare); // it waits for no routine to be executing
    QAction* race = item(sort, "mnuRace", tr("&Race..."), QKeySequence(Qt::CTRL | Qt::Key_R), &frmMain::mnuRace_Click);
    runControl_->DisableWhileRunning(race);

    QMenu* view = menu("mnuView", tr("&View"));
    // The switches keep their own check marks: the handler reads the mark as
    // it was before the click, so the toggle Qt makes on a click is undone first.
    auto toggle = [&](const char* name, const QString& caption, void (frmMain::*handler)()) {
        auto* a = view->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        a->setChecked(true);
        connect(a, &QAction::triggered, this, [this, a, handler](bool checked) {
            a->setChecked(!checked);
            if (!unloaded_)
                (this->*handler)();
        });
        return a;
    };
    mnuViewToolbar_ = toggle("mnuViewToolbar", tr("&Toolbar"), &frmMain::mnuViewToolbar_Click);
    mnuViewStatusBar_ = toggle("mnuViewStatusBar", tr("Status &Bar"), &frmMain::mnuViewStatusBar_Click);
    mnuViewSound_ = toggle("mnuViewSound", tr("S&ound"), &frmMain::mnuViewSound_Click);
    mnuViewSound_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    mnuViewSound_->setChecked(false);
    mnuViewCode_ = toggle("mnuViewCode", tr("Cod&e"), &frmMain::mnuViewCode_Click);
    mnuViewCode_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    mnuViewCode_->setChecked(false);
    // View > Style: one radio item per style, named mnuStyle and the style's
    // name without spaces ("mnuStyleColorCircle").
    QMenu* style = view->addMenu(tr("St&yle"));
    style->setObjectName(QStringLiteral("mnuViewStyle"));
    style->menuAction()->setObjectName(QStringLiteral("mnuViewStyle"));
    auto* styles = new QActionGroup(style);
    for (const PlotStyleInfo& info : PlotStyles) {
        QAction* a = style->addAction(tr(info.caption));
        a->setObjectName(QStringLiteral("mnuStyle") + QString::fromLatin1(info.name).remove(QLatin1Char(' ')));
        a->setCheckable(true);
        a->setChecked(info.style == PlotStyle::Bars);
        styles->addAction(a);
        connect(a, &QAction::triggered, this, [this, s = info.style] {
            if (!unloaded_)
                mnuViewStyle_Click(s);
        });
    }
    bar(view, "mnuViewBar2");
    item(view, "mnuViewColor", tr("&Color Settings..."), {}, &frmMain::mnuViewColor_Click);
    item(view, "mnuViewDraw", tr("&Draw Settings..."), {}, &frmMain::mnuViewDraw_Click);
    item(view, "mnuViewSort", tr("&Sort Settings..."), {}, &frmMain::mnuViewSort_Click);

    QMenu* help = menu("mnuHelp", tr("&Help"));
    item(help, "mnuHelpAbout", tr("&About Ordivan..."), {}, &frmMain::mnuHelpAbout_Click);
}

void frmMain::BuildToolbar()
{
    tbToolBar_ = new QToolBar(client_);
    tbToolBar_->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar_->setMovable(false);
    tbToolBar_->setFloatable(false);
    tbToolBar_->setIconSize(QSize(16, 16));
    tbToolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    int position = 0;
    for (const char* name : kToolbarKeys) {
        const QString key = QString::fromLatin1(name);
        if (position == 2 || position == 4 || position == 6)
            tbToolBar_->addSeparator();
        ++position;
        AddToolbarButton(tbToolBar_, key);
    }
    runControl_->AddToolbarButtons(tbToolBar_);
    connect(tbToolBar_, &QToolBar::actionTriggered, this, [this](QAction* a) {
        if (!unloaded_)
            tbToolBar_ButtonClick(a->data().toString());
    });
}

void frmMain::BuildStrips()
{
    using Kind = StatusStrip::PanelKind;
    using Size = StatusStrip::PanelSize;
    sbTitleBar_ = new StatusStrip(client_);
    sbTitleBar_->setObjectName(QStringLiteral("sbTitleBar"));
    // Equal shares of the width, at least their design minimum, and wider
    // when a routine's name, a time or a count needs it.
    sbTitleBar_->addPanel(Kind::Text, Size::Spring, 1440, QStringLiteral("Type:"));
    sbTitleBar_->addPanel(Kind::Text, Size::Spring, 1440, QStringLiteral("Time:"));
    sbTitleBar_->addPanel(Kind::Text, Size::Spring, 1440, QStringLiteral("Comparison:"));

    sbStatusBar_ = new StatusStrip(client_);
    sbStatusBar_->setObjectName(QStringLiteral("sbStatusBar"));
    // At least as wide as the others, room for the short forms of its texts.
    sbStatusBar_->addPanel(Kind::Text, Size::Spring, 1440, QStringLiteral("Status"));
    // At least its design width, wider when the delay text needs it, so the
    // text is never cut off.
    sbStatusBar_->addPanel(Kind::Text, Size::Content, 1440, QString());
    sbStatusBar_->addPanel(Kind::Date, Size::Content, 1440);
    sbStatusBar_->addPanel(Kind::Time, Size::Content, 1440);
}

QAction* frmMain::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

QWidget* frmMain::toolButton(const QString& key) const
{
    for (QAction* a : tbToolBar_->actions())
        if (a->data().toString() == key)
            return tbToolBar_->widgetForAction(a);
    return nullptr;
}

double frmMain::ScaleHeight() const
{
    return PixelsToTwipsY(client_->height());
}

void frmMain::DockBars()
{
    const int width = client_->width();
    int top = 0;
    if (!tbToolBar_->isHidden()) {
        tbToolBar_->setGeometry(0, 0, width, TwipsToPixelsY(kToolbarHeight));
        top = TwipsToPixelsY(kToolbarHeight);
    }
    sbTitleBar_->setGeometry(0, top, width, TwipsToPixelsY(kStripHeight));
    const int strip = TwipsToPixelsY(kStripHeight);
    sbStatusBar_->setGeometry(0, client_->height() - strip, width, strip);
}

// ---------------------------------------------------------------- load, layout, close

void frmMain::Form_Load()
{
    const WindowPlace place = LoadSettings();
    move(TwipsToPixelsX(place.Left), TwipsToPixelsY(place.Top));
    // Outer size: the frame is not known before the window is shown, so the
    // first showing makes the size good (see showEvent).
    wantedOuter_ = QSize(TwipsToPixelsX(place.Width), TwipsToPixelsY(place.Height));
    resize(wantedOuter_);
    plot_->LastX = 0;
    plot_->LastY = 0;
    plot_->LastZ = 0;
    BarLayout_ = 0;
    sound_->SetOn(place.Sound);
    plot_->SetStyle(place.Style);
    ShowCode(place.Code);
    action(QStringLiteral("mnuStyle") + StyleName(place.Style).remove(QLatin1Char(' ')))->setChecked(true);
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (frameChecked_ || wantedOuter_.isEmpty())
        return;
    frameChecked_ = true;
    // The stored size is the outer one, frame included. The frame is known
    // only once the window is on the screen, and under some window managers
    // a little later still (a move follows); after a short while, or once a
    // size has been set since the load, the size is left alone.
    awaitingFrame_ = true;
    QTimer::singleShot(0, this, [this] { FitFrame(); });
    QTimer::singleShot(2000, this, [this] { awaitingFrame_ = false; });
}

void frmMain::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    FitFrame();
}

void frmMain::FitFrame()
{
    if (!awaitingFrame_ || unloaded_)
        return;
    if (windowState() != Qt::WindowNoState || size() != wantedOuter_) {
        awaitingFrame_ = false;
        return;
    }
    const QSize frame = frameGeometry().size() - size();
    if (frame == QSize(0, 0))
        return;
    awaitingFrame_ = false;
    resize(wantedOuter_ - frame);
}

void frmMain::SetBarLayout()
{
    const bool toolbar = mnuViewToolbar_->isChecked();
    const bool statusBar = mnuViewStatusBar_->isChecked();
    if (toolbar && statusBar)
        BarLayout_ = 0;
    else if (!toolbar && statusBar)
        BarLayout_ = 1;
    else if (toolbar && !statusBar)
        BarLayout_ = 2;
    else
        BarLayout_ = 3;
}

void frmMain::Form_Resize()
{
    if (!plot_)
        return; // still being built
    const double height = ScaleHeight();
    double top = 0;
    double plotHeight = -1;
    switch (BarLayout_) {
    case 0: top = 720; plotHeight = height - 990; break;
    case 1: top = 300; plotHeight = height - 570; break;
    case 2: top = 720; plotHeight = height - 720; break;
    case 3: top = 300; plotHeight = height - 300; break;
    default: break; // not moved
    }
    // A window too small for the plot keeps the plot where it was.
    // The code, when shown, takes the right of the plot's row: as much as its
    // lines need, at least two fifths of the width and less than half.
    const int client = client_->width();
    const int codeWidth
        = codePanel_->IsOn() ? std::clamp(codePanel_->WidthFor(SortType), client * 2 / 5, std::max(client * 2 / 5, client / 2 - 1)) : 0;
    if (plotHeight >= 0) {
        picBox_->setGeometry(0, TwipsToPixelsY(top), client_->width() - codeWidth, TwipsToPixelsY(plotHeight));
        codePanel_->setGeometry(client_->width() - codeWidth, TwipsToPixelsY(top), codeWidth, TwipsToPixelsY(plotHeight));
    }

    // An empty plot leaves no finite scale; the previous one stands until
    // the plot has room again.
    const double innerWidth = picBox_->ScaleWidth();
    const double innerHeight = picBox_->ScaleHeight();
    if (innerWidth > 0)
        plot_->XScale = static_cast<float>(SortSet[2]) / static_cast<float>(innerWidth);
    if (innerHeight > 0)
        plot_->YScale = static_cast<float>(SortSet[1]) / static_cast<float>(innerHeight);
    DrawBox();
}

void frmMain::Form_Unload(int& Cancel)
{
    Cancel = 0;
    if (unloaded_)
        return;
    unloaded_ = true;
    // A routine may still be on the stack below this handler: it must end,
    // and whatever it still draws or reports must go nowhere.
    Sorting = false;
    Unloading = true;
    if (MainView == this)
        MainView = &TheNullView();
    sound_->Close();
    // Whatever runs on this thread after the window is gone follows no code.
    CodeWhereOn = false;

    const std::vector<QWidget*> forms = LoadedForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        // Closing one form can take others with it; close only those still loaded.
        const std::vector<QWidget*> now = LoadedForms();
        if (*it != this && std::find(now.begin(), now.end(), *it) != now.end())
            UnloadForm(*it);
    }

    if (!isMinimized()) {
        const QRect outer = frameGeometry();
        WindowPlace place;
        place.Left = static_cast<float>(PixelsToTwipsX(outer.x()));
        place.Top = static_cast<float>(PixelsToTwipsY(outer.y()));
        place.Width = static_cast<float>(PixelsToTwipsX(outer.width()));
        place.Height = static_cast<float>(PixelsToTwipsY(outer.height()));
        place.Sound = sound_->Wanted();
        place.Style = plot_->Style();
        place.Code = mnuViewCode_->isChecked();
        SaveSettings(place);
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    int Cancel = 0;
    Form_Unload(Cancel); // never cancels: closing always proceeds
    event->accept();
}

void frmMain::ToggleBar(QWidget* bar, QAction* check)
{
    const bool shown = check->isChecked();
    bar->setVisible(!shown);
    // Hiding moves the focus on only when another control takes it; with
    // none, a toolbar button out of sight would still take Space and Enter.
    if (QWidget* focus = focusWidget(); shown && focus && bar->isAncestorOf(focus))
        focus->clearFocus();
    check->setChecked(!shown);
    DockBars();
    SetBarLayout();
    Form_Resize();
}

void frmMain::mnuViewToolbar_Click()
{
    ToggleBar(tbToolBar_, mnuViewToolbar_);
}

void frmMain::mnuViewSound_Click()
{
    sound_->Switch();
}

void frmMain::mnuViewStyle_Click(PlotStyle style)
{
    action(QStringLiteral("mnuStyle") + StyleName(style).remove(QLatin1Char(' ')))->setChecked(true);
    plot_->SetStyle(style);
    // A held run shows its step in the new style, a running one the data.
    DrawBox();
}

void frmMain::mnuViewCode_Click()
{
    ShowCode(!mnuViewCode_->isChecked());
}

void frmMain::ShowCode(bool on)
{
    mnuViewCode_->setChecked(on);
    codePanel_->SetOn(on);
    // Hiding takes the focus off the list, as hiding a bar does.
    if (QWidget* focus = focusWidget(); !on && focus && codePanel_->isAncestorOf(focus))
        focus->clearFocus();
    Form_Resize();
}

void frmMain::mnuViewStatusBar_Click()
{
    ToggleBar(sbStatusBar_, mnuViewStatusBar_);
}

// ---------------------------------------------------------------- commands

void frmMain::mnuFileNew_Click()
{
    if (Sorting)
        return;
    {
        frmType dialog(this);
        dialog.exec();
    }
    if (unloaded_ || !frmType::Accepted)
        return;
    mnuFileClose_Click();
    DataReady = true;
    DoReset(1);
    RefreshData();
}

void frmMain::mnuFileClose_Click()
{
    if (!DataReady || Sorting)
        return;
    DataReady = false;
    DoReset(0);
    picBox_->setBackColor(ApplicationWorkspaceColor());
}

void frmMain::mnuFileExit_Click()
{
    close();
}

void frmMain::mnuStart_Click()
{
    // The routines keep their place for the code only in the window's own
    // run, so a run without a window on this thread pays nothing for it.
    // A Start inside a run begins nothing and leaves the run's setting alone.
    runControl_->Run([this] {
        const bool before = CodeWhereOn;
        if (!before)
            CodeHere = {}; // nothing of an earlier run
        CodeWhereOn = codePanel_->IsOn();
        ::mnuStart_Click();
        CodeWhereOn = before;
    });
}

void frmMain::mnuStop_Click()
{
    runControl_->Stop();
    if (DataReady && Sorting) {
        Sorting = false;
        sound_->Stop();
    }
}

void frmMain::mnuCompare_Click()
{
    // The comparison works on copies on threads of its own; it waits only
    // for a routine of the window to have returned.
    if (!RoutineRunning)
        ShowCompareWindow(this);
}

void frmMain::mnuRace_Click()
{
    // The race records its runs on copies on threads of its own.
    if (!RoutineRunning)
        ShowRaceWindow(this, plot_->Style());
}

void frmMain::mnuFileExport_Click()
{
    // The export copies the routine, the data and the settings when it
    // starts and runs on a thread of its own; the window goes on meanwhile.
    if (RoutineRunning)
        return;
    if (!exportDialog_) {
        exportDialog_ = new frmExport(this, picBox_->size(), plot_->Style(),
                                      [this](const QString& text) { sbStatusBar_->setPanelText(1, text); });
        exportDialog_->setAttribute(Qt::WA_DeleteOnClose);
    }
    exportDialog_->show();
    exportDialog_->raise();
    exportDialog_->activateWindow();
}

// ---------------------------------------------------------------- the user's own numbers

namespace {
const char* const kDataFilter = "Data files (*.txt *.csv *.dat);;All files (*)";

bool RefuseWhileRunning()
{
    // A routine on the stack (running, held or stopped but not yet returned)
    // works on the current width: the data set must not change under it.
    if (!RoutineRunning && !Sorting)
        return false;
    MsgBox("The data set cannot be replaced while a routine is executing. Stop it first.");
    return true;
}

// The data set's values, SourceData 1..width (as far as it reaches).
std::vector<Integer> DataValues()
{
    const std::size_t width = static_cast<std::size_t>(std::max<int>(SortSet[2], 0));
    if (SourceData.size() < 2 || width == 0)
        return {};
    const std::size_t last = std::min(width, SourceData.size() - 1);
    return std::vector<Integer>(SourceData.begin() + 1, SourceData.begin() + static_cast<std::ptrdiff_t>(last) + 1);
}
} // namespace

void frmMain::mnuFileOpenData_Click()
{
    if (RefuseWhileRunning())
        return;
    const QString path = QFileDialog::getOpenFileName(this, tr("Open Data"), dataFolder_, tr(kDataFilter));
    if (!unloaded_ && !path.isEmpty())
        OpenData(path);
}

void frmMain::mnuFileSaveData_Click()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Data"), dataFolder_, tr(kDataFilter));
    if (!unloaded_ && !path.isEmpty())
        SaveData(path);
}

void frmMain::mnuFileEnterData_Click()
{
    if (RefuseWhileRunning())
        return;
    std::vector<Integer> values;
    {
        frmData dialog(this, DataValues());
        dialog.exec();
        if (unloaded_ || !frmData::Accepted)
            return;
        values = dialog.Values();
    }
    TakeData(values);
}

bool frmMain::OpenData(const QString& path)
{
    if (RefuseWhileRunning())
        return false;
    dataFolder_ = QFileInfo(path).absolutePath();
    const owndata::Parsed parsed = owndata::ReadValuesFile(path.toStdString());
    if (!parsed.ok()) {
        MsgBox("The data could not be opened: " + parsed.error);
        return false;
    }
    return TakeData(std::vector<Integer>(parsed.values.begin(), parsed.values.end()));
}

bool frmMain::SaveData(const QString& path)
{
    const QFileInfo info(path);
    dataFolder_ = info.absolutePath();
    auto fail = [&](const QString& why) {
        MsgBox(QStringLiteral("The data could not be saved to %1: %2").arg(QDir::toNativeSeparators(path), why).toStdString());
        return false;
    };
    if (!info.dir().exists())
        return fail(tr("the folder %1 does not exist").arg(QDir::toNativeSeparators(info.absolutePath())));
    if (info.isDir())
        return fail(tr("it is a folder"));
    // The new file takes the old one's place: a device or a pipe would be
    // replaced by a plain file rather than written to.
    if (info.exists() && !info.isFile())
        return fail(tr("it is not a plain file"));
    const std::string text = owndata::ValuesText(DataValues());
    // Written to a new file beside it and put in its place only when whole,
    // so a full disk or a failed write leaves the old file as it was.
    QSaveFile file(path);
    // Unbuffered, so a failed write is seen with the system's reason.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    // A short write is followed by another, which fails with the reason
    // (a full disk, a size limit).
    for (std::size_t done = 0; done < text.size();) {
        const qint64 written = file.write(text.data() + done, static_cast<qint64>(text.size() - done));
        if (written <= 0) {
            const QString why = file.errorString();
            file.cancelWriting();
            return fail(why);
        }
        done += static_cast<std::size_t>(written);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool frmMain::TakeData(const std::vector<Integer>& values)
{
    if (RefuseWhileRunning())
        return false;
    if (values.empty() || values.size() > owndata::kMaxValues)
        return false; // the parser never gives these
    SourceData.assign(1, 0);
    SourceData.insert(SourceData.end(), values.begin(), values.end());
    SortSet[2] = static_cast<Integer>(values.size());
    SortSet[1] = std::max<Integer>(1, *std::max_element(values.begin(), values.end()));
    ownData_ = SourceData;
    // With no data set in use the values are prepared for a run with the
    // routine chosen last, as File > New does after its dialog.
    if (!DataReady) {
        DataReady = true;
        Sorting = false;
        // Before any choice the next run is the list's first routine: the
        // title strip says so.
        if (frmType::SortName.isEmpty() && SortType >= 0 && SortType < kRoutineCount)
            frmType::SortName = QString::fromUtf8(RoutineTable[static_cast<std::size_t>(SortType)].name);
        DoReset(1);
    }
    RefreshData();
    return true;
}

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (unloaded_ || urls.size() != 1 || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    const QString path = urls.first().toLocalFile();
    // The message boxes must not run inside the drag's own handling.
    QTimer::singleShot(0, this, [this, path] {
        if (!unloaded_)
            OpenData(path);
    });
}

void frmMain::ShowDelay()
{
    sbStatusBar_->setPanelText(2, DelayText());
}

void frmMain::tbToolBar_ButtonClick(const QString& key)
{
    constexpr Integer kLowest = std::numeric_limits<Integer>::min();
    constexpr Integer kHighest = std::numeric_limits<Integer>::max();
    auto regenerate = [this](Integer order) {
        if (!DataReady)
            return;
        SortSet[0] = order;
        FillSource();
        RefreshData();
    };
    if (key == QLatin1String("New")) {
        mnuFileNew_Click();
    } else if (key == QLatin1String("Close")) {
        mnuFileClose_Click();
    } else if (key == QLatin1String("Start")) {
        if (!Sorting)
            mnuStart_Click();
    } else if (key == QLatin1String("Stop")) {
        if (Sorting)
            mnuStop_Click();
    } else if (key == QLatin1String("Faster")) {
        // A stored delay at the very end of the 16-bit range goes no further.
        if (DataReady && DrawSet[1] != 0 && DrawSet[1] != kLowest) {
            DrawSet[1] = static_cast<Integer>(DrawSet[1] - 1);
            ShowDelay();
        }
    } else if (key == QLatin1String("Slower")) {
        if (DataReady && DrawSet[1] != 10 && DrawSet[1] != kHighest) {
            DrawSet[1] = static_cast<Integer>(DrawSet[1] + 1);
            ShowDelay();
        }
    } else if (key == QLatin1String("Random")) {
        regenerate(6);
    } else if (key == QLatin1String("Ascending")) {
        regenerate(0);
    } else if (key == QLatin1String("Descending")) {
        regenerate(1);
    } else {
        runControl_->ToolbarButton(key);
    }
}

void frmMain::RefreshData()
{
    // Only the elements SourceData has are copied; a shorter source (a
    // cancelled sort settings dialog) leaves the rest 0.
    runControl_->BeforeDataReplaced();
    const int width = std::max<int>(0, SortSet[2]);
    SortData.assign(static_cast<std::size_t>(width) + 1, 0);
    std::copy_n(SourceData.begin(), std::min(SortData.size(), SourceData.size()), SortData.begin());
    picBox_->setDrawWidth(DrawSet[0]);
    if (DataReady)
        picBox_->setBackColor(QBColor(ColorSet[0]));
    picBox_->setForeColor(QBColor(ColorSet[1]));
    Form_Resize();
    runControl_->AfterDataReplaced();
}

void frmMain::RefreshPen()
{
    if (!DataReady)
        return;
    picBox_->setDrawWidth(DrawSet[0]);
    picBox_->setBackColor(QBColor(ColorSet[0]));
    picBox_->setForeColor(QBColor(ColorSet[1]));
    DrawBox();
}

void frmMain::mnuViewColor_Click()
{
    {
        frmColor dialog(this);
        dialog.exec();
    }
    if (!unloaded_ && frmColor::Accepted)
        RefreshPen();
}

void frmMain::mnuViewDraw_Click()
{
    {
        frmDraw dialog(this);
        dialog.exec();
    }
    if (unloaded_ || !frmDraw::Accepted)
        return;
    ShowDelay();
    RefreshPen();
}

void frmMain::mnuViewSort_Click()
{
    // A stopped routine that has not yet returned still works on the current
    // width, so the width must not change under it either.
    if (Sorting || RoutineRunning)
        return;
    // Opening the dialog regenerates the data set; cancelled, it puts the
    // user's own numbers back if they were in use.
    const bool own = !ownData_.empty() && SourceData == ownData_;
    {
        frmSort dialog(this);
        dialog.exec();
    }
    if (unloaded_)
        return;
    if (frmSort::Accepted)
        RefreshData();
    else if (own && SourceData.size() == ownData_.size())
        SourceData = ownData_;
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout dialog(this);
    dialog.exec();
}

// ---------------------------------------------------------------- drawing and reporting

void frmMain::DrawBox()
{
    runControl_->DrawBox();
}

void frmMain::DrawLine(int X, int Y, int z)
{
    runControl_->DrawLine(X, Y, z);
    sound_->Line(X, Y, z);
}

void frmMain::DrawPlot(int X, bool o)
{
    runControl_->DrawPlot(X, o);
    sound_->Plot(X, o);
}

void frmMain::DoReset(int X)
{
    status_->DoReset(X);
    sound_->Reset(X);
}

void frmMain::DoStatus()
{
    status_->DoStatus();
    sound_->Silence();
}
