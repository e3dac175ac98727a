// Default settings and cleared dialog results before each test; simulated user input offscreen.
#pragma once

#include "dialogs/frmColor.h"
#include "dialogs/frmDraw.h"
#include "dialogs/frmSort.h"
#include "dialogs/frmType.h"
#include "platform/Palette.h"
#include "platform/PictureBox.h"
#include "platform/Runtime.h"
#include "platform/Twips.h"
#include "support/QtPrint.h"
#include <QtWidgets>
#include <QTest>
#include <gtest/gtest.h>

// Design positions, in twips of the sample box: where the colour sample draws the bar of each
// role (foreground, indicators 1 to 3). The only checks that depend on the dialogs' layout.
inline constexpr double kColourSampleX[] = {200, 700, 1000, 1300};

struct DialogTest : ::testing::Test {
    void SetUp() override
    {
        ResetSharedState();
        ColorSet = {0, 15, 10, 9, 12};
        DrawSet = {2, 0};
        SortSet = {6, 100, 100};
        frmColor::Accepted = frmDraw::Accepted = frmSort::Accepted = frmType::Accepted = false;
        frmType::SortName.clear();
    }
};

template <class Dialog> struct Open : Dialog { // made from the current settings and shown
    Open() : Dialog(nullptr) { this->show(); }
};

inline void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
template <class D> void ExpectOkAccepts(D& d) { Click(d.cmdOK); EXPECT_TRUE(D::Accepted); EXPECT_FALSE(d.isVisible()); }

// Clicks the list entry with the given text, then double-clicks it if asked.
inline void ClickEntry(QListWidget* list, const QString& text, bool twice = false)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->scrollToItem(found.first());
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

inline int SelectedRow(const QListWidget* l) { return l->selectedItems().isEmpty() ? -1 : l->row(l->selectedItems()[0]); }

// The colour at x twips, near the top of the box or near its foot.
inline QColor PixelAt(const PictureBox* box, double x, bool top = false)
{
    return box->pixelAt(static_cast<int>(std::lround(x / TwipsPerPixelX())), top ? 2 : box->height() - 2);
}

// Opens with Accepted set, lets `use` work it, leaves by Cancel, Esc or close: all must act alike.
template <class Dialog, class Use, class Check> void EachWayOut(Use use, Check check)
{
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way == 0 ? "Cancel" : way == 1 ? "Esc" : "close");
        Dialog::Accepted = true;
        Open<Dialog> dlg;
        use(dlg);
        if (way == 0)
            Click(dlg.cmdCancel);
        else if (way == 1)
            QTest::keyClick(&dlg, Qt::Key_Escape);
        else
            dlg.close();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_FALSE(Dialog::Accepted);
        check();
    }
}
