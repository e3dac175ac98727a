// Every dialog shows its labels, button captions and list entries whole in the
// platform's font, and in one half as large again. Runs at scale factor 2 too.
#include "DialogFixture.h"
#include "TextFit.h"

#include "dialogs/frmAbout.h"

#include <QScrollBar>

struct TextFit : DialogTest {};

TEST_F(TextFit, EveryDialogShowsItsTextsWhole)
{
    DrawSet = {10, 5}; // the draw labels' widest texts, "10 pixels" and "0.05 secs"
    const QFont desktop = QApplication::font();
    QFont large = desktop;
    large.setPointSizeF(desktop.pointSizeF() * 1.5);
    for (const QFont& font : {desktop, large}) {
        QApplication::setFont(font);
        Open<frmType> type;
        Open<frmColor> color;
        Open<frmSort> sort;
        Open<frmDraw> draw;
        Open<frmAbout> about;
        for (QDialog* dlg : std::initializer_list<QDialog*>{&type, &color, &sort, &draw, &about}) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg));
            EXPECT_EQ(textfit::WindowCuts(dlg), "") << dlg->windowTitle().toStdString() << ", " << font.toString().toStdString();
        }
        // Lists the design had room for show every entry, without a scroll bar;
        // the routine list keeps its size and scrolls past its first thirteen.
        for (QListWidget* list : {color.lstChoice, sort.lstSort[1], sort.lstSort[2]})
            EXPECT_FALSE(list->verticalScrollBar()->isVisible()) << list->objectName().toStdString();
        EXPECT_GE(type.lstType->height(), 13 * type.lstType->sizeHintForRow(0));
    }
    QApplication::setFont(desktop);
}
