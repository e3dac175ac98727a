// Every dialog shows its labels, button captions and list entries whole in the
// platform's font. The tests also run at scale factor 2.
#include "DialogFixture.h"
#include "TextFit.h"

#include "dialogs/frmAbout.h"

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

// Lists the design had room for show every entry, without a scroll bar.
TEST_F(TextFit, ShortListsShowEveryEntry)
{
    Open<frmType> type;
    Open<frmColor> color;
    Open<frmSort> sort;
    for (QListWidget* list : {type.lstType, color.lstChoice, sort.lstSort[1], sort.lstSort[2]})
        EXPECT_FALSE(list->verticalScrollBar()->isVisible()) << list->objectName().toStdString();
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
    for (const char* cut : {"cmdFill \"Auto Fill\": larger", "lblHeight \"Height\": larger",
                            "lstSort(0) \"Escalator Asc.\": larger", "row half hidden"})
        EXPECT_NE(cuts.find(cut), std::string::npos) << cut << "\n" << cuts;
}
