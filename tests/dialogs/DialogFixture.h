// Common ground of the dialog tests: default settings in the shared state,
// and simulated clicks, keys and pointer moves on the offscreen platform.
#pragma once

#include "engine/Module1.h"
#include "platform/PictureBox.h"
#include "platform/Twips.h"
#include "support/QtPrint.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        ColorSet = {0, 15, 10, 9, 12};
        DrawSet = {2, 0};
        SortSet = {6, 100, 100};
    }
};

// Clicks the list entry with the given text, as the user would.
inline void ClickEntry(QListWidget* list, const QString& text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

inline void DoubleClickEntry(QListWidget* list, const QString& text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->scrollToItem(found.first());
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

inline void Click(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

inline int SelectedRow(const QListWidget* list)
{
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

// The colour near the foot of the sample bar at x twips.
inline QColor FootOfBar(const PictureBox* box, int xTwips)
{
    return box->pixelAt(static_cast<int>(std::lround(xTwips / TwipsPerPixelX())), box->height() - 2);
}

// A pointer event at a position given in twips, with the buttons held.
inline void SendMouse(QWidget* target, QEvent::Type type, double xTwips, double yTwips, Qt::MouseButton button,
                      Qt::MouseButtons held)
{
    const QPointF local(xTwips / TwipsPerPixelX(), yTwips / TwipsPerPixelY());
    QMouseEvent event(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}
