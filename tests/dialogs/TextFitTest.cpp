// Every dialog shows its labels, button captions and list entries whole in the
// platform's font. The tests also run at scale factor 2.
#include "DialogFixture.h"
#include "TextFit.h"

#include "dialogs/frmAbout.h"

using textfit::RowsShown;
using textfit::WindowCuts;

struct TextFit : DialogTest {};

// With the desktop's font and with one half as large again.
TEST_F(TextFit, EveryDialogShowsItsTextsWhole)
{
    DrawSet = {10, 5}; // the draw labels' widest texts, "10 pixels" and "0.05 secs"
    const QFont desktop = QApplication::font();
    QFont large = desktop;
    large.setPointSizeF(desktop.pointSizeF() * 1.5);
    for (const QFont& font : {desktop, large}) {
        QApplication::setFont(font);
        auto check = [&font](QDialog& dlg) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dlg));
            EXPECT_EQ(WindowCuts(&dlg), "") << dlg.windowTitle().toStdString() << ", " << font.toString().toStdString();
        };
        { Open<frmType> dlg; check(dlg); }
        { Open<frmColor> dlg; check(dlg); }
        { Open<frmDraw> dlg; check(dlg); }
        { Open<frmSort> dlg; check(dlg); }
        { Open<frmAbout> dlg; check(dlg); }
    }
    QApplication::setFont(desktop);
}

// Lists the design had room for show every entry; the longer ones at least
// the rows the design showed.
TEST_F(TextFit, ListsShowTheDesignsRows)
{
    Open<frmType> type;
    EXPECT_EQ(RowsShown(type.lstType), 13);
    Open<frmColor> color;
    EXPECT_EQ(RowsShown(color.lstChoice), 5);
    EXPECT_GE(RowsShown(color.lstColor), 11);
    Open<frmSort> sort;
    EXPECT_GE(RowsShown(sort.lstSort[0]), 5);
    for (int i : {1, 2}) {
        EXPECT_EQ(RowsShown(sort.lstSort[i]), 4) << i;
        EXPECT_FALSE(sort.lstSort[i]->verticalScrollBar()->isVisible()) << i;
    }
}

// The check itself sees a caption, a label, an entry and a row that are cut.
TEST_F(TextFit, CutsAreSeen)
{
    Open<frmSort> dlg;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.cmdFill->resize(dlg.fontMetrics().horizontalAdvance(dlg.cmdFill->text()) / 2, dlg.cmdFill->height());
    dlg.lblHeight->resize(dlg.lblHeight->width(), dlg.lblHeight->height() / 3);
    QListWidget* order = dlg.lstSort[0];
    order->resize(order->width() / 2, order->height() + order->sizeHintForRow(0) / 2);
    const std::string cuts = WindowCuts(&dlg);
    for (const char* cut : {"cmdFill \"Auto Fill\": larger", "lblHeight \"Height\": taller",
                            "lstSort(0) \"Escalator Asc.\": wider", "row half hidden"})
        EXPECT_NE(cuts.find(cut), std::string::npos) << cut << "\n" << cuts;
}
