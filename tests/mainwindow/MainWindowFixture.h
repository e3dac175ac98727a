// A fresh main window per test over a fresh settings store; helpers to answer dialogs and act in a run.
#pragma once

#include "dialogs/frmType.h"
#include "engine/FillSource.h"
#include "engine/Module1.h"
#include "engine/StepControl.h"
#include "mainwindow/Main.h"
#include "mainwindow/frmMain.h"
#include "platform/Convert.h"
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "platform/StatusStrip.h"
#include "platform/Twips.h"
#include "support/QtPrint.h"
#include "support/StoredFile.h"
#include "view/PlotView.h"
#include <QtWidgets>
#include <QTest>
#include <gtest/gtest.h>

// Runs `act` on the next pass of whatever event loop runs then: a routine's step or a modal loop.
inline void Soon(std::function<void()> act) { QTimer::singleShot(0, qApp, std::move(act)); }

// Answers the next modal dialog of type D: `edit` first, then OK or Cancel.
template <class D> void Answer(bool ok, std::function<void(D&)> edit = {})
{
    Soon([=] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (edit) edit(*dialog);
        QTest::mouseClick(ok ? dialog->cmdOK : dialog->cmdCancel, Qt::LeftButton);
    });
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        QFile::remove(SettingsFile());
        SetMsgBoxHook([](const std::string&) {});
        frmType::Accepted = false;
        frmType::SortName.clear();
    }
    void TearDown() override { EndMain(); SetMsgBoxHook({}); ResetSharedState(); }

    frmMain& Start() { Main(); EXPECT_TRUE(QTest::qWaitForWindowExposed(MainWindow())); return *MainWindow(); }
    frmMain& Restart() { EndMain(); ResetSharedState(); return Start(); }
    static void Click(frmMain& w, const char* key) { QTest::mouseClick(w.toolButton(key), Qt::LeftButton); }
    static void ChooseNew(frmMain& w, int type)
    {
        Answer<frmType>(true, [type](frmType& d) { d.lstType->setCurrentRow(type); });
        w.mnuFileNew_Click();
    }
    // Started, with `width` random values taken into use for routine `type`.
    frmMain& Ready(int type, int width)
    {
        frmMain& w = Start();
        SortSet = {6, 100, static_cast<Integer>(width)};
        FillSource();
        ChooseNew(w, type);
        return w;
    }
    // `width` random values at delay 0 for routine `type`, the run paused from its first pump.
    frmMain& ReadyPaused(int type = 1, int width = 100)
    {
        frmMain& w = Ready(type, width);
        DrawSet[1] = 0;
        Soon([&w] { w.action("mnuPause")->trigger(); });
        return w;
    }
    // Starts the run and does each act, in order, on a pass of the event loop
    // while the run is held; polls no more once they are done.
    static void RunHeld(frmMain& w, const std::vector<std::function<void()>>& acts)
    {
        std::size_t next = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (next == acts.size())
                timer.stop();
            else if (Holding())
                acts[next++]();
        });
        timer.start(0);
        w.mnuStart_Click();
        EXPECT_EQ(next, acts.size()) << "acts done while held";
    }
    // How many modal dialogs a command opens, each closed at once.
    static int DialogsOpenedBy(const std::function<void()>& command)
    {
        int opened = 0;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++opened;
                modal->close();
            }
        });
        watcher.start(0);
        command();
        return opened;
    }
};
