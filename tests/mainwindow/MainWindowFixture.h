// A fresh main window for every test, started the way the program starts
// it, over a fresh settings store; helpers to answer the modal dialogs it
// opens and to act in the middle of a run.
#pragma once

#include "dialogs/frmType.h"
#include "engine/FillSource.h"
#include "engine/Module1.h"
#include "mainwindow/Main.h"
#include "mainwindow/frmMain.h"
#include "platform/Runtime.h"
#include "support/QtPrint.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

inline QString SettingsFile()
{
    const QString app = QStringLiteral("Ordivan");
    return QSettings(QSettings::IniFormat, QSettings::UserScope, app, app).fileName();
}

// Runs `act` on the next pass of whatever event loop is running then (a
// routine's step, a dialog's modal loop).
inline void Soon(std::function<void()> act)
{
    QTimer::singleShot(0, qApp, std::move(act));
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        QFile::remove(SettingsFile());
        frmType::Accepted = false;
        frmType::SortName.clear();
        boxes.clear();
        SetMsgBoxHook([this](const std::string& prompt) { boxes.push_back(prompt); });
    }
    void TearDown() override
    {
        EndMain();
        SetMsgBoxHook({});
        ResetSharedState();
    }

    frmMain& Start()
    {
        Main();
        frmMain* window = MainWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return *window;
    }

    // File > New with the routine of `type` chosen in the type dialog.
    void ChooseNew(frmMain& w, int type)
    {
        Soon([type] {
            auto* dialog = qobject_cast<frmType*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->lstType->setCurrentRow(type);
            QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
        });
        w.mnuFileNew_Click();
    }

    // A small data set of `width` values in `order`, taken into use for `type`.
    frmMain& Ready(int type, int width = 40, int order = 6)
    {
        frmMain& w = Start();
        SortSet = {static_cast<Integer>(order), 100, static_cast<Integer>(width)};
        FillSource();
        ChooseNew(w, type);
        return w;
    }

    // Counts the modal dialogs a command opens, cancelling each.
    int DialogsOpenedBy(const std::function<void()>& command)
    {
        int opened = 0;
        QTimer watcher;
        watcher.setInterval(0);
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++opened;
                modal->close();
            }
        });
        watcher.start();
        command();
        watcher.stop();
        return opened;
    }

    static bool Ascending(const std::vector<Integer>& data)
    {
        return std::is_sorted(data.begin(), data.end());
    }

    std::vector<std::string> boxes;
};
